#include "common/win32/FittedCaption.h"

#include <cstdlib>

#include "common/win32/Gdi.h"
#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

namespace {

// A caption too large for its box is drawn smaller, down to this height in pixels.
constexpr int kSmallestCaptionHeight = 8;

enum class Fit { OneLine, Wrapped, None };

// How `caption` fits in `box` in the font selected into `dc`, and the rectangle its text
// takes (`lines`).
Fit captionFit(HDC dc, const std::wstring& caption, const RECT& box, RECT& lines) {
    const int characters = static_cast<int>(caption.size());
    const int width = box.right - box.left, height = box.bottom - box.top;
    lines = box;
    DrawTextW(dc, caption.c_str(), characters, &lines, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    if (lines.right - lines.left <= width) {
        return lines.bottom - lines.top <= height ? Fit::OneLine : Fit::None;
    }
    lines = box;
    DrawTextW(dc, caption.c_str(), characters, &lines,
              DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    const bool fits = lines.right - lines.left <= width && lines.bottom - lines.top <= height;
    return fits ? Fit::Wrapped : Fit::None;
}

}  // namespace

void drawFittedCaption(HDC dc, const std::wstring& caption, RECT box, HFONT font) {
    LOGFONTW face{};
    const bool scalable = GetObjectW(font, sizeof face, &face) == sizeof face;
    UniqueFont smaller;  // made before the selection, so deleted after it is undone
    Selection selected(dc, font);
    RECT lines{};
    Fit fit = captionFit(dc, caption, box, lines);
    for (int height = std::abs(face.lfHeight) - 1;
         fit == Fit::None && scalable && height >= kSmallestCaptionHeight; --height) {
        face.lfHeight = -height;
        face.lfWidth = 0;
        UniqueFont next(CreateFontIndirectW(&face));
        if (!next) break;
        // Selected before the last smaller one goes: a font still selected is not deleted.
        SelectObject(dc, next.get());
        smaller = std::move(next);
        fit = captionFit(dc, caption, box, lines);
    }
    const int characters = static_cast<int>(caption.size());
    if (fit == Fit::OneLine) {
        DrawTextW(dc, caption.c_str(), characters, &box,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    const int spare = (box.bottom - box.top) - (lines.bottom - lines.top);
    if (spare > 0) box.top += spare / 2;
    DrawTextW(dc, caption.c_str(), characters, &box, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace qv::win32
