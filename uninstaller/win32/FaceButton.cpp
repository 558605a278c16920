#include "uninstaller/win32/FaceButton.h"

#include <windowsx.h>

#include "common/win32/Gdi.h"
#include "common/win32/UniqueHandle.h"

namespace qv::uninst::win32 {

namespace {

using qv::win32::Selection;
using qv::win32::UniqueBrush;
using qv::win32::UniqueRegion;

constexpr wchar_t kClassName[] = L"QVuninstFace";

bool registerClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kClassName, &wc)) return true;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_HAND);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
}

COLORREF mix(COLORREF a, COLORREF b, int num, int den) {
    auto channel = [&](int shift) {
        int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        return static_cast<COLORREF>(ca + (cb - ca) * num / den) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

}  // namespace

bool FaceButton::create(HWND parent, int id, const RECT& area, const std::wstring& caption,
                        const FaceColours& colours, HFONT font) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    if (!registerClass(instance, &FaceButton::proc)) return false;
    caption_ = caption;
    colours_ = colours;
    font_ = font;
    hwnd_ = CreateWindowExW(0, kClassName, caption.c_str(), WS_CHILD | WS_VISIBLE, area.left,
                            area.top, area.right - area.left, area.bottom - area.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
    return hwnd_ != nullptr;
}

void FaceButton::setBorder(bool border) {
    if (border_ == border) return;
    border_ = border;
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CALLBACK FaceButton::proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_NCCREATE) {
        auto* created =
            reinterpret_cast<FaceButton*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<FaceButton*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wp, lp);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wp, lp);
    }
    return self->handle(message, wp, lp);
}

LRESULT FaceButton::handle(UINT message, WPARAM wp, LPARAM lp) {
    HWND parent = GetParent(hwnd_);
    const WPARAM id = static_cast<WPARAM>(GetDlgCtrlID(hwnd_));
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            RECT client;
            GetClientRect(hwnd_, &client);
            // Drawn off screen first, so the face never flickers while it is redrawn.
            qv::win32::paintOffscreen(dc, client,
                                      [this](HDC off, const RECT& area) { paint(off, area); });
            EndPaint(hwnd_, &ps);
            return 0;
        }
        // Any button held shows the pressed look; only the left one clicks.
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            if (pressed_) return 0;
            pressed_ = true;
            pressedByLeft_ = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
            SetCapture(hwnd_);
            SendMessageW(parent, kFaceMouseMessage, id, 1);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            if (!pressed_ || pressedByLeft_ != (message == WM_LBUTTONUP)) return 0;
            RECT client;
            GetClientRect(hwnd_, &client);
            POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            release(pressedByLeft_ && PtInRect(&client, at) != FALSE);
            return 0;
        }
        case WM_CAPTURECHANGED:
            // Capture taken away mid-press (another window, a message box): no click.
            if (pressed_ && reinterpret_cast<HWND>(lp) != hwnd_) release(false);
            return 0;
        default:
            return DefWindowProcW(hwnd_, message, wp, lp);
    }
}

void FaceButton::release(bool click) {
    pressed_ = false;
    HWND parent = GetParent(hwnd_);
    const WPARAM id = static_cast<WPARAM>(GetDlgCtrlID(hwnd_));
    if (GetCapture() == hwnd_) ReleaseCapture();
    SendMessageW(parent, kFaceMouseMessage, id, 0);
    if (click) {
        PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd_));
    }
}

void FaceButton::paint(HDC dc, const RECT& client) const {
    const int w = client.right, h = client.bottom;
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

    // The picture: a rounded plate shaded from top to bottom, with a darker edge.
    UniqueRegion plate(CreateRoundRectRgn(1, 1, w, h, 7, 7));
    SelectClipRgn(dc, plate.get());
    for (int y = 0; y < h; ++y) {
        RECT row{0, y, w, y + 1};
        UniqueBrush brush(
            CreateSolidBrush(mix(colours_.top, colours_.bottom, y, h > 1 ? h - 1 : 1)));
        FillRect(dc, &row, brush.get());
    }
    // A soft highlight along the upper half.
    RECT gloss{2, 2, w - 2, h / 2};
    UniqueBrush light(CreateSolidBrush(mix(colours_.top, RGB(255, 255, 255), 1, 3)));
    FillRect(dc, &gloss, light.get());
    SelectClipRgn(dc, nullptr);
    UniqueBrush edge(CreateSolidBrush(colours_.edge));
    FrameRgn(dc, plate.get(), edge.get(), 1, 1);

    // The label over it.
    RECT text = client;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours_.text);
    {
        Selection font(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

    // The pressed look: a single dark border round the whole face.
    if (border_) FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
}

}  // namespace qv::uninst::win32
