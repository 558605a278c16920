#pragma once
// QVud.exe run for real by a test: started in a working folder of its own, found by its
// windows, and ended by the test when it is done with it; and the user's mouse and
// keyboard on those windows.

#include <windows.h>

#include <string>

namespace qv::test {

class GuardProcess {
public:
    // Starts `exe` with `folder` as its current directory; check started().
    GuardProcess(const std::wstring& exe, const std::wstring& folder);
    // Ends the process if it still runs.
    ~GuardProcess();
    GuardProcess(const GuardProcess&) = delete;
    GuardProcess& operator=(const GuardProcess&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return id_; }
    bool running() const;
    // Waits at most `ms` for the process to end; its exit code, or -1 while it runs.
    long waitForExit(int ms = 10000) const;
    void terminate();

    // The window of the form named `name`, once it exists; nullptr after `ms`.
    HWND waitForForm(const std::wstring& name, int ms = 10000) const;
    HWND form(const std::wstring& name) const;
    // A message box of this process showing `text`; nullptr after 10 s.
    HWND waitForMessageBox(const std::wstring& text) const;
    // Whether the process shows any window of the form class.
    bool showsAnyForm() const;
    // The open pop-up menu of this process; nullptr after `ms`.
    HWND waitForPopupMenu(int ms = 10000) const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Chooses the item at `index` (from 0, separators counted) of an open pop-up menu with
// the keyboard, as a user would: Down to reach it, then Enter.
void chooseMenuItem(HWND menu, int index);

// Mouse input as the user's own (SendInput): buttons (MOUSEEVENTF_LEFTDOWN ...) and
// moves to a point of the screen.
void sendMouse(DWORD flags, POINT at = {});
void moveMouseTo(POINT at);

// A double-click on a control, delivered as the control's own messages.
void postDoubleClick(HWND control);

}  // namespace qv::test
