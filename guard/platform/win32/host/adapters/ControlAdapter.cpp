#include "guard/platform/win32/host/adapters/ControlAdapter.h"

#include <commctrl.h>

#include <algorithm>

#include "common/win32/Text.h"
#include "guard/platform/ui/Form.h"
#include "guard/platform/win32/host/Colours.h"
#include "guard/platform/win32/host/FormControls.h"
#include "guard/platform/win32/host/HandCursor.h"
#include "guard/platform/win32/host/Layout.h"
#include "guard/platform/win32/host/WindowNames.h"

namespace qv::win32 {

namespace {

// Made once and kept for the process: any window may show it at any time.
HCURSOR handCursor() {
    static UniqueCursor hand = createHandCursor(GetModuleHandleW(nullptr));
    return hand ? hand.get() : LoadCursorW(nullptr, IDC_HAND);
}

}  // namespace

ControlAdapter::ControlAdapter(FormControls& form, ui::Control& control)
    : form_(form), control_(control) {}

ControlAdapter::~ControlAdapter() {
    HWND window = window_;
    detach();
    if (window) DestroyWindow(window);
}

HostContext& ControlAdapter::context() const {
    return form_.context();
}

bool ControlAdapter::alive() const {
    const auto& controls = form_.form().controls();
    return std::find(controls.begin(), controls.end(), &control_) != controls.end();
}

void ControlAdapter::create(int id) {
    WindowSpec spec = windowSpec();
    if (!spec.windowClass) return;
    RECT rc = windowRect();
    HostContext::Quiet quiet(context());
    window_ = CreateWindowExW(
        spec.exStyle, spec.windowClass, spec.text.c_str(), WS_CHILD | WS_CLIPSIBLINGS | spec.style,
        rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, form_.window(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), context().instance(), nullptr);
    if (!window_) return;
    name_ = GlobalAddAtomW(toWide(control_.name()).c_str());
    SetPropW(window_, kNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(name_)));
    created();
    SendMessageW(window_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(context().gdi().font(control_.font())), FALSE);
    EnableWindow(window_, control_.enabled());
    showContent();
}

void ControlAdapter::detach() {
    if (!window_) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    RemovePropW(window_, kNameProperty);
    if (name_) GlobalDeleteAtom(name_);
    name_ = 0;
    window_ = nullptr;
}

void ControlAdapter::sync(ui::Property property) {
    if (!window_) return;
    HostContext::Quiet quiet(context());
    switch (property) {
        case ui::Property::Visible:
            form_.updateVisibility();
            return;
        case ui::Property::ToolTip:
            updateToolTip(form_.toolTips());
            return;
        case ui::Property::Enabled:
            EnableWindow(window_, control_.enabled());
            break;
        case ui::Property::Font:
            SendMessageW(window_, WM_SETFONT,
                         reinterpret_cast<WPARAM>(context().gdi().font(control_.font())), TRUE);
            break;
        default:
            break;
    }
    show(property);
}

RECT ControlAdapter::windowRect() const {
    ui::Rect b = absoluteBounds(control_);
    const HostContext& c = context();
    int x = c.toPixels(b.left), y = c.toPixels(b.top);
    int w = std::max(c.toPixels(b.width), 0), h = std::max(c.toPixels(b.height), 0);
    return RECT{x, y, x + w, y + h};
}

void ControlAdapter::place() {
    if (!window_) return;
    RECT rc = windowRect();
    SetWindowPos(window_, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ControlAdapter::updateVisibility() {
    if (!window_) return false;
    bool show = control_.shownInForm();
    if (show == shown_) return false;
    shown_ = show;
    ShowWindow(window_, show ? SW_SHOWNA : SW_HIDE);
    return true;
}

void ControlAdapter::updateToolTip(HWND toolTips) {
    if (!toolTips || !window_) return;
    std::wstring text = toWide(control_.toolTip());
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = form_.window();
    info.uId = reinterpret_cast<UINT_PTR>(window_);
    info.lpszText = text.data();
    if (text.empty()) {
        if (hasTip_) SendMessageW(toolTips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        hasTip_ = false;
    } else if (hasTip_) {
        SendMessageW(toolTips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    } else {
        hasTip_ = SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

std::optional<ui::Property> ControlAdapter::notified(int /*code*/) {
    return std::nullopt;
}

HBRUSH ControlAdapter::colour(HDC dc) {
    Colours c = colours();
    if (control_.enabled()) SetTextColor(dc, c.text);
    SetBkColor(dc, c.back);
    return context().gdi().brush(c.back);
}

ControlAdapter::Colours ControlAdapter::colours() const {
    return {resolveColour(control_.backColor()), resolveColour(control_.foreColor())};
}

bool ControlAdapter::setCursor() const {
    if (control_.cursor() != ui::Cursor::Hand || !control_.enabled()) return false;
    SetCursor(handCursor());
    return true;
}

}  // namespace qv::win32
