#include "guard/platform/win32/host/adapters/FrameAdapter.h"

#include <string>

#include "common/win32/Gdi.h"
#include "common/win32/Text.h"
#include "guard/platform/win32/host/Colours.h"
#include "guard/platform/win32/host/FormControls.h"
#include "guard/platform/win32/skin/SkinPalette.h"

namespace qv::win32 {

void FrameAdapter::relocate() {
    form().placeAll();  // its contents move with it
}

void FrameAdapter::draw(HDC dc, Canvas& /*canvas*/, RECT area) const {
    const ui::Control& frame = control();
    GdiCache& gdi = context().gdi();
    COLORREF back = resolveColour(frame.backColor());
    FillRect(dc, &area, gdi.brush(back));
    Selection font(dc, gdi.font(frame.font()));
    std::wstring caption = toWide(frame.caption());
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, caption.empty() ? L"Ag" : caption.c_str(),
                          caption.empty() ? 2 : static_cast<int>(caption.size()), &size);
    RECT edge = area;
    edge.top += size.cy / 2;
    const qv::skin::Theme* skin = skin::activeTheme();
    if (skin)
        FrameRect(dc, &edge, gdi.brush(skin->frameLine));
    else
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    if (caption.empty()) return;
    RECT behind{area.left + 6, area.top, area.left + 10 + size.cx, area.top + size.cy};
    FillRect(dc, &behind, gdi.brush(back));
    SetBkMode(dc, TRANSPARENT);
    COLORREF text = skin && frame.foreColor() == ui::kSystemTextColor
                        ? skin->frameText
                        : resolveColour(frame.foreColor());
    SetTextColor(dc, frame.enabled() ? text : GetSysColor(COLOR_GRAYTEXT));
    TextOutW(dc, area.left + 8, area.top, caption.c_str(), static_cast<int>(caption.size()));
}

}  // namespace qv::win32
