// The hashing thread gives the digest of exactly the bytes handed over, in their order,
// however the pieces fall in its ring of buffers, job after job on the one thread, and
// after a job given up part way.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "common/removal/HashingThread.h"

namespace qv::removal {
namespace {

std::string bytesOf(std::size_t size, int seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 131 + i / 97 + seed);
    return bytes;
}

// Hands `bytes` over in pieces of at most `piece` bytes; every buffer is filled right
// after it comes back, so that a buffer given back before it was hashed spoils the digest.
Sha256Digest hashedThrough(HashingThread& thread, const std::string& bytes, std::size_t piece,
                           bool overlapped) {
    HashingThread::Job job = thread.start(piece, overlapped);
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        std::span<char> buffer = job.nextBuffer();
        const std::size_t size = std::min(piece, bytes.size() - at);
        std::memcpy(buffer.data(), bytes.data() + at, size);
        job.hash(size);
    }
    return job.finish();
}

Sha256Digest digestOf(const std::string& bytes) {
    Sha256 hash;
    hash.update(bytes);
    return hash.finish();
}

TEST(HashingThreadTest, GivesTheDigestOfTheWholeJobAfterJob) {
    HashingThread thread;
    const std::pair<std::size_t, std::size_t> jobs[] = {
        {0, 64}, {1, 64}, {5000, 64}, {5000, 4999}, {300000, 4096}, {1 << 20, 1 << 16}};
    int seed = 0;
    for (auto [size, piece] : jobs) {
        const std::string bytes = bytesOf(size, ++seed);
        EXPECT_EQ(hashedThrough(thread, bytes, piece, true), digestOf(bytes)) << size;
        EXPECT_EQ(hashedThrough(thread, bytes, std::max<std::size_t>(size, 1), false),
                  digestOf(bytes))
            << size << " on the caller's thread";
    }
}

TEST(HashingThreadTest, AJobGivenUpPartWayLeavesTheThreadReadyForTheNext) {
    HashingThread thread;
    {
        HashingThread::Job abandoned = thread.start(4096, true);
        for (int i = 0; i < 10; ++i) {
            std::span<char> buffer = abandoned.nextBuffer();
            std::memset(buffer.data(), 'x', buffer.size());
            abandoned.hash(buffer.size());
        }
    }
    const std::string bytes = bytesOf(100000, 7);
    EXPECT_EQ(hashedThrough(thread, bytes, 4096, true), digestOf(bytes));
}

}  // namespace
}  // namespace qv::removal
