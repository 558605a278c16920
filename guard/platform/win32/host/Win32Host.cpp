// Forms and their windows, message loops and timers of the Win32 host; the window
// services (message boxes, menus, ...) are in WindowServices.cpp. The controls' windows
// are made and kept by their adapters (adapters/), one form's set by FormControls.

#include "guard/platform/win32/host/Win32Host.h"

#include <dbt.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "common/win32/Gdi.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "guard/platform/FileSystem.h"
#include "guard/platform/win32/host/Colours.h"
#include "guard/platform/win32/host/FormControls.h"
#include "guard/platform/win32/host/Layout.h"
#include "guard/platform/win32/host/PictureArt.h"
#include "guard/platform/win32/host/adapters/PaintedAdapter.h"

namespace qv::win32 {

namespace {

constexpr wchar_t kHostClass[] = L"QvHost";
// Posted to the host window when Windows has announced a new volume.
constexpr UINT kVolumeArrivedMessage = WM_APP + 1;
constexpr char kAppIcon[] = "app";

// The program's icon lives as long as the process: window classes refer to it, and
// classes outlive any one host.
HICON classIcon(int size) {
    static UniqueIcon big = makePictureIcon(kAppIcon, 32);
    static UniqueIcon small = makePictureIcon(kAppIcon, 16);
    return size > 16 ? big.get() : small.get();
}

DWORD formStyle(const ui::Form& form) {
    DWORD style = WS_CLIPCHILDREN;
    switch (form.border()) {
        case ui::FormBorder::None:
            style |= WS_POPUP;
            break;
        case ui::FormBorder::FixedSingle:
            style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
            break;
        case ui::FormBorder::Sizable:
            style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
            break;
        case ui::FormBorder::FixedDialog:
            style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
            break;
    }
    if (form.maxButton() && form.border() != ui::FormBorder::None) style |= WS_MAXIMIZEBOX;
    return style;
}

DWORD formExStyle(const ui::Form& form, bool topmost) {
    DWORD ex = 0;
    if (form.border() == ui::FormBorder::FixedDialog) ex |= WS_EX_DLGMODALFRAME;
    if (topmost) ex |= WS_EX_TOPMOST;
    return ex;
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

Win32Host::FormRecord::~FormRecord() = default;

Win32Host::Win32Host(HINSTANCE instance) : context_(instance) {
    registerClasses();
    hostWindow_ = CreateWindowExW(0, kHostClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  context_.instance(), nullptr);
    SetWindowLongPtrW(hostWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Host::~Win32Host() {
    for (auto& [timer, id] : timerIds_) KillTimer(hostWindow_, id);
    timerIds_.clear();
    timersById_.clear();
    while (!forms_.empty()) formDestroyed(*forms_.begin()->second->form);
    if (hostWindow_) DestroyWindow(hostWindow_);
    if (ownerWindow_) DestroyWindow(ownerWindow_);
}

void Win32Host::registerClasses() {
    static HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    WNDCLASSEXW form{};
    form.cbSize = sizeof(form);
    form.style = CS_DBLCLKS;
    form.lpfnWndProc = formProc;
    form.hInstance = context_.instance();
    form.hIcon = classIcon(32);
    form.hIconSm = classIcon(16);
    form.hCursor = arrow;
    form.lpszClassName = kFormClass;
    RegisterClassExW(&form);  // fails harmlessly when an earlier host registered it

    WNDCLASSEXW control{};
    control.cbSize = sizeof(control);
    control.style = CS_DBLCLKS;
    control.lpfnWndProc = PaintedAdapter::windowProc;
    control.hInstance = context_.instance();
    control.hCursor = arrow;
    control.lpszClassName = kControlClass;
    RegisterClassExW(&control);

    WNDCLASSEXW host{};
    host.cbSize = sizeof(host);
    host.lpfnWndProc = hostProc;
    host.hInstance = context_.instance();
    host.lpszClassName = kHostClass;
    RegisterClassExW(&host);
}

// ---- message loops --------------------------------------------------------------------

void Win32Host::dispatch(MSG& msg) {
    // Tab and the arrow keys move between the controls of the active form.
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST && msg.hwnd) {
        HWND top = GetAncestor(msg.hwnd, GA_ROOT);
        wchar_t cls[16] = {};
        if (top && GetClassNameW(top, cls, 16) && lstrcmpW(cls, kFormClass) == 0 &&
            IsDialogMessageW(top, &msg)) {
            return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int Win32Host::run(const std::function<void()>& afterMessage) {
    MSG msg;
    for (;;) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got < 0) return 1;
        dispatch(msg);
        if (afterMessage) afterMessage();
    }
}

void Win32Host::processPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        dispatch(msg);
    }
}

// ---- forms ----------------------------------------------------------------------------

Win32Host::FormRecord* Win32Host::find(const ui::Form& form) const {
    auto it = forms_.find(&form);
    return it == forms_.end() ? nullptr : it->second.get();
}

Win32Host::FormRecord& Win32Host::record(ui::Form& form) {
    auto& slot = forms_[&form];
    if (!slot) {
        slot = std::make_unique<FormRecord>();
        slot->host = this;
        slot->form = &form;
    }
    return *slot;
}

HWND Win32Host::formWindow(const ui::Form& form) const {
    const FormRecord* r = find(form);
    return r ? r->hwnd : nullptr;
}

HWND Win32Host::controlWindow(const ui::Control& control) const {
    const FormRecord* r = find(control.form());
    if (!r || !r->controls) return nullptr;
    ControlAdapter* adapter = r->controls->find(control);
    return adapter ? adapter->window() : nullptr;
}

HWND Win32Host::ownerWindow() {
    if (!ownerWindow_) {
        ownerWindow_ = CreateWindowExW(WS_EX_TOOLWINDOW, kHostClass, L"", WS_POPUP, 0, 0, 0, 0,
                                       nullptr, nullptr, context_.instance(), nullptr);
    }
    return ownerWindow_;
}

// The window's outer rectangle in screen pixels, as the model's bounds give it. A form
// whose design gives only the inside size gets the outer size that holds it.
RECT Win32Host::expectedWindowRect(const FormRecord& r) const {
    const ui::Form& f = *r.form;
    ui::Rect b = f.bounds();
    const HostContext& c = context_;
    int w = c.toPixels(b.width), h = c.toPixels(b.height);
    if ((b.width <= 0 || b.height <= 0) && f.clientSize().width > 0 && f.clientSize().height > 0) {
        RECT rc{0, 0, c.toPixels(f.clientSize().width), c.toPixels(f.clientSize().height)};
        AdjustWindowRectEx(&rc, formStyle(f), FALSE, formExStyle(f, r.topmost));
        w = rc.right - rc.left;
        h = rc.bottom - rc.top;
    }
    int x = c.toPixels(b.left), y = c.toPixels(b.top);
    return RECT{x, y, x + std::max(w, 0), y + std::max(h, 0)};
}

void Win32Host::ensureWindow(FormRecord& r) {
    if (r.hwnd) return;
    ui::Form& f = *r.form;
    DWORD style = formStyle(f);
    DWORD ex = formExStyle(f, r.topmost);
    HWND owner = nullptr;
    if (taskListHidden_ || !f.showInTaskbar()) {
        // Off the taskbar and the task list: a borderless form as a tool window (it has no
        // title bar a tool window would shrink), any other through the hidden owner. The
        // badge alone is on screen at start-up, and the owner is one window fewer to make.
        if (f.border() == ui::FormBorder::None) {
            ex |= WS_EX_TOOLWINDOW;
        } else {
            owner = ownerWindow();
        }
    }
    RECT rc = expectedWindowRect(r);
    if (f.startPosition() == ui::StartPosition::CenterScreen) {
        int w = rc.right - rc.left, h = rc.bottom - rc.top;
        int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
        int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
        rc = RECT{x, y, x + w, y + h};
    }
    HWND hwnd = CreateWindowExW(ex, kFormClass, toWide(f.caption()).c_str(), style, rc.left, rc.top,
                                rc.right - rc.left, rc.bottom - rc.top, owner, nullptr,
                                context_.instance(), nullptr);
    if (!hwnd) return;
    r.hwnd = hwnd;
    r.controls = std::make_unique<FormControls>(context_, f, hwnd);
    r.name = GlobalAddAtomW(toWide(f.name()).c_str());
    SetPropW(hwnd, kNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(r.name)));
    if (!f.icon().empty() && f.icon() != kAppIcon) {
        GdiCache& gdi = context_.gdi();
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(gdi.icon(f.icon(), 32)));
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(gdi.icon(f.icon(), 16)));
    }
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&r));
    r.controls->update();
    // The model learns where the window really is (centred, or sized from its inside).
    reportPlacement(r);
}

