#include "guard/platform/win32/host/adapters/LabelAdapter.h"

#include <string>

#include "common/win32/Gdi.h"
#include "common/win32/Text.h"
#include "guard/platform/win32/host/CloseSetText.h"
#include "guard/platform/win32/host/Colours.h"
#include "guard/platform/win32/host/HostContext.h"

namespace qv::win32 {

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
        setClose(dc, caption, text,
                 fittedSpacing(dc, caption, text, label.font().wideSpacing, context().dpi()), true);
    } else {
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    }
}

}  // namespace qv::win32
