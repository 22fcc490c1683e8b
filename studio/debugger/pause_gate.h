// The lock a paused script waits on. Two states, free and taken: the run
// thread takes it at the end of every pause, the studio's controls hand it
// over. A blocked run thread takes the gate at the moment it is freed, so two
// quick presses count as two. Once abandoned (the run is stopping) it never
// blocks again.
#pragma once

#include <condition_variable>
#include <mutex>

namespace vantor {

class PauseGate {
public:
    // Run thread: take the gate, blocking while it is taken.
    void wait();
    // Continue / step controls: take a free gate (nobody waits on it yet), or
    // free a taken one, which a blocked run thread takes at once and goes on.
    void release();
    // End of a run: leave the gate free, letting a blocked run thread go on.
    void open();
    // Stop: wake a blocked run thread and let every later wait pass.
    void abandon();

    bool isTaken() const;
    // True while a run thread is blocked in wait().
    bool hasWaiter() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable handedOver_;
    bool taken_ = false;
    bool abandoned_ = false;
    int waiting_ = 0;  // run threads blocked in wait()
    int grants_ = 0;   // hand-overs to blocked threads not yet picked up
};

}  // namespace vantor
