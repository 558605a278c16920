// The interface thread goes on while slow work (the elevation prompt) runs on a thread of
// its own: its timers fire, its windows are disabled meanwhile and enabled again after, and
// a request to quit made on the way is kept for the message loop.

#include <windows.h>

#include <gtest/gtest.h>

#include "guard/platform/win32/services/DispatchingWait.h"

namespace {

HANDLE timerFired = nullptr;

void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    SetEvent(timerFired);
    PostQuitMessage(3);
}

TEST(DispatchingWaitTest, TimersFireWindowsWaitAndAQuitIsKept) {
    HWND window = CreateWindowExW(0, L"STATIC", L"qv-dispatching", WS_OVERLAPPED | WS_VISIBLE, 0, 0,
                                  100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    timerFired = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(timerFired);
    ASSERT_NE(SetTimer(nullptr, 0, 50, onTimer), 0u);

    bool fired = false, enabledMeanwhile = true;
    // Without messages dispatched here, the timer never fires and the work gives up.
    ASSERT_TRUE(qv::win32::runWhileDispatching([&] {
        enabledMeanwhile = IsWindowEnabled(window) != FALSE;
        fired = WaitForSingleObject(timerFired, 10000) == WAIT_OBJECT_0;
    }));
    EXPECT_TRUE(fired);
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(window));
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);

    DestroyWindow(window);
    CloseHandle(timerFired);
}

}  // namespace
