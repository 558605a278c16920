#include "common/removal/HashingThread.h"

#include <chrono>
#include <system_error>

namespace qv::removal {

namespace {

// How long a side spins before it sleeps: longer than hashing, reading or writing a piece
// takes, so that in a copy from the disk cache neither side ever sleeps.
constexpr auto kSpinning = std::chrono::milliseconds(1);

}  // namespace

HashingThread::Job::Job(HashingThread& thread, std::size_t pieceSize, bool overlapped)
    : thread_(thread),
      pieceSize_(pieceSize),
      overlapped_(overlapped),
      buffers_(overlapped ? kRingSize : 1) {}

HashingThread::Job::~Job() {
    if (!overlapped_) return;
    waitForTask();
    thread_.waitForAllHashed();
}

std::span<char> HashingThread::Job::nextBuffer() {
    std::size_t slot = 0;
    if (overlapped_) {
        const std::size_t next = thread_.handed_;
        thread_.waitUntil([&] { return next - thread_.hashed_ < kRingSize; },
                          thread_.callerAsleep_);
        slot = next % kRingSize;
    }
    std::vector<char>& buffer = buffers_[slot];
    if (buffer.empty()) buffer.resize(pieceSize_);
    return buffer;
}

void HashingThread::Job::hash(std::size_t size) {
    if (!overlapped_) {
        thread_.hash_.update(std::string_view(buffers_[0].data(), size));
        return;
    }
    const std::size_t next = thread_.handed_;
    thread_.pieces_[next % kRingSize] = std::string_view(buffers_[next % kRingSize].data(), size);
    thread_.handed_ = next + 1;
    thread_.wake(thread_.threadAsleep_);
}

Sha256Digest HashingThread::Job::finish() {
    if (overlapped_) thread_.waitForAllHashed();
    return thread_.hash_.finish();
}

void HashingThread::Job::runAfterHashing(std::function<void()> task) {
    if (!overlapped_) {
        task();
        return;
    }
    thread_.task_ = std::move(task);
    thread_.taskPending_ = true;
    thread_.wake(thread_.threadAsleep_);
}

void HashingThread::Job::waitForTask() {
    if (overlapped_)
        thread_.waitUntil([&] { return !thread_.taskPending_; }, thread_.callerAsleep_);
}

HashingThread::~HashingThread() {
    if (!thread_.joinable()) return;
    stopping_ = true;
    wake(threadAsleep_);
    thread_.join();
}

HashingThread::Job HashingThread::start(std::size_t pieceSize, bool overlapped) {
    if (overlapped && !thread_.joinable()) {
        try {
            thread_ = std::thread([this] { run(); });
        } catch (const std::system_error&) {
            overlapped = false;  // no thread to be had: the caller's thread hashes
        }
    }
    hash_ = Sha256();
    if (overlapped) {
        // Woken now, the thread is spinning by the time the first piece comes.
        ++jobs_;
        wake(threadAsleep_);
    }
    return Job(*this, pieceSize, overlapped);
}

void HashingThread::run() {
    std::size_t next = hashed_, jobs = jobs_;
    for (;;) {
        waitUntil([&] { return handed_ > next || taskPending_ || jobs_ != jobs || stopping_; },
                  threadAsleep_);
        if (handed_ > next) {
            hash_.update(pieces_[next % kRingSize]);
            hashed_ = ++next;
            wake(callerAsleep_);
        } else if (taskPending_) {
            task_();
            task_ = nullptr;
            taskPending_ = false;
            wake(callerAsleep_);
        } else if (jobs_ != jobs) {
            jobs = jobs_;  // a new job: spin again, for its first piece
        } else {
            return;  // stopping, with nothing left to hash
        }
    }
}

// The side that sleeps says so before it looks at `ready` a last time, and the other side
// changes what `ready` reads before it looks whether to wake it (both sequentially
// consistent): so either the sleeper sees the change or the other side sees the sleeper.
template <typename Ready>
void HashingThread::waitUntil(Ready ready, std::atomic<bool>& asleep) {
    const auto spinUntil = std::chrono::steady_clock::now() + kSpinning;
    while (!ready()) {
        if (std::chrono::steady_clock::now() < spinUntil) {
            std::this_thread::yield();
            continue;
        }
        std::unique_lock lock(sleepLock_);
        asleep = true;
        wakeUp_.wait(lock, ready);
        asleep = false;
        return;
    }
}

void HashingThread::wake(const std::atomic<bool>& asleep) {
    if (!asleep) return;
    std::lock_guard lock(sleepLock_);
    wakeUp_.notify_all();
}

void HashingThread::waitForAllHashed() {
    const std::size_t handed = handed_;
    waitUntil([&] { return hashed_ == handed; }, callerAsleep_);
}

}  // namespace qv::removal