void Win32Host::applyBounds(FormRecord& r) {
    if (!r.hwnd || IsIconic(r.hwnd) || IsZoomed(r.hwnd)) return;
    RECT want = expectedWindowRect(r);
    RECT now;
    GetWindowRect(r.hwnd, &now);
    if (sameRect(want, now)) return;
    SetWindowPos(r.hwnd, nullptr, want.left, want.top, want.right - want.left,
                 want.bottom - want.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Tells the model where the window is when that differs from what the model holds. A
// component that already matches in pixels keeps the model's twips, so rounding never
// drifts them; changes the model makes in its handler are applied but not reported again.
void Win32Host::reportPlacement(FormRecord& r) {
    if (!r.hwnd || r.reporting || IsIconic(r.hwnd)) return;
    RECT now;
    GetWindowRect(r.hwnd, &now);
    RECT want = expectedWindowRect(r);
    if (sameRect(want, now)) return;
    ui::Rect model = r.form->bounds();
    const HostContext& c = context_;
    ui::Rect placed{c.toTwips(now.left), c.toTwips(now.top), c.toTwips(now.right - now.left),
                    c.toTwips(now.bottom - now.top)};
    if (now.left == want.left) placed.left = model.left;
    if (now.top == want.top) placed.top = model.top;
    if (now.right - now.left == want.right - want.left && model.width > 0) {
        placed.width = model.width;
    }
    if (now.bottom - now.top == want.bottom - want.top && model.height > 0) {
        placed.height = model.height;
    }
    ui::Form* form = r.form;
    r.reporting = true;
    form->placedByHost(placed);
    if (FormRecord* still = find(*form); still == &r) r.reporting = false;
}

void Win32Host::showForm(ui::Form& form) {
    FormRecord& r = record(form);
    ensureWindow(r);
    if (!r.hwnd) return;
    EnableWindow(r.hwnd, TRUE);
    ShowWindow(r.hwnd, form.activatesOnShow() ? SW_SHOW : SW_SHOWNOACTIVATE);
}

std::vector<HWND> Win32Host::disableOtherForms(HWND except) {
    std::vector<HWND> disabled;
    for (auto& [form, r] : forms_) {
        if (!r->hwnd || r->hwnd == except) continue;
        if (IsWindowVisible(r->hwnd) && IsWindowEnabled(r->hwnd)) {
            EnableWindow(r->hwnd, FALSE);
            disabled.push_back(r->hwnd);
        }
    }
    return disabled;
}

void Win32Host::enableAgain(std::vector<HWND>& windows) {
    for (HWND w : windows) {
        if (IsWindow(w)) EnableWindow(w, TRUE);
    }
    windows.clear();
}

void Win32Host::endModal(ModalState& state) {
    if (state.ended) return;
    state.ended = true;
    enableAgain(state.disabled);  // before the dialog hides, so activation returns home
}

void Win32Host::showModal(ui::Form& form) {
    FormRecord& r = record(form);
    ensureWindow(r);
    if (!r.hwnd) return;
    ModalState state;
    state.form = &form;
    state.disabled = disableOtherForms(r.hwnd);
    modals_.push_back(&state);
    EnableWindow(r.hwnd, TRUE);
    ShowWindow(r.hwnd, SW_SHOW);
    SetForegroundWindow(r.hwnd);

    MSG msg;
    while (!state.ended) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop ends too
            break;
        }
        if (got < 0) break;
        dispatch(msg);
    }
    modals_.erase(std::remove(modals_.begin(), modals_.end(), &state), modals_.end());
    endModal(state);
}

