#pragma once
// GDI without leaks: a window's device context given back when done, an object selected
// into a device context for the length of a scope, a picture composed off screen before it
// is shown (so that it never flickers), and the forms' font. The objects themselves are
// owned by the owners of UniqueHandle.h.

#include <windows.h>

#include <utility>

#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

// The device context of a window (of the whole screen for nullptr), released by its owner.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Selects `object` into `dc` and puts back what was there before when it goes away.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The paint session of a window, BeginPaint ... EndPaint, for the length of a scope.
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

// Calls `paint(HDC, const RECT&)` on a memory device context as large as `client` (a
// window's client rectangle, from 0, 0), then copies the picture onto `dc` in one step.
// Paints straight onto `dc` when the memory context cannot be had.
template <typename Paint>
void paintOffscreen(HDC dc, const RECT& client, Paint&& paint) {
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    UniqueBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (!memory || !bitmap) {
        std::forward<Paint>(paint)(dc, client);
        return;
    }
    Selection selected(memory.get(), bitmap.get());
    std::forward<Paint>(paint)(memory.get(), client);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

// The forms' font, 9 point 宋体, for a screen of `dpi` pixels per inch.
inline UniqueFont formFont(int dpi) {
    return UniqueFont(CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                  GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
}

}  // namespace qv::win32
