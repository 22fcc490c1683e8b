#include "pause_gate.h"

void PauseGate::wait()
{
    std::unique_lock<std::mutex> lock(mutex_);
    freed_.wait(lock, [this] { return !taken_ || abandoned_; });
    taken_ = !abandoned_;
}

void PauseGate::release()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        taken_ = !taken_;
    }
    freed_.notify_all();
}

void PauseGate::open()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        taken_ = false;
    }
    freed_.notify_all();
}

void PauseGate::abandon()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        abandoned_ = true;
        taken_ = false;
    }
    freed_.notify_all();
}

bool PauseGate::isTaken() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return taken_;
}
