#include "guard/platform/win32/host/adapters/PaintedAdapter.h"

#include <windowsx.h>

#include "common/win32/Gdi.h"
#include "guard/platform/win32/host/Colours.h"
#include "guard/platform/win32/host/FormControls.h"
#include "guard/platform/win32/host/Offscreen.h"
#include "guard/platform/win32/host/WindowNames.h"

namespace qv::win32 {

namespace {

unsigned bit(ui::MouseButton button) {
    return static_cast<unsigned>(button);
}

}  // namespace

ControlAdapter::WindowSpec PaintedAdapter::windowSpec() const {
    return {kControlClass, 0, 0, {}};
}

void PaintedAdapter::created() {
    SetWindowLongPtrW(window(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

bool PaintedAdapter::updateVisibility() {
    if (!ControlAdapter::updateVisibility()) return false;
    redrawArea();
    return true;
}

void PaintedAdapter::show(ui::Property property) {
    switch (property) {
        case ui::Property::Bounds:
            redrawArea();  // where it was
            relocate();
            redrawArea();  // where it is now
            break;
        case ui::Property::Caption:
        case ui::Property::Enabled:
        case ui::Property::BorderStyle:
        case ui::Property::BackColor:
        case ui::Property::ForeColor:
        case ui::Property::Picture:
        case ui::Property::Font:
            redrawArea();
            break;
        default:
            break;
    }
}

void PaintedAdapter::redrawArea() const {
    form().redraw(windowRect());
}

void PaintedAdapter::paint(HDC target) {
    RECT client;
    GetClientRect(window(), &client);
    int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) return;
    HBRUSH surface = context().gdi().brush(resolveColour(form().form().backColor()));
    Offscreen off(target, w, h);
    if (!off.ok()) {
        FillRect(target, &client, surface);
        return;
    }
    Canvas canvas(off.pixels(), w, h, w, true);
    RECT self = windowRect();
    RECT all{0, 0, w, h};
    FillRect(off.dc(), &all, surface);
    for (const auto& other : form().adapters()) {
        if (other.get() == this) break;
        if (!other->window() || !other->shown() || !other->alive()) continue;
        auto* painted = dynamic_cast<const PaintedAdapter*>(other.get());
        if (!painted) continue;
        RECT area = painted->windowRect();
        RECT overlap;
        if (!IntersectRect(&overlap, &area, &self)) continue;
        OffsetRect(&area, -self.left, -self.top);
        painted->draw(off.dc(), canvas, area);
    }
    draw(off.dc(), canvas, all);
    GdiFlush();
    BitBlt(target, 0, 0, w, h, off.dc(), 0, 0, SRCCOPY);
}

PaintedAdapter* PaintedAdapter::liveAt(HWND hwnd) {
    auto* adapter = reinterpret_cast<PaintedAdapter*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return adapter && adapter->alive() ? adapter : nullptr;
}

LRESULT CALLBACK PaintedAdapter::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    PaintedAdapter* adapter = liveAt(hwnd);
    if (!adapter) {
        if (msg == WM_ERASEBKGND) return 1;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return adapter->message(msg, wp, lp);
}

LRESULT PaintedAdapter::message(UINT msg, WPARAM wp, LPARAM lp) {
    POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_PAINT: {
            WindowPaint painting(window());
            paint(painting.dc());
            return 0;
        }
        case WM_NCHITTEST:
            if (mouseThrough()) return HTTRANSPARENT;
            break;
        case WM_MOUSEMOVE:
            control().mouseMove();
            return 0;
        case WM_LBUTTONDOWN:
            press(ui::MouseButton::Left, false);
            return 0;
        case WM_LBUTTONDBLCLK:
            press(ui::MouseButton::Left, true);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            press(ui::MouseButton::Right, false);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            press(ui::MouseButton::Middle, false);
            return 0;
        case WM_LBUTTONUP:
            release(ui::MouseButton::Left, at);
            return 0;
        case WM_RBUTTONUP:
            release(ui::MouseButton::Right, at);
            return 0;
        case WM_MBUTTONUP:
            release(ui::MouseButton::Middle, at);
            return 0;
        case WM_CAPTURECHANGED:
            buttonsDown_ = 0;
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window(), msg, wp, lp);
}

void PaintedAdapter::press(ui::MouseButton button, bool doubleClick) {
    SetCapture(window());
    buttonsDown_ |= bit(button);
    if (doubleClick) {
        afterDblClick_ = true;
        control().dblClick();
        return;
    }
    if (button == ui::MouseButton::Left) afterDblClick_ = false;
    control().mouseDown(button);
}

void PaintedAdapter::release(ui::MouseButton button, POINT at) {
    HWND hwnd = window();
    RECT client;
    GetClientRect(hwnd, &client);
    bool click = button == ui::MouseButton::Left && (buttonsDown_ & bit(button)) &&
                 !afterDblClick_ && PtInRect(&client, at);
    if (button == ui::MouseButton::Left) afterDblClick_ = false;
    buttonsDown_ &= ~bit(button);
    if (buttonsDown_ == 0 && GetCapture() == hwnd) ReleaseCapture();
    control().mouseUp(button);
    // The handler may have hidden or unloaded things; click only a control still there.
    if (click) {
        if (PaintedAdapter* still = liveAt(hwnd)) still->control().click();
    }
}

}  // namespace qv::win32
