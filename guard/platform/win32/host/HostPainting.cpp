// The host's own controls: labels, pictures, frames and shapes. They are drawn as the
// classic form designer draws them: labels and pictures are transparent (what lies under
// them on the form shows through), a frame is an etched group box with its caption, a
// shape is an outline that lets the mouse through to what it marks. Each repaint is
// composed off screen: the form's surface, then every host-painted control below this one
// that overlaps it, then the control itself.
//
// Mouse input: a press captures the mouse, so the release reaches the control that was
// pressed; a left release over the control that was pressed is a click, unless it ends a
// double-click.

#include <windows.h>

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "common/win32/Text.h"
#include "guard/platform/win32/host/Canvas.h"
#include "guard/platform/win32/host/Colours.h"
#include "guard/platform/win32/host/PictureArt.h"
#include "guard/platform/win32/host/Win32Host.h"

namespace qv::win32 {

namespace {

bool paintedByHost(ui::ControlKind kind) {
    return kind == ui::ControlKind::Label || kind == ui::ControlKind::Image ||
           kind == ui::ControlKind::Frame || kind == ui::ControlKind::Shape;
}

// A 32-bit top-down bitmap selected into its own memory DC, released on scope exit.
class Offscreen {
public:
    Offscreen(HDC like, int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        dc_ = CreateCompatibleDC(like);
        if (bitmap_ && dc_) old_ = SelectObject(dc_, bitmap_);
    }
    ~Offscreen() {
        if (dc_) {
            if (old_) SelectObject(dc_, old_);
            DeleteDC(dc_);
        }
        if (bitmap_) DeleteObject(bitmap_);
    }
    Offscreen(const Offscreen&) = delete;
    Offscreen& operator=(const Offscreen&) = delete;

