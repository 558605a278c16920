#include "guard/platform/win32/host/adapters/ShapeAdapter.h"

#include <algorithm>

#include "common/win32/UniqueHandle.h"
#include "guard/platform/win32/host/Colours.h"
#include "guard/platform/win32/host/HostContext.h"

namespace qv::win32 {

ShapeAdapter::ShapeAdapter(FormControls& form, ui::Shape& shape)
    : PaintedAdapter(form, shape), shape_(shape) {}

void ShapeAdapter::draw(HDC dc, Canvas& /*canvas*/, RECT area) const {
    GdiCache& gdi = context().gdi();
    int t = std::max(shape_.borderWidth(), 1);
    if (shape_.fillStyle() == ui::FillStyle::Solid) {
        RECT inside = area;
        InflateRect(&inside, -t, -t);
        FillRect(dc, &inside, gdi.brush(resolveColour(shape_.backColor())));
    }
    HBRUSH line = gdi.brush(resolveColour(shape_.borderColor()));
    RECT bands[] = {{area.left, area.top, area.right, area.top + t},
                    {area.left, area.bottom - t, area.right, area.bottom},
                    {area.left, area.top, area.left + t, area.bottom},
                    {area.right - t, area.top, area.right, area.bottom}};
    for (RECT& band : bands) FillRect(dc, &band, line);
}

void ShapeAdapter::place() {
    PaintedAdapter::place();
    updateRegion();
}

void ShapeAdapter::updateToolTip(HWND /*toolTips*/) {}

void ShapeAdapter::showContent() {
    updateRegion();
}

void ShapeAdapter::show(ui::Property property) {
    if (property == ui::Property::BorderStyle || property == ui::Property::BackColor) {
        updateRegion();
    }
    PaintedAdapter::show(property);
}

void ShapeAdapter::paint(HDC target) {
    RECT client;
    GetClientRect(window(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    Canvas unused(nullptr, 0, 0, 0, true);
    draw(target, unused, client);
}

void ShapeAdapter::updateRegion() {
    if (!window()) return;
    RECT rc = windowRect();
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int t = std::max(shape_.borderWidth(), 1);
    UniqueRegion region(CreateRectRgn(0, 0, w, h));
    // An outline only: what lies inside the rectangle stays visible and clickable.
    if (region && shape_.fillStyle() == ui::FillStyle::Transparent && w > 2 * t && h > 2 * t) {
        UniqueRegion inside(CreateRectRgn(t, t, w - t, h - t));
        if (inside) CombineRgn(region.get(), region.get(), inside.get(), RGN_DIFF);
    }
    // The window owns the region once SetWindowRgn succeeds (and it must not be deleted
    // then); a region the call did not take is still ours.
    if (SetWindowRgn(window(), region.get(), TRUE)) region.release();
}

}  // namespace qv::win32
