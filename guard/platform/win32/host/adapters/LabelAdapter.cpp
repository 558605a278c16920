#include "guard/platform/win32/host/adapters/LabelAdapter.h"

#include <string>

#include "common/win32/Gdi.h"
#include "common/win32/Text.h"
#include "guard/platform/win32/host/Colours.h"
#include "guard/platform/win32/host/HostContext.h"

namespace qv::win32 {

namespace {

// Characters of the CJK blocks and the full-width forms, and the space.
bool setCloser(wchar_t c) {
    return c == L' ' || c >= 0x2E80;
}

// One line of text whose wide characters and spaces stand `extra` pixels apart from the
// next, drawn run by run; Latin letters and digits keep their own spacing.
void drawCloseSet(HDC dc, const std::wstring& text, const RECT& area, int extra) {
    int before = GetTextCharacterExtra(dc);
    int x = area.left;
    for (size_t i = 0; i < text.size();) {
        bool closer = setCloser(text[i]);
        size_t end = i;
        while (end < text.size() && setCloser(text[end]) == closer) ++end;
        auto count = static_cast<int>(end - i);
        SetTextCharacterExtra(dc, closer ? extra : 0);
        SIZE size{0, 0};
        GetTextExtentPoint32W(dc, text.data() + i, count, &size);
        ExtTextOutW(dc, x, area.top, ETO_CLIPPED, &area, text.data() + i, static_cast<UINT>(count),
                    nullptr);
        x += size.cx;
        i = end;
    }
    SetTextCharacterExtra(dc, before);
}

}  // namespace

void LabelAdapter::draw(HDC dc, Canvas& /*canvas*/, RECT area) const {
    const ui::Control& label = control();
    Selection font(dc, context().gdi().font(label.font()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc,
                 label.enabled() ? resolveColour(label.foreColor()) : GetSysColor(COLOR_GRAYTEXT));
    RECT text = area;
    if (label.borderStyle() == ui::Border::FixedSingle) {
        FrameRect(dc, &area, context().gdi().brush(RGB(0, 0, 0)));
        InflateRect(&text, -2, -1);
    }
    std::wstring caption = toWide(label.caption());
    if (label.font().wideSpacing != 0) {
        drawCloseSet(dc, caption, text, label.font().wideSpacing);
    } else {
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    }
}

}  // namespace qv::win32
