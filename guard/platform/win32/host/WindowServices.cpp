// The window services of the Win32 host: message boxes, pop-up menus, topmost forms, the
// drag of a borderless form, the screen's size, and keeping the program off the task list.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win32/Text.h"
#include "guard/platform/win32/host/Win32Host.h"

namespace qv::win32 {

namespace {

// Puts this thread's message boxes above other programs' windows as they are first
// activated, while it lives. MB_TOPMOST asks the same, but Wine 8 ignores it for a box
// that has an owner; a thread's CBT hook (SetWindowsHookExW, WH_CBT) hears of the box at
// HCBT_ACTIVATE, before it is shown.
class TopmostMessageBoxes {
public:
    TopmostMessageBoxes()
        : hook_(SetWindowsHookExW(WH_CBT, raise, nullptr, GetCurrentThreadId())) {}
    ~TopmostMessageBoxes() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    TopmostMessageBoxes(const TopmostMessageBoxes&) = delete;
    TopmostMessageBoxes& operator=(const TopmostMessageBoxes&) = delete;

private:
    static LRESULT CALLBACK raise(int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_ACTIVATE) {
            HWND window = reinterpret_cast<HWND>(wp);
            wchar_t windowClass[8] = {};
            // "#32770", the dialog class of message boxes; the forms are of their own.
            if (GetClassNameW(window, windowClass, 8) && lstrcmpW(windowClass, L"#32770") == 0) {
                SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
        return CallNextHookEx(nullptr, code, wp, lp);
    }

    HHOOK hook_;
};

}  // namespace

ui::MsgAnswer Win32Host::messageBox(const std::string& text, const std::string& title,
                                    ui::MsgButtons buttons) {
    // The box belongs to the program's active form, if one of ours is active. Otherwise
    // (a notice from a background tick, with only the badge or nothing on screen) it
    // belongs to the hidden owner, which keeps it off the taskbar as every owned window
    // is, and stays above other programs' windows (MB_TOPMOST), so that it is never
    // hidden behind them while the monitor waits for the answer.
    HWND active = GetActiveWindow();
    HWND owner = nullptr;
    for (auto& [form, r] : forms_) {
        if (r->hwnd && r->hwnd == active && IsWindowVisible(active)) owner = active;
    }
    UINT type = (buttons == ui::MsgButtons::OkCancel ? MB_OKCANCEL : MB_OK) | MB_SETFOREGROUND;
    if (!owner) {
        owner = ownerWindow();
        type |= MB_TOPMOST;
    }
    std::vector<HWND> disabled = disableOtherForms(owner);
    std::optional<TopmostMessageBoxes> topmost;
    if (type & MB_TOPMOST) topmost.emplace();
    int answer = MessageBoxW(owner, toWide(text).c_str(), toWide(title).c_str(), type);
    enableAgain(disabled);
    return answer == IDOK ? ui::MsgAnswer::Ok : ui::MsgAnswer::Cancel;
}

void Win32Host::popupMenu(ui::Menu& menu, ui::Form& over) {
    std::vector<ui::Control*> items = menu.items();
    HMENU popup = CreatePopupMenu();
    if (!popup) return;
    for (size_t i = 0; i < items.size(); ++i) {
        const ui::Control& item = *items[i];
        if (!item.visible()) continue;
        if (item.caption() == "-") {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (item.enabled() ? 0 : MF_GRAYED);
        AppendMenuW(popup, flags, i + 1, toWide(item.caption()).c_str());
    }
    FormRecord* r = find(over);
    HWND owner = r && r->hwnd ? r->hwnd : ownerWindow();
    POINT at;
    GetCursorPos(&at);
    // The menu closes properly when the user clicks elsewhere only if its owner is the
    // foreground window, and the posted message lets the menu finish before the next one.
    SetForegroundWindow(owner);
    UINT chosen = static_cast<UINT>(TrackPopupMenu(
        popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    DestroyMenu(popup);
    if (chosen >= 1 && chosen <= items.size()) items[chosen - 1]->click();
}

void Win32Host::setTopmost(ui::Form& form) {
    FormRecord& r = record(form);
    r.topmost = true;
    if (!r.hwnd) return;  // the window is made topmost when it is created
    UINT flags = SWP_NOMOVE | SWP_NOSIZE;
    if (!IsWindowVisible(r.hwnd)) flags |= SWP_NOACTIVATE;
    SetWindowPos(r.hwnd, HWND_TOPMOST, 0, 0, 0, 0, flags);
}

void Win32Host::beginDrag(ui::Form& form) {
    FormRecord* r = find(form);
    if (!r || !r->hwnd) return;
    // Only a held (primary) button drags; a mere movement over the form does nothing.
    int primary = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    if (!(GetAsyncKeyState(primary) & 0x8000)) return;
    POINT at;
    GetCursorPos(&at);
    ReleaseCapture();
    SendMessageW(r->hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

ui::Size Win32Host::screenSize() {
    return {context_.toTwips(GetSystemMetrics(SM_CXSCREEN)),
            context_.toTwips(GetSystemMetrics(SM_CYSCREEN))};
}

// Owned windows and tool windows have no taskbar button and no entry in the task
// manager's list of applications; the owner itself is never shown, and is made only once
// a window needs it.
void Win32Host::hideFromTaskList() {
    taskListHidden_ = true;
    for (auto& [form, r] : forms_) {
        if (r->hwnd && !GetWindow(r->hwnd, GW_OWNER) &&
            !(GetWindowLongPtrW(r->hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
            SetWindowLongPtrW(r->hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWindow()));
        }
    }
}

void Win32Host::endProcess() {
    ExitProcess(0);
}

}  // namespace qv::win32
