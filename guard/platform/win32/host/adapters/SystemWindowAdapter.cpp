#include "guard/platform/win32/host/adapters/SystemWindowAdapter.h"

#include "common/win32/Text.h"
#include "guard/platform/win32/skin/SkinPalette.h"

namespace qv::win32 {

void SystemWindowAdapter::show(ui::Property property) {
    switch (property) {
        case ui::Property::Caption:
            SetWindowTextW(window(), toWide(control().caption()).c_str());
            break;
        case ui::Property::Bounds:
            relocate();
            break;
        case ui::Property::BackColor:
        case ui::Property::ForeColor:
        case ui::Property::Picture:
            InvalidateRect(window(), nullptr, TRUE);
            break;
        default:
            break;
    }
}

void SystemWindowAdapter::showBorder() {
    LONG_PTR ex = GetWindowLongPtrW(window(), GWL_EXSTYLE);
    if (control().borderStyle() == ui::Border::FixedSingle)
        ex |= WS_EX_CLIENTEDGE;
    else
        ex &= ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
    SetWindowLongPtrW(window(), GWL_EXSTYLE, ex);
    SetWindowPos(window(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

ControlAdapter::Colours SystemWindowAdapter::editColours() const {
    Colours c = ControlAdapter::colours();
    if (const qv::skin::Theme* skin = skin::activeTheme()) {
        if (control().backColor() == ui::kSystemFaceColor) c.back = skin->editFace;
        if (control().foreColor() == ui::kSystemTextColor) c.text = skin->editText;
    }
    return c;
}

}  // namespace qv::win32
