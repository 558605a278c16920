#pragma once
// The message loop of a companion program's one window: keyboard navigation between its
// controls (Tab, Enter, Esc) as in a dialog, until the window is destroyed.

#include <windows.h>

namespace qv::win32 {

inline int runMessageLoop(HWND window) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace qv::win32
