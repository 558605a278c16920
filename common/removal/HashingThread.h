#pragma once
// SHA-256 of a file's pieces on a thread of its own, so that hashing one piece overlaps
// reading and writing the next: the processor's SHA instructions hash about as fast as a
// file is copied, so doing one after the other nearly doubles the time of a copy. Once the
// last piece is hashed, the thread can run one more task of the caller's while the caller
// goes on (the quarantine is listed while the copy is flushed).
//
// A job's pieces lie in a small ring of buffers that the caller fills in turn; a buffer
// comes back to the caller only once the thread has hashed what it held. The thread is
// made on the first job and kept for the next ones (making a thread costs about a
// millisecond under Wine). Each side waits for the other by spinning a moment, then
// sleeping: the other side is usually a few microseconds away, and a sleep and wake-up
// costs about a tenth of a millisecond under Wine, longer than hashing a piece.
//
// Only one thread hands work over; the object is not shared between callers.

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

#include "common/removal/Sha256.h"

namespace qv::removal {

class HashingThread {
public:
    static constexpr std::size_t kRingSize = 4;

    // One file's digest. Until it goes away the thread may still be reading its buffers
    // or running its task, so it waits for the thread in its destructor.
    class Job {
    public:
        ~Job();
        Job(const Job&) = delete;
        Job& operator=(const Job&) = delete;

        // The buffer to fill next, once the thread is done with what it held.
        std::span<char> nextBuffer();
        // Hands over the first `size` bytes of the buffer nextBuffer() gave last.
        void hash(std::size_t size);
        // The digest of every byte handed over.
        Sha256Digest finish();
        // Runs `task` once every piece handed over is hashed, on the thread, while the
        // caller goes on; the caller's own thread runs it at once when the job is not
        // overlapped. No piece is handed over after it.
        void runAfterHashing(std::function<void()> task);
        void waitForTask();

    private:
        friend class HashingThread;
        Job(HashingThread& thread, std::size_t pieceSize, bool overlapped);

        HashingThread& thread_;
        std::size_t pieceSize_;
        bool overlapped_;
        std::vector<std::vector<char>> buffers_;  // made as they are first needed
    };

    HashingThread() = default;
    ~HashingThread();
    HashingThread(const HashingThread&) = delete;
    HashingThread& operator=(const HashingThread&) = delete;

    // A new digest, of pieces of at most `pieceSize` bytes; one job at a time. Unless
    // `overlapped` (a file of one piece, where there is nothing to overlap), the caller's
    // own thread hashes, as it also does when no thread can be made.
    Job start(std::size_t pieceSize, bool overlapped);

private:
    void run();
    // Waits until `ready()`: spinning first, then sleeping until the other side wakes it.
    template <typename Ready>
    void waitUntil(Ready ready, std::atomic<bool>& asleep);
    void wake(const std::atomic<bool>& asleep);
    void waitForAllHashed();

    std::thread thread_;
    Sha256 hash_;  // the thread's while pieces are pending, the caller's otherwise
    std::array<std::string_view, kRingSize> pieces_;
    std::function<void()> task_;  // the thread's while taskPending_
    // Pieces handed over and pieces hashed since the thread was made; only the caller
    // advances the first, only the thread the second.
    std::atomic<std::size_t> handed_{0}, hashed_{0};
    std::atomic<std::size_t> jobs_{0};
    std::atomic<bool> taskPending_{false}, stopping_{false};
    std::mutex sleepLock_;
    std::condition_variable wakeUp_;
    std::atomic<bool> threadAsleep_{false}, callerAsleep_{false};
};

}  // namespace qv::removal