void Win32Host::hideForm(ui::Form& form) {
    for (ModalState* m : modals_) {
        if (m->form == &form) endModal(*m);
    }
    FormRecord* r = find(form);
    if (r && r->hwnd) ShowWindow(r->hwnd, SW_HIDE);
}

// The program asks in answer to the user's own click, when Windows lets it take the
// foreground.
void Win32Host::activateForm(ui::Form& form) {
    FormRecord* r = find(form);
    if (!r || !r->hwnd) return;
    if (IsIconic(r->hwnd)) ShowWindow(r->hwnd, SW_RESTORE);
    SetForegroundWindow(r->hwnd);
}

void Win32Host::formDestroyed(ui::Form& form) {
    for (ModalState* m : modals_) {
        if (m->form == &form) endModal(*m);
    }
    auto it = forms_.find(&form);
    if (it == forms_.end()) return;
    std::unique_ptr<FormRecord> r = std::move(it->second);
    forms_.erase(it);
    // The windows stop talking to the model before they go: messages sent while they
    // are destroyed (focus changes, notifications) find no record.
    if (r->hwnd) SetWindowLongPtrW(r->hwnd, GWLP_USERDATA, 0);
    if (r->controls) r->controls->detach();
    if (r->hwnd) {
        RemovePropW(r->hwnd, kNameProperty);
        if (r->name) GlobalDeleteAtom(r->name);
        DestroyWindow(r->hwnd);
    }
}

