#include "uninstaller/win32/WizardWindow.h"

#include <algorithm>

#include "common/win32/Gdi.h"
#include "common/win32/ProgramIcon.h"
#include "common/win32/Screen.h"
#include "common/win32/Text.h"
#include "uninstaller/win32/Layout.h"
#include "uninstaller/wizard/Design.h"

namespace qv::uninst::win32 {

using namespace qv::win32;

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

// The window size that gives the designed client width, and the client height a window
// of the design `windowHeightTwips` high had, inside this system's frame.
SIZE windowSize(int windowHeightTwips, int dpi) {
    RECT frame{0, 0, twipsToPixels(kClientWidth, dpi),
               twipsToPixels(windowHeightTwips - kDesignedFrameHeight, dpi)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

RECT pixels(const TwipsRect& r, int dpi) {
    int x = twipsToPixels(r.x, dpi), y = twipsToPixels(r.y, dpi);
    return {x, y, x + twipsToPixels(r.width, dpi), y + twipsToPixels(r.height, dpi)};
}

HWND createChild(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style,
                 DWORD exStyle, int id, const RECT& area) {
    return CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, area.left,
                           area.top, area.right - area.left, area.bottom - area.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                           nullptr);
}

}  // namespace

WizardWindow::~WizardWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool WizardWindow::create() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WizardWindow::proc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    setProgramIcon(wc);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWizardClassName;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    dpi_ = screenDpi();
    const auto [width, height] = windowSize(kHeightDesigned, dpi_);
    const POINT at = centredOnWorkArea(width, height);

    hwnd_ = CreateWindowExW(kExStyle, kWizardClassName, toWide(kDesignedCaption).c_str(), kStyle,
                            at.x, at.y, width, height, nullptr, nullptr, instance_, this);
    if (!hwnd_) return false;
    return createControls();
}

bool WizardWindow::createControls() {
    font_ = formFont(dpi_);
    white_.reset(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));

    wenben_ = createChild(hwnd_, L"EDIT", toWide(kDesignedMessage),
                          ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                          WS_EX_CLIENTEDGE, kIdWenben, pixels(kWenben, dpi_));
    shanchulb_ = createChild(hwnd_, L"LISTBOX", L"",
                             LBS_NOINTEGRALHEIGHT | LBS_NOSEL | WS_VSCROLL | WS_HSCROLL,
                             WS_EX_CLIENTEDGE, kIdShanchulb, pixels(kShanchulb, dpi_));
    check1_ = createChild(hwnd_, L"BUTTON", toWide(kShowListCaption), BS_AUTOCHECKBOX | WS_TABSTOP,
                          0, kIdCheck1, pixels(kCheck1, dpi_));
    if (!wenben_ || !shanchulb_ || !check1_) return false;
    for (HWND child : {wenben_, shanchulb_, check1_}) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }

    const FaceColours plain{RGB(250, 250, 250), RGB(214, 218, 224), RGB(132, 140, 152),
                            RGB(32, 32, 32)};
    const FaceColours strong{RGB(88, 150, 226), RGB(30, 86, 168), RGB(22, 62, 128),
                             RGB(255, 255, 255)};
    return cancelFace_.create(hwnd_, kIdImage1, pixels(kImage1, dpi_), toWide(kCancelCaption),
                              plain, font_.get()) &&
           uninstallFace_.create(hwnd_, kIdImage2, pixels(kImage2, dpi_), toWide(kUninstallCaption),
                                 strong, font_.get());
}

Answer WizardWindow::messageBox(const std::string& text, const std::string& title, Buttons buttons,
                                Icon icon) {
    UINT flags = buttons == Buttons::OkCancel ? MB_OKCANCEL : MB_OK;
    if (icon == Icon::Warning) flags |= MB_ICONWARNING;
    if (icon == Icon::Error) flags |= MB_ICONERROR;
    // Before the window is shown the box stands alone, in front.
    HWND owner = hwnd_ && IsWindowVisible(hwnd_) ? hwnd_ : nullptr;
    if (!owner) flags |= MB_SETFOREGROUND;
    int answer = MessageBoxW(owner, toWide(text).c_str(), toWide(title).c_str(), flags);
    return answer == IDOK ? Answer::Ok : Answer::Cancel;
}

void WizardWindow::setCaption(const std::string& caption) {
    if (hwnd_) SetWindowTextW(hwnd_, toWide(caption).c_str());
}

void WizardWindow::setMessageText(const std::string& text) {
    if (wenben_) SetWindowTextW(wenben_, toWide(text).c_str());
}

void WizardWindow::setDeleteList(const std::vector<std::string>& paths) {
    if (!shanchulb_) return;
    SendMessageW(shanchulb_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(shanchulb_, LB_RESETCONTENT, 0, 0);
    // The widest entry sets how far the list scrolls sideways.
    int widest = 0;
    {
        WindowDc dc(shanchulb_);
        Selection selected(dc.get(), font_.get());
        for (const std::string& path : paths) {
            std::wstring wide = toWide(path);
            SendMessageW(shanchulb_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
            SIZE size{};
            GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
            widest = std::max(widest, static_cast<int>(size.cx));
        }
    }
    SendMessageW(shanchulb_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
    SendMessageW(shanchulb_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(shanchulb_, nullptr, TRUE);
}

void WizardWindow::setWindowHeight(int twips) {
    if (!hwnd_) return;
    const SIZE size = windowSize(twips, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WizardWindow::setFaceBorder(Face f, bool border) {
    face(f).setBorder(border);
}

void WizardWindow::show() {
    if (!hwnd_) return;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    UpdateWindow(hwnd_);
}

void WizardWindow::end() {
    if (hwnd_)
        DestroyWindow(hwnd_);  // its WM_DESTROY ends the message loop
    else
        PostQuitMessage(0);
}

LRESULT CALLBACK WizardWindow::proc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_NCCREATE) {
        auto* created =
            reinterpret_cast<WizardWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<WizardWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wp, lp);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = self->wenben_ = self->shanchulb_ = self->check1_ = nullptr;
        return DefWindowProcW(hwnd, message, wp, lp);
    }
    return self->handle(message, wp, lp);
}

LRESULT WizardWindow::handle(UINT message, WPARAM wp, LPARAM lp) {
    auto faceOf = [](WPARAM id) { return id == kIdImage1 ? Face::Cancel : Face::Uninstall; };
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            if (HIWORD(wp) != BN_CLICKED || !wizard_) break;
            if (id == kIdCheck1) {
                wizard_->Check1_Click(SendMessageW(check1_, BM_GETCHECK, 0, 0) == BST_CHECKED);
            } else if (id == kIdImage1 || id == kIdImage2) {
                wizard_->faceClicked(faceOf(static_cast<WPARAM>(id)));
            }
            return 0;
        }
        case kFaceMouseMessage:
            if (wizard_ && (wp == kIdImage1 || wp == kIdImage2)) {
                if (lp)
                    wizard_->faceMouseDown(faceOf(wp));
                else
                    wizard_->faceMouseUp(faceOf(wp));
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            // The read-only message box keeps a white page, like an ordinary text box.
            if (reinterpret_cast<HWND>(lp) == wenben_) {
                HDC dc = reinterpret_cast<HDC>(wp);
                SetBkColor(dc, GetSysColor(COLOR_WINDOW));
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                return reinterpret_cast<LRESULT>(white_.get());
            }
            break;
        case WM_CLOSE:
            // Closing the window is a cancel: nothing is deleted.
            if (wizard_)
                wizard_->faceClicked(Face::Cancel);
            else
                DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd_, message, wp, lp);
}

}  // namespace qv::uninst::win32
