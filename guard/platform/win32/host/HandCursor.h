#pragma once
// The pointing-hand cursor of clickable pictures and link labels: a 32 x 32 monochrome
// cursor drawn by code, its hot spot on the fingertip (column 6, row 0).

#include <windows.h>

#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

constexpr int kHandHotSpotX = 6;
constexpr int kHandHotSpotY = 0;

// A new cursor; none on failure.
UniqueCursor createHandCursor(HINSTANCE instance);

}  // namespace qv::win32
