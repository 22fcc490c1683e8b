#include "pause_gate.h"

namespace vantor {

void PauseGate::wait()
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (abandoned_)
        return;
    if (!taken_) {
        taken_ = true;
        return;
    }
    ++waiting_;
    handedOver_.wait(lock, [this] { return grants_ > 0 || abandoned_; });
    --waiting_;
    if (grants_ > 0)
        --grants_;
}

void PauseGate::release()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (taken_ && waiting_ > grants_)
            ++grants_;  // freed and taken again by the blocked thread: still taken
        else
            taken_ = !taken_;
    }
    handedOver_.notify_all();
}

void PauseGate::open()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        grants_ = waiting_;
        taken_ = false;
    }
    handedOver_.notify_all();
}

void PauseGate::abandon()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        abandoned_ = true;
        taken_ = false;
    }
    handedOver_.notify_all();
}

bool PauseGate::isTaken() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return taken_;
}

bool PauseGate::hasWaiter() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return waiting_ > grants_;
}

}  // namespace vantor
