#pragma once
// The preview of a skin: a miniature of the guard's main window (its monitoring page)
// painted in the skin's colours and button font, as the guard's skin engine would show
// it: the window surface and its text, check boxes, a group frame with its caption, push
// buttons with their outline (one of them pressed), and text and list boxes. The caption
// bar, the navigation pictures and the coloured status texts keep their own colours, as
// in the guard.

#include <windows.h>

#include <string>

#include "guard/platform/skin/SkinFile.h"

namespace qv::pifushe::win32 {

// Paints the preview of `theme` over `area` of `dc`; with no theme, `notice` instead (why a
// damaged skin cannot be shown, or that none is chosen). `dpi` is the screen's, for the
// fonts.
void paintPreview(HDC dc, const RECT& area, const skin::Theme* theme, const std::string& notice,
                  int dpi);

}  // namespace qv::pifushe::win32
