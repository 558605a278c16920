#pragma once
// Windows icon files (.ico) of the program's pictures, made when the programs are built
// and compiled into their resources, so that Explorer, the Start menu, the taskbar and
// "Programs and Features" show the guard's own pictures rather than a blank program's.
// Each size is one 32-bit image with straight alpha, stored as a DIB of twice its height
// followed by its AND mask, the layout Windows reads from an icon resource ("Icons",
// learn.microsoft.com/windows/win32/menurc/icons; "ICONDIR", "ICONDIRENTRY").

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace qv::icons {

// The sizes each icon file holds: the small icon (16) and the large one (32) at 100%,
// 125%, 150% and 200% scaling, and Explorer's and the desktop's views up to 96 pixels (its
// large icons at 100%, the desktop's at 200%), from which Windows scales the sizes between
// down ("App icon construction", learn.microsoft.com/windows/apps/design/iconography).
// Larger images would have to be stored compressed (PNG) to keep the programs small.
inline constexpr std::array kIconSizes{16, 20, 24, 32, 40, 48, 64, 96};

// The bytes of an icon file drawing the picture `pictureKey` at each of `sizes` (1 to 255
// pixels); empty for a key no picture has or a size outside that range.
std::string iconFileOf(std::string_view pictureKey, std::span<const int> sizes);

}  // namespace qv::icons
