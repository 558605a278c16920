#pragma once
// A button face: a picture with its label over it, drawn by code. It tells its parent about
// mouse down and up (the parent decides the border) and clicks: a press released over the
// face. Picture and label are one window, since both take the same events.
//
// To the parent: kFaceMouseMessage (wParam: the face's id, lParam: 1 down, 0 up), sent;
// WM_COMMAND with BN_CLICKED, posted, so a click that ends the program does so after the
// face has finished its own message.

#include <windows.h>

#include <string>

namespace qv::uninst::win32 {

inline constexpr UINT kFaceMouseMessage = WM_APP + 1;

struct FaceColours {
    COLORREF top, bottom, edge, text;
};

class FaceButton {
public:
    FaceButton() = default;
    FaceButton(const FaceButton&) = delete;
    FaceButton& operator=(const FaceButton&) = delete;

    // Creates the face as a child of `parent` at `area` (pixels).
    bool create(HWND parent, int id, const RECT& area, const std::wstring& caption,
                const FaceColours& colours, HFONT font);
    void setBorder(bool border);
    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);
    LRESULT handle(UINT message, WPARAM wp, LPARAM lp);
    void paint(HDC dc, const RECT& client) const;
    void release(bool click);

    HWND hwnd_ = nullptr;
    std::wstring caption_;
    FaceColours colours_{};
    HFONT font_ = nullptr;
    bool border_ = false;
    bool pressed_ = false;
    bool pressedByLeft_ = false;  // the button that pressed it; only the left one clicks
};

}  // namespace qv::uninst::win32
