#pragma once
// The compression of SHA-256, 64-byte blocks into the eight words of state: portable, and
// with the processor's SHA extensions where it has them (several times faster; the
// quarantine hashes every file it keeps). Sha256 uses the second when it can.

#include <array>
#include <cstddef>
#include <cstdint>

namespace qv::removal {

using Sha256State = std::array<std::uint32_t, 8>;

void compressPortable(Sha256State& state, const std::uint8_t* blocks, std::size_t count);

// False, with `state` untouched, when the processor has no SHA extensions.
bool compressWithShaExtensions(Sha256State& state, const std::uint8_t* blocks, std::size_t count);

}  // namespace qv::removal
