#pragma once
// The skin file Pifu.she: plain UTF-8 text (a byte-order mark is allowed) in sections of
// "key = value" lines, giving the colours and the button font of the program's windows.
// The format is described in guard/platform/skin/SKIN.md. Reading is a pure function over
// the file's bytes: a file that breaks any rule is damaged and gives no skin at all, so a
// half-read skin never shows.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv::skin {

// A colour as Windows keeps it: 0x00BBGGRR.
using Colour = std::uint32_t;

struct SkinFont {
    std::string face;  // UTF-8; empty: the windows' own font
    double points = 9;
    bool bold = false;
    friend bool operator==(const SkinFont&, const SkinFont&) = default;
};

struct Theme {
    std::string name;
    // [window]: the surface of every window and the text drawn on it.
    Colour windowFace = 0;
    Colour windowText = 0;
    // [button]: push buttons.
    Colour buttonFace = 0;
    Colour buttonText = 0;
    Colour buttonBorder = 0;
    Colour buttonPressed = 0;
    SkinFont buttonFont;
    // [frame]: the outline and caption of group frames.
    Colour frameLine = 0;
    Colour frameText = 0;
    // [edit]: text boxes and lists.
    Colour editFace = 0;
    Colour editText = 0;
    friend bool operator==(const Theme&, const Theme&) = default;
};

// Larger files are damaged.
inline constexpr std::size_t kMaxSkinBytes = 64 * 1024;

// The theme a skin file describes; nullopt when the file is damaged.
std::optional<Theme> readSkin(std::string_view bytes);

}  // namespace qv::skin
