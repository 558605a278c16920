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

// The sizes each icon file holds: the small icon at 100% to 200% scaling, and the large
// ones up to what Explorer's medium view asks for at 125%.
inline constexpr std::array kIconSizes{16, 24, 32, 48, 64};

// The bytes of an icon file drawing the picture `pictureKey` at each of `sizes` (1 to 255
// pixels); empty for a key no picture has or a size outside that range.
std::string iconFileOf(std::string_view pictureKey, std::span<const int> sizes);

}  // namespace qv::icons
