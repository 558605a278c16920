#pragma once
// Units of the window layout: positions and sizes in twips (1/1440 inch; 15 twips are one
// pixel at 96 dpi) and colours as Windows colour values 0x00BBGGRR.

#include <cstdint>

namespace qv::ui {

using Twips = int;
using Color = std::uint32_t;

constexpr Twips kTwipsPerInch = 1440;

constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>(r & 0xFF) | static_cast<Color>(g & 0xFF) << 8 |
           static_cast<Color>(b & 0xFF) << 16;
}

// The system's default text colour (the colour a control has unless it sets its own).
constexpr Color kSystemTextColor = 0x80000012;
constexpr Color kSystemFaceColor = 0x8000000F;
constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;

struct Rect {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Size {
    Twips width = 0;
    Twips height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

}  // namespace qv::ui