    bool ok() const { return bitmap_ && dc_ && bits_; }
    HDC dc() const { return dc_; }
    std::uint32_t* pixels() const { return static_cast<std::uint32_t*>(bits_); }

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

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

LRESULT CALLBACK Win32Host::controlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    ControlRecord* c = liveOwnControl(hwnd);
    if (!c) {
        if (msg == WM_ERASEBKGND) return 1;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return c->host->controlMessage(*c, msg, wp, lp);
}

LRESULT Win32Host::controlMessage(ControlRecord& c, UINT msg, WPARAM wp, LPARAM lp) {
    HWND hwnd = c.hwnd;
    ui::Control& control = *c.control;

    auto press = [&](ui::MouseButton button, unsigned bit, bool doubleClick) {
        SetCapture(hwnd);
        c.buttonsDown |= bit;
        if (doubleClick) {
            c.afterDblClick = true;
            control.dblClick();
            return;
        }
        if (button == ui::MouseButton::Left) c.afterDblClick = false;
        control.mouseDown(button);
    };
    auto release = [&](ui::MouseButton button, unsigned bit) {
        POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT client;
        GetClientRect(hwnd, &client);
        bool click = button == ui::MouseButton::Left && (c.buttonsDown & bit) && !c.afterDblClick &&
                     PtInRect(&client, at);
        if (button == ui::MouseButton::Left) c.afterDblClick = false;
        c.buttonsDown &= ~bit;
        if (c.buttonsDown == 0 && GetCapture() == hwnd) ReleaseCapture();
        control.mouseUp(button);
        // The handler may have hidden or unloaded things; click only a control still there.
        if (click) {
            if (ControlRecord* still = liveOwnControl(hwnd)) still->control->click();
        }
    };
    constexpr unsigned kLeft = 1, kRight = 2, kMiddle = 4;

    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            paintControl(c, dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_NCHITTEST:
            if (control.kind() == ui::ControlKind::Shape) return HTTRANSPARENT;
            break;
        case WM_MOUSEMOVE:
            control.mouseMove();
            return 0;
        case WM_LBUTTONDOWN:
            press(ui::MouseButton::Left, kLeft, false);
            return 0;
        case WM_LBUTTONDBLCLK:
            press(ui::MouseButton::Left, kLeft, true);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            press(ui::MouseButton::Right, kRight, false);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            press(ui::MouseButton::Middle, kMiddle, false);
            return 0;
        case WM_LBUTTONUP:
            release(ui::MouseButton::Left, kLeft);
            return 0;
        case WM_RBUTTONUP:
            release(ui::MouseButton::Right, kRight);
            return 0;
        case WM_MBUTTONUP:
            release(ui::MouseButton::Middle, kMiddle);
            return 0;
        case WM_CAPTURECHANGED:
            c.buttonsDown = 0;
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void Win32Host::paintControl(ControlRecord& c, HDC target) {
    RECT client;
    GetClientRect(c.hwnd, &client);
    int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0) return;
    const ui::Control& control = *c.control;
    if (control.kind() == ui::ControlKind::Shape) {
        // The window's region is the outline itself (and the inside when it is filled).
        Canvas unused(nullptr, 0, 0, 0, true);
        drawControl(target, unused, control, client);
        return;
    }

    Offscreen off(target, w, h);
    if (!off.ok()) {
        FillRect(target, &client, brush(resolveColour(c.owner->form->backColor())));
        return;
    }
    Canvas canvas(off.pixels(), w, h, w, true);
    RECT self = controlRect(control);
    RECT all{0, 0, w, h};
    FillRect(off.dc(), &all, brush(resolveColour(c.owner->form->backColor())));
    for (auto& other : c.owner->controls) {
        if (other.get() == &c) break;
        if (!other->hwnd || !other->shown || !alive(*other)) continue;
        if (!paintedByHost(other->control->kind())) continue;
        RECT o = controlRect(*other->control);
        RECT overlap;
        if (!IntersectRect(&overlap, &o, &self)) continue;
        OffsetRect(&o, -self.left, -self.top);
        drawControl(off.dc(), canvas, *other->control, o);
    }
    drawControl(off.dc(), canvas, control, all);
    GdiFlush();
    BitBlt(target, 0, 0, w, h, off.dc(), 0, 0, SRCCOPY);
}

void Win32Host::drawControl(HDC dc, Canvas& canvas, const ui::Control& control, RECT area) {
    HBRUSH black = brush(RGB(0, 0, 0));
    switch (control.kind()) {
        case ui::ControlKind::Label: {
            HGDIOBJ old = SelectObject(dc, font(control.font()));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, control.enabled() ? resolveColour(control.foreColor())
                                               : GetSysColor(COLOR_GRAYTEXT));
            RECT text = area;
            if (control.borderStyle() == ui::Border::FixedSingle) {
                FrameRect(dc, &area, black);
                InflateRect(&text, -2, -1);
            }
            std::wstring caption = toWide(control.caption());
            if (control.font().wideSpacing != 0) {
                drawCloseSet(dc, caption, text, control.font().wideSpacing);
            } else {
                DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                          DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
            }
            SelectObject(dc, old);
            break;
        }
        case ui::ControlKind::Image: {
            const auto& image = static_cast<const ui::Image&>(control);
            bool border = image.borderStyle() == ui::Border::FixedSingle;
            RECT inner = area;
            if (border) InflateRect(&inner, -1, -1);
            if (!image.picture().empty()) {
                RECT picture = inner;
                int natural = naturalPictureSize(image.picture());
                if (!image.stretch() && natural > 0) {
                    picture.right = picture.left + natural;
                    picture.bottom = picture.top + natural;
                }
                drawPicture(dc, canvas, image.picture(), picture);
            }
            if (border) FrameRect(dc, &area, black);
            break;
        }
        case ui::ControlKind::Frame: {
            COLORREF back = resolveColour(control.backColor());
            FillRect(dc, &area, brush(back));
            HGDIOBJ old = SelectObject(dc, font(control.font()));
            std::wstring caption = toWide(control.caption());
            SIZE size{0, 0};
            GetTextExtentPoint32W(dc, caption.empty() ? L"Ag" : caption.c_str(),
                                  caption.empty() ? 2 : static_cast<int>(caption.size()), &size);
            RECT edge = area;
            edge.top += size.cy / 2;
            const qv::skin::Theme* skin = skin::activeTheme();
            if (skin)
                FrameRect(dc, &edge, brush(skin->frameLine));
            else
                DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
            if (!caption.empty()) {
                RECT behind{area.left + 6, area.top, area.left + 10 + size.cx, area.top + size.cy};
                FillRect(dc, &behind, brush(back));
                SetBkMode(dc, TRANSPARENT);
                COLORREF text = skin && control.foreColor() == ui::kSystemTextColor
                                    ? skin->frameText
                                    : resolveColour(control.foreColor());
                SetTextColor(dc, control.enabled() ? text : GetSysColor(COLOR_GRAYTEXT));
                TextOutW(dc, area.left + 8, area.top, caption.c_str(),
                         static_cast<int>(caption.size()));
            }
            SelectObject(dc, old);
            break;
        }
        case ui::ControlKind::Shape: {
            const auto& shape = static_cast<const ui::Shape&>(control);
            int t = std::max(shape.borderWidth(), 1);
            if (shape.fillStyle() == ui::FillStyle::Solid) {
                RECT inside = area;
                InflateRect(&inside, -t, -t);
                FillRect(dc, &inside, brush(resolveColour(shape.backColor())));
            }
            HBRUSH line = brush(resolveColour(shape.borderColor()));
            RECT bands[] = {{area.left, area.top, area.right, area.top + t},
                            {area.left, area.bottom - t, area.right, area.bottom},
                            {area.left, area.top, area.left + t, area.bottom},
                            {area.right - t, area.top, area.right, area.bottom}};
            for (RECT& band : bands) FillRect(dc, &band, line);
            break;
        }
        default:
            break;
    }
}

}  // namespace qv::win32
