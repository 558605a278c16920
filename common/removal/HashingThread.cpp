#include "common/removal/HashingThread.h"

#include <chrono>
#include <system_error>

namespace qv::removal {

namespace {

// How long a side spins before it sleeps: longer than hashing, reading or writing a piece
// takes, so that in a copy from the disk cache neither side sleeps while the other works.
constexpr auto kSpinning = std::chrono::microseconds(500);

}  // namespace

HashingThread::Job::Job(HashingThread& thread, std::size_t pieceSize, bool overlapped)
    : thread_(thread), pieceSize_(pieceSize), overlapped_(overlapped) {}

HashingThread::Job::~Job() {
    if (overlapped_) thread_.waitForAllHashed();
}

std::span<char> HashingThread::Job::nextBuffer() {
    std::size_t slot = 0;
    if (overlapped_) {
        const std::size_t next = thread_.handed_;
        thread_.waitUntil([&] { return next - thread_.hashed_ < kRingSize; },
                          thread_.callerAsleep_);
        slot = next % kRingSize;
    }
    std::vector<char>& buffer = thread_.buffers_[slot];
    if (buffer.size() < pieceSize_) buffer.resize(pieceSize_);
    return {buffer.data(), pieceSize_};
}

void HashingThread::Job::hash(std::size_t size) {
    if (!overlapped_) {
        thread_.hash_.update(std::string_view(thread_.buffers_[0].data(), size));
        return;
    }
    const std::size_t next = thread_.handed_;
    thread_.pieces_[next % kRingSize] =
        std::string_view(thread_.buffers_[next % kRingSize].data(), size);
    thread_.handed_ = next + 1;
    thread_.rendezvous_.wake(thread_.threadAsleep_);
}

Sha256Digest HashingThread::Job::finish() {
    if (overlapped_) thread_.waitForAllHashed();
    return thread_.hash_.finish();
}

HashingThread::~HashingThread() {
    if (!thread_.joinable()) return;
    stopping_ = true;
    rendezvous_.wake(threadAsleep_);
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
        rendezvous_.wake(threadAsleep_);
    }
    return Job(*this, pieceSize, overlapped);
}

void HashingThread::run() {
    std::size_t next = hashed_, jobs = jobs_;
    for (;;) {
        waitUntil([&] { return handed_ > next || jobs_ != jobs || stopping_; }, threadAsleep_);
        if (handed_ > next) {
            hash_.update(pieces_[next % kRingSize]);
            hashed_ = ++next;
            rendezvous_.wake(callerAsleep_);
        } else if (jobs_ != jobs) {
            jobs = jobs_;  // a new job: spin again, for its first piece
        } else {
            return;  // stopping, with nothing left to hash
        }
    }
}

template <typename Ready>
void HashingThread::waitUntil(Ready ready, std::atomic<bool>& asleep) {
    rendezvous_.waitUntil(ready, asleep, kSpinning);
}

void HashingThread::waitForAllHashed() {
    const std::size_t handed = handed_;
    waitUntil([&] { return hashed_ == handed; }, callerAsleep_);
}

}  // namespace qv::removal
