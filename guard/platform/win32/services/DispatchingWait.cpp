#include "guard/platform/win32/services/DispatchingWait.h"

#include <windows.h>

#include <vector>

#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

namespace {

DWORD WINAPI runWork(void* work) {
    (*static_cast<const std::function<void()>*>(work))();
    return 0;
}

BOOL CALLBACK disableEnabled(HWND window, LPARAM disabled) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        reinterpret_cast<std::vector<HWND>*>(disabled)->push_back(window);
    }
    return TRUE;
}

}  // namespace

bool runWhileDispatching(const std::function<void()>& work) {
    // The windows are disabled before the work begins, which may look at them.
    const HWND active = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), disableEnabled, reinterpret_cast<LPARAM>(&disabled));
    auto enableAgain = [&] {
        for (HWND window : disabled) {
            if (IsWindow(window)) EnableWindow(window, TRUE);
        }
        if (active && IsWindow(active)) SetActiveWindow(active);
    };
    UniqueKernelHandle thread(
        CreateThread(nullptr, 0, runWork, const_cast<std::function<void()>*>(&work), 0, nullptr));
    if (!thread) {
        const DWORD error = GetLastError();
        enableAgain();
        SetLastError(error);
        return false;
    }

    bool quit = false;
    WPARAM quitCode = 0;
    HANDLE waited = thread.get();
    // The wait ends for the thread's end and for any message, one already in the queue too
    // (MWMO_INPUTAVAILABLE, learn.microsoft.com/windows/win32/api/winuser/
    // nf-winuser-msgwaitformultipleobjectsex).
    while (MsgWaitForMultipleObjectsEx(1, &waited, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
           WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = message.wParam;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    enableAgain();
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return true;
}

}  // namespace qv::win32
