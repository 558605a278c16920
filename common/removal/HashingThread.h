#pragma once
// SHA-256 of a file's pieces on a thread of its own, so that hashing one piece overlaps
// reading and writing the next: the processor's SHA instructions hash about as fast as a
// file is copied, so doing one after the other nearly doubles the time of a copy.
//
// A job's pieces lie in a small ring of buffers that the caller fills in turn; a buffer
// comes back to the caller only once the thread has hashed what it held. The thread and
// the buffers are made on the first job and kept for the next ones (making a thread costs
// about a millisecond under Wine, and fresh buffers a page fault every 4 KiB). Each side
// waits for the other by spinning a moment, then sleeping (Rendezvous.h): the other side is
// usually a few microseconds away.
//
// Only one thread hands work over; the object is not shared between callers.

#include <array>
#include <atomic>
#include <cstddef>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

#include "common/removal/Rendezvous.h"
#include "common/removal/Sha256.h"

namespace qv::removal {

class HashingThread {
public:
    static constexpr std::size_t kRingSize = 4;

    // One file's digest. Until it goes away the thread may still be reading its buffers,
    // so it waits for the thread in its destructor.
    class Job {
    public:
        ~Job();
        Job(const Job&) = delete;
        Job& operator=(const Job&) = delete;

        // The buffer to fill next, once the thread is done with what it held.
        std::span<char> nextBuffer();
        // Hands over the first `size` bytes of the buffer nextBuffer() gave last.
        void hash(std::size_t size);
        // The digest of every byte handed over; nothing is handed over afterwards.
        Sha256Digest finish();

    private:
        friend class HashingThread;
        Job(HashingThread& thread, std::size_t pieceSize, bool overlapped);

        HashingThread& thread_;
        std::size_t pieceSize_;
        bool overlapped_;
    };

    HashingThread() = default;
    ~HashingThread();
    HashingThread(const HashingThread&) = delete;
    HashingThread& operator=(const HashingThread&) = delete;

    // A new digest, of pieces of at most `pieceSize` bytes; one job at a time. Unless
    // `overlapped` (a small file, where waking the thread costs more than it saves), the
    // caller's own thread hashes, as it also does when no thread can be made.
    Job start(std::size_t pieceSize, bool overlapped);

private:
    void run();
    template <typename Ready>
    void waitUntil(Ready ready, std::atomic<bool>& asleep);
    void waitForAllHashed();

    std::thread thread_;
    // The ring; a job that hashes on the caller's thread uses the first buffer only.
    std::array<std::vector<char>, kRingSize> buffers_;
    Sha256 hash_;  // the thread's while pieces are pending, the caller's otherwise
    std::array<std::string_view, kRingSize> pieces_;
    // Pieces handed over and pieces hashed since the thread was made; only the caller
    // advances the first, only the thread the second.
    std::atomic<std::size_t> handed_{0}, hashed_{0};
    std::atomic<std::size_t> jobs_{0};
    std::atomic<bool> stopping_{false};
    Rendezvous rendezvous_;
    std::atomic<bool> threadAsleep_{false}, callerAsleep_{false};
};

}  // namespace qv::removal
