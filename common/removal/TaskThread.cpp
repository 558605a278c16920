#include "common/removal/TaskThread.h"

#include <system_error>

namespace qv::removal {

namespace {

// A task is a listing or a flush, which take from a tenth of a millisecond to many: the
// caller spins a little in case it is the first, the thread not at all between tasks.
constexpr auto kCallerSpinning = std::chrono::microseconds(100);

}  // namespace

TaskThread::~TaskThread() {
    if (!thread_.joinable()) return;
    wait();
    stopping_ = true;
    rendezvous_.wake(threadAsleep_);
    thread_.join();
}

void TaskThread::post(std::function<void()> task) {
    wait();
    if (!thread_.joinable()) {
        try {
            thread_ = std::thread([this] { run(); });
        } catch (const std::system_error&) {
            task();  // no thread to be had: the caller's thread runs it
            return;
        }
    }
    task_ = std::move(task);
    pending_ = true;
    rendezvous_.wake(threadAsleep_);
}

void TaskThread::wait() {
    rendezvous_.waitUntil([&] { return !pending_; }, callerAsleep_, kCallerSpinning);
}

void TaskThread::run() {
    for (;;) {
        rendezvous_.waitUntil([&] { return pending_ || stopping_; }, threadAsleep_,
                              std::chrono::microseconds(0));
        if (!pending_) return;  // stopping
        task_();
        task_ = nullptr;
        pending_ = false;
        rendezvous_.wake(callerAsleep_);
    }
}

}  // namespace qv::removal