void Win32Host::formChanged(ui::Form& form, ui::Property property) {
    FormRecord* r = find(form);
    if (!r || !r->hwnd) return;
    switch (property) {
        case ui::Property::Caption:
            SetWindowTextW(r->hwnd, toWide(form.caption()).c_str());
            break;
        case ui::Property::Bounds:
            applyBounds(*r);
            break;
        default:
            break;
    }
}

// ---- controls -------------------------------------------------------------------------

void Win32Host::controlChanged(ui::Control& control, ui::Property property) {
    if (!hasWindow(control.kind())) return;
    FormRecord* r = find(control.form());
    if (!r || !r->controls) return;  // the window reads everything when it is made
    ControlAdapter* adapter = r->controls->find(control);
    if (!adapter) {
        r->controls->update();  // a control made after its form's window
        return;
    }
    adapter->sync(property);
}

void Win32Host::onCommand(FormRecord& r, HWND child, int code) {
    if (context_.quiet()) return;
    ControlAdapter* adapter = r.controls->liveAt(child);
    if (!adapter) return;
    std::optional<ui::Property> shown = adapter->notified(code);
    // The window shows what the model holds now, whatever the handlers did (a rejected
    // selection, text cut to its maximum length, a value changed back). The handlers may
    // have unloaded the form: the adapter is looked for again.
    if (!shown) return;
    if (ControlAdapter* again = liveAdapter(child)) again->sync(*shown);
}

HWND Win32Host::returnButton(const FormRecord& r) const {
    HWND focus = GetFocus();
    if (focus && IsChild(r.hwnd, focus) &&
        (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)) {
        return focus;
    }
    for (ui::Control* control : r.form->controls()) {
        if (control->kind() != ui::ControlKind::CommandButton ||
            !static_cast<ui::CommandButton*>(control)->isDefault()) {
            continue;
        }
        ControlAdapter* adapter = r.controls ? r.controls->find(*control) : nullptr;
        if (adapter && adapter->window()) return adapter->window();
    }
    return nullptr;
}

ControlAdapter* Win32Host::liveAdapter(HWND child) const {
    HWND parent = GetParent(child);
    if (!parent) return nullptr;
    for (const auto& [form, r] : forms_) {
        if (r->hwnd == parent && r->controls) return r->controls->liveAt(child);
    }
    return nullptr;
}

// ---- timers ---------------------------------------------------------------------------

void Win32Host::timerChanged(ui::Timer& timer) {
    timerDestroyed(timer);
    if (!timer.running() || !hostWindow_) return;
    UINT_PTR id = nextTimerId_++;
    if (!SetTimer(hostWindow_, id, static_cast<UINT>(timer.interval()), nullptr)) return;
    timerIds_[&timer] = id;
    timersById_[id] = &timer;
}

void Win32Host::timerDestroyed(ui::Timer& timer) {
    auto it = timerIds_.find(&timer);
    if (it == timerIds_.end()) return;
    KillTimer(hostWindow_, it->second);
    timersById_.erase(it->second);
    timerIds_.erase(it);
}

