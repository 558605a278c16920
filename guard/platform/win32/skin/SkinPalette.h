#pragma once
// The skin in force in this process, which the window host asks for its colours. Until a
// skin is applied there is none and every colour is the system's.

#include <windows.h>

#include <optional>

#include "guard/platform/skin/SkinFile.h"

namespace qv::win32::skin {

// The skin applied last in this run; nullptr before any.
const qv::skin::Theme* activeTheme();
void setActiveTheme(const qv::skin::Theme& theme);

// The skin's colour for the system colour `index` (COLOR_BTNFACE ...), when the skin
// changes that colour.
std::optional<COLORREF> systemColour(int index);

}  // namespace qv::win32::skin
