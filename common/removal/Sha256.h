#pragma once
// SHA-256 (FIPS 180-4) of a stream of bytes, fed a piece at a time: the quarantine keeps it
// beside every file it holds, so that a file put back is known to be byte for byte the one
// that was removed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/removal/Sha256Blocks.h"

namespace qv::removal {

using Sha256Digest = std::array<std::uint8_t, 32>;

class Sha256 {
public:
    Sha256();
    void update(std::string_view bytes);
    // The digest of everything fed so far; the object is not to be fed afterwards.
    Sha256Digest finish();

private:
    void compress(const std::uint8_t* blocks, std::size_t count);

    Sha256State state_;
    std::array<std::uint8_t, 64> pending_{};
    std::size_t pendingSize_ = 0;
    std::uint64_t length_ = 0;
};

// The digest as 64 lower-case hexadecimal digits.
std::string toHex(const Sha256Digest& digest);

}  // namespace qv::removal
