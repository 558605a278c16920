#pragma once
// UTF-16 little-endian text, as shortcuts and some autorun.inf files hold it, turned into
// the UTF-8 the programs keep. Pure: no system call, so the readers that use it can be
// tested and fuzzed on any platform.

#include <string>
#include <string_view>

namespace qv::worms {

// `bytes` read as UTF-16LE code units (an odd last byte is dropped); a unit that is half
// of a surrogate pair with no other half becomes U+FFFD, as the system shows it.
std::string utf16leToUtf8(std::string_view bytes);

// Whether `bytes` begin with the UTF-16LE byte-order mark FF FE.
inline bool startsWithUtf16leMark(std::string_view bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xFE;
}

}  // namespace qv::worms
