#pragma once
// A thread of its own that runs the caller's tasks one at a time while the caller goes on:
// the quarantine is listed, and a copy flushed to the disk part by part, while the file is
// still being copied. The thread is made on the first task and kept for the next ones
// (making a thread costs about a millisecond under Wine); when none can be made, the
// caller's own thread runs each task as it is posted.
//
// Only one thread posts; the object is not shared between callers.

#include <atomic>
#include <functional>
#include <thread>

#include "common/removal/Rendezvous.h"

namespace qv::removal {

class TaskThread {
public:
    TaskThread() = default;
    ~TaskThread();
    TaskThread(const TaskThread&) = delete;
    TaskThread& operator=(const TaskThread&) = delete;

    // Runs `task` once the task posted before it has ended.
    void post(std::function<void()> task);
    // Whether every task posted has ended.
    bool idle() const { return !pending_; }
    // Returns once every task posted has ended.
    void wait();

private:
    void run();

    std::thread thread_;
    std::function<void()> task_;  // the thread's while pending_
    std::atomic<bool> pending_{false}, stopping_{false};
    Rendezvous rendezvous_;
    std::atomic<bool> threadAsleep_{false}, callerAsleep_{false};
};

}  // namespace qv::removal
