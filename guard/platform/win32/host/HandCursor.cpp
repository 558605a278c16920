#include "guard/platform/win32/host/HandCursor.h"

#include <array>
#include <cstdint>

namespace qv::win32 {

namespace {

// '#' black outline, 'o' white inside, anything else transparent. Rows beyond the picture
// and columns beyond each row are transparent.
constexpr const char* kHand[] = {
    ".....##..........",  //
    "....#oo#.........",  //
    "....#oo#.........",  //
    "....#oo#.........",  //
    "....#oo#.........",  //
    "....#oo###.......",  //
    "....#oo#oo###....",  //
    "....#oo#oo#oo##..",  //
    ".##.#oo#oo#oo#o#.",  //
    "#oo##oooooooo#oo#",  //
    "#ooo#ooooooooooo#",  //
    ".#oooooooooooooo#",  //
    "..#ooooooooooooo#",  //
    "..#oooooooooooo#.",  //
    "...#ooooooooooo#.",  //
    "...#oooooooooo#..",  //
    "....#ooooooooo#..",  //
    "....#ooooooooo#..",  //
    ".....#########...",  //
};

}  // namespace

UniqueCursor createHandCursor(HINSTANCE instance) {
    constexpr int kSize = 32;
    constexpr int kRowBytes = kSize / 8;
    std::array<std::uint8_t, kSize * kRowBytes> andPlane;
    std::array<std::uint8_t, kSize * kRowBytes> xorPlane{};
    andPlane.fill(0xFF);  // transparent everywhere to begin with
    int row = 0;
    for (const char* line : kHand) {
        for (int col = 0; line[col] != '\0' && col < kSize; ++col) {
            char c = line[col];
            if (c != '#' && c != 'o') continue;
            size_t byte = static_cast<size_t>(row * kRowBytes + col / 8);
            auto bit = static_cast<std::uint8_t>(0x80 >> (col % 8));
            andPlane[byte] &= static_cast<std::uint8_t>(~bit);
            if (c == 'o') xorPlane[byte] |= bit;
        }
        ++row;
    }
    return UniqueCursor(CreateCursor(instance, kHandHotSpotX, kHandHotSpotY, kSize, kSize,
                                     andPlane.data(), xorPlane.data()));
}

}  // namespace qv::win32
