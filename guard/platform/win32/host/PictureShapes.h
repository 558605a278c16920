#pragma once
// The shapes of the program's pictures, drawn by code over a Canvas and named by key (see
// PictureArt.h for the keys). Plain C++ without Windows' headers, so that the build's icon
// maker draws the programs' file icons from the same shapes as the windows show.

#include <string_view>

#include "guard/platform/win32/host/Canvas.h"

namespace qv::win32 {

// Most pictures are drawn in a design box of this many units each way.
inline constexpr double kPictureUnit = 100;

struct PictureShape {
    std::string_view key;
    void (*draw)(Canvas&);
    double designWidth;
    double designHeight;
    int naturalSize;  // in pixels for the pictures that are icons, else 0
    bool hasText;     // finished with words drawn by GDI over the shapes
};

// The picture named `key`; nullptr for an unknown key.
const PictureShape* findPictureShape(std::string_view key);

// What stands for an unknown picture: a neutral frame, in a kPictureUnit square.
void drawUnknownPicture(Canvas& canvas);

}  // namespace qv::win32
