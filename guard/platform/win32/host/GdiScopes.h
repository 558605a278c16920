#pragma once
// GDI state held for the length of a scope: an object selected into a device context (put
// back out before the scope ends, so an object is never deleted while a DC holds it), and
// the paint session of a window (BeginPaint ... EndPaint).

#include <windows.h>

namespace qv::win32 {

class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

class WindowPaint {
public:
    explicit WindowPaint(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~WindowPaint() { EndPaint(window_, &paint_); }
    WindowPaint(const WindowPaint&) = delete;
    WindowPaint& operator=(const WindowPaint&) = delete;

    // nullptr when the window cannot be painted now.
    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

}  // namespace qv::win32
