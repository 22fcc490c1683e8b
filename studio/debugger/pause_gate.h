// The lock a paused script waits on. Two states, free and taken: the run
// thread takes it at the end of every pause, the studio's controls hand it
// over. Once abandoned (the run is stopping) it never blocks again.
#pragma once

#include <condition_variable>
#include <mutex>

class PauseGate {
public:
    // Run thread: take the gate, blocking while it is taken.
    void wait();
    // Continue / step controls: take a free gate (nobody waits on it yet), or
    // free a taken one so that a blocked run thread takes it and goes on.
    void release();
    // End of a run: leave the gate free, waking a blocked run thread.
    void open();
    // Stop: wake a blocked run thread and let every later wait pass.
    void abandon();

    bool isTaken() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable freed_;
    bool taken_ = false;
    bool abandoned_ = false;
};
