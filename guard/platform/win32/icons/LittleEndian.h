#pragma once
// Numbers appended to a file's bytes least significant byte first, as the icon and bitmap
// formats of Windows store them.

#include <cstdint>
#include <string>

namespace qv::icons {

inline void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

inline void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace qv::icons