LRESULT CALLBACK Win32Host::hostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* host = reinterpret_cast<Win32Host*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (host && msg == WM_TIMER && hwnd == host->hostWindow_) {
        auto it = host->timersById_.find(static_cast<UINT_PTR>(wp));
        if (it != host->timersById_.end()) it->second->tick();
        return 0;
    }
    if (host && msg == kVolumeArrivedMessage && hwnd == host->hostWindow_) {
        host->volumeArrivalPending_ = false;
        const std::uint32_t letters = std::exchange(host->arrivedLetters_, 0);
        if (host->volumeArrival_) host->volumeArrival_(letters);
        return 0;
    }
    // The hidden owner is a top-level window, so a close request meant for the program
    // (taskkill without /f sends one to each) reaches it too; destroyed, it would take the
    // forms it owns along.
    if (msg == WM_CLOSE) return 0;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// ---- the form window ------------------------------------------------------------------

LRESULT CALLBACK Win32Host::formProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* r = reinterpret_cast<FormRecord*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!r) {
        // Not (or no longer) shown for a form: close requests do nothing by themselves.
        if (msg == WM_CLOSE) return 0;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return r->host->formMessage(*r, msg, wp, lp);
}

LRESULT Win32Host::formMessage(FormRecord& r, UINT msg, WPARAM wp, LPARAM lp) {
    HWND hwnd = r.hwnd;
    ui::Form& form = *r.form;
    switch (msg) {
        case WM_CLOSE:
            // The model decides: it hides the form, unloads it, or cancels.
            form.requestClose(ui::CloseReason::UserClose);
            return 0;
        case WM_QUERYENDSESSION:
            // Never stands in the way of a shutdown or log-off. Nothing closes yet: another
            // program may still refuse, and then the session goes on.
            return TRUE;
        case WM_ENDSESSION:
            // The session ends: the form hears why it closes, and the program ends with the
            // session whatever its close handling did (nothing may outlive the session).
            if (wp) {
                form.requestClose(ui::CloseReason::WindowsShutdown);
                endProcess();
            }
            return 0;
        case WM_DEVICECHANGE: {
            // A broadcast that is sent, not posted: the scan it starts may wait in a dialog,
            // so it runs later from the host's queue, never inside the broadcast.
            auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lp);
            if (wp == DBT_DEVICEARRIVAL && header && header->dbch_devicetype == DBT_DEVTYP_VOLUME &&
                hostWindow_) {
                // An announcement too short to name its letters stands for every letter.
                arrivedLetters_ |=
                    header->dbch_size >= sizeof(DEV_BROADCAST_VOLUME)
                        ? reinterpret_cast<const DEV_BROADCAST_VOLUME*>(lp)->dbcv_unitmask
                        : platform::kEveryDriveLetter;
                if (!volumeArrivalPending_) {
                    volumeArrivalPending_ = PostMessageW(hostWindow_, kVolumeArrivedMessage, 0, 0);
                }
            }
            return TRUE;
        }
        case WM_ERASEBKGND: {
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wp), &rc,
                     context_.gdi().brush(resolveColour(form.backColor())));
            return 1;
        }
        case WM_PAINT: {
            // The surface is all background, drawn on erasing; then the model hears of it.
            { WindowPaint validated(hwnd); }
            form.paint();
            return 0;
        }
        case WM_MOUSEMOVE:
            form.mouseMove();
            return 0;
        case WM_LBUTTONDBLCLK:
            form.dblClick();
            return 0;
        case WM_COMMAND:
            if (lp) onCommand(r, reinterpret_cast<HWND>(lp), HIWORD(wp));
            return 0;
        case DM_GETDEFID:
            // Asked by IsDialogMessageW for Return when the focus is not on a default push
            // button; it then clicks the button named here.
            if (HWND button = returnButton(r)) {
                return MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID);
            }
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            if (ControlAdapter* adapter = r.controls->liveAt(reinterpret_cast<HWND>(lp))) {
                return reinterpret_cast<LRESULT>(adapter->colour(reinterpret_cast<HDC>(wp)));
            }
            break;
        case WM_SETCURSOR: {
            // Tips are shown only under the mouse: they are made when it first comes over
            // the form (a cursor query precedes every mouse move), not with the window.
            r.controls->ensureToolTips();
            ControlAdapter* adapter = r.controls->liveAt(reinterpret_cast<HWND>(wp));
            if (adapter && adapter->setCursor()) return TRUE;
            break;
        }
        case WM_WINDOWPOSCHANGED: {
            LRESULT result = DefWindowProcW(hwnd, msg, wp, lp);
            reportPlacement(r);
            return result;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace qv::win32
