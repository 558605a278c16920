// Dragging the badge with the mouse, with input injected as the user's own (SendInput):
// pressing the left button on the badge and moving takes it along; moving over it with
// no button pressed leaves it where it is.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "tests/wine/e2e/GuardProcess.h"
#include "tests/wine/host/TestArguments.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

namespace {

bool inMoveLoop(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMOVESIZE);
}

RECT rectOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

class BadgeDragTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto& args = testArguments();
        ASSERT_FALSE(args.empty()) << "the path of QVud.exe is the first argument";
        guard = std::make_unique<GuardProcess>(testkit::windowsPath(args.front()), folder.path());
        ASSERT_TRUE(guard->started());
        badge = guard->waitForForm(L"Form3");
        ASSERT_NE(badge, nullptr);
        ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(badge) != FALSE; }));
    }
    void TearDown() override {
        sendMouse(MOUSEEVENTF_LEFTUP);  // never leave the button held for the next test
        guard.reset();
    }

    testkit::TempFolder folder{L"qv-e2e"};
    std::unique_ptr<GuardProcess> guard;
    HWND badge = nullptr;
};

}  // namespace

TEST_F(BadgeDragTest, MovingOverTheBadgeWithoutAButtonLeavesItInPlace) {
    RECT before = rectOf(badge);
    POINT centre{(before.left + before.right) / 2, (before.top + before.bottom) / 2};
    moveMouseTo(centre);
    moveMouseTo({centre.x - 8, centre.y + 6});
    moveMouseTo({centre.x - 16, centre.y + 12});
    // Nothing to wait for but the absence of a move: give the guard a round trip first.
    SendMessageTimeoutW(badge, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr);
    EXPECT_FALSE(inMoveLoop(badge));
    RECT after = rectOf(badge);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(BadgeDragTest, PressingAndMovingTakesTheBadgeAlong) {
    RECT before = rectOf(badge);
    POINT centre{(before.left + before.right) / 2, (before.top + before.bottom) / 2};
    moveMouseTo(centre);
    SendMessageTimeoutW(badge, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr);
    buttonAt(centre, MOUSEEVENTF_LEFTDOWN);
    // The guard sees the button held only once the press has reached it; until the drag
    // begins, each look moves the mouse a pixel to and fro, as a user's hand would.
    POINT start{centre.x - 4, centre.y + 3};
    moveMouseTo(start);
    int wobble = 1;
    ASSERT_TRUE(testkit::waitFor([&] {
        if (inMoveLoop(badge)) return true;
        moveMouseTo({start.x + (wobble = -wobble), start.y});
        return false;
    })) << "the drag begins";
    // The drag began at whichever point of the wobble the guard saw; back on the start
    // point, and once the badge has settled there, every later move is measured from it.
    moveMouseTo(start);
    RECT atStart = rectOf(badge);
    testkit::waitFor([&] {
        RECT before = atStart;
        SendMessageTimeoutW(badge, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr);
        atStart = rectOf(badge);
        return EqualRect(&before, &atStart) != FALSE;
    });
    POINT cursor = start;

    POINT end{cursor.x - 300, cursor.y + 200};
    POINT to = cursor;
    // Each step is let through before the next, so no motion is coalesced away.
    for (int step = 1; step <= 5; ++step) {
        to = {cursor.x + (end.x - cursor.x) * step / 5, cursor.y + (end.y - cursor.y) * step / 5};
        moveMouseTo(to);
        testkit::waitFor([&] {
            RECT now = rectOf(badge);
            // Within the final check's two pixels: Wine may let the drag lag a move.
            return std::abs(now.left - atStart.left - (to.x - cursor.x)) <= 2 &&
                   std::abs(now.top - atStart.top - (to.y - cursor.y)) <= 2;
        });
    }
    buttonAt(to, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(testkit::waitFor([&] { return !inMoveLoop(badge); })) << "the drag ends on release";
    RECT after = rectOf(badge);
    EXPECT_NEAR(after.left - atStart.left, -300, 2);
    EXPECT_NEAR(after.top - atStart.top, 200, 2);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_TRUE(guard->running());
}

}  // namespace qv::test
