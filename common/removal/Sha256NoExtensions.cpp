// Processors without SHA extensions the program knows of: only the portable compression.

#include "common/removal/Sha256Blocks.h"

namespace qv::removal {

bool compressWithShaExtensions(Sha256State&, const std::uint8_t*, std::size_t) {
    return false;
}

}  // namespace qv::removal
