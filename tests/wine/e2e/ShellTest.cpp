// The main window as the user walks it in the real QVud.exe: the five pages by real
// clicks (a screenshot of each), the hover highlights, the pressed border of a tool
// picture released elsewhere, the close box and the badge's menu ("显示主窗体", "退出"),
// and a Windows shutdown. Mouse input is injected as the user's own (SendInput).

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "tests/wine/e2e/GuardProcess.h"
#include "tests/wine/host/TestArguments.h"
#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

namespace {

constexpr int kExitItem = 5;  // "退出", the last of the menu's six items

RECT rectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

POINT centreOf(HWND hwnd) {
    RECT r = rectOf(hwnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Lets the guard handle what is queued for it before the test looks again.
void roundTrip(HWND window) {
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr);
}

void clickAt(POINT at, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
    moveMouseTo(at);
    buttonAt(at, down);
    buttonAt(at, up);
}

bool shown(HWND hwnd) {
    return hwnd != nullptr && IsWindowVisible(hwnd) != FALSE;
}

// The point of the window's close box, found by asking the window itself.
POINT closeBoxOf(HWND window) {
    RECT r = rectOf(window);
    for (int y = r.top + 2; y < r.top + 40; y += 2) {
        for (int x = r.right - 2; x > r.right - 80; x -= 2) {
            LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
            if (hit == HTCLOSE) return {x - 3, y + 2};
        }
    }
    return {r.right - 12, r.top + 12};
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto& args = testArguments();
        ASSERT_FALSE(args.empty()) << "the path of QVud.exe is the first argument";
        guard = std::make_unique<GuardProcess>(testkit::windowsPath(args.front()), folder.path());
        ASSERT_TRUE(guard->started());
        badge = guard->waitForForm(L"Form3");
        ASSERT_NE(badge, nullptr);
        ASSERT_TRUE(testkit::waitFor([&] { return shown(badge); }));
    }
    void TearDown() override {
        sendMouse(MOUSEEVENTF_LEFTUP);  // never leave a button held for the next test
        sendMouse(MOUSEEVENTF_RIGHTUP);
        guard.reset();
    }

    // Double-clicks the badge and waits for the main window.
    HWND openMainWindow() {
        postDoubleClick(findControlWindow(badge, L"Image1"));
        HWND main = guard->waitForForm(L"Form1");
        if (main) testkit::waitFor([&] { return shown(main); });
        return main;
    }
    HWND control(HWND form, const wchar_t* name) { return findControlWindow(form, name); }
    // A right-button click on the badge and the menu it opens.
    HWND openMenu() {
        // A menu closed a moment ago may still be on screen: the new one is another.
        testkit::waitFor([&] {
            return testkit::findTopWindowOfClass(L"#32768", guard->id(), IsWindowVisible) ==
                   nullptr;
        });
        clickAt(centreOf(badge), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        return guard->waitForPopupMenu();
    }
    // The pixel at the top-left corner of a control: black while it wears its border.
    bool bordered(HWND hwnd) {
        RECT r = rectOf(hwnd);
        return testkit::screenPixel(r.left, r.top) == RGB(0, 0, 0);
    }

    testkit::TempFolder folder{L"qv-e2e"};
    std::unique_ptr<GuardProcess> guard;
    HWND badge = nullptr;
};

}  // namespace

TEST_F(ShellTest, TheFivePagesShowByClicksOnTheirImagesWithTheHighlightOnHover) {
    HWND main = openMainWindow();
    ASSERT_TRUE(shown(main));
    const wchar_t* frames[] = {L"Frame1", L"Frame2", L"Frame3", L"Frame4"};
    struct Page {
        const wchar_t* image;
        const wchar_t* shape;
        const wchar_t* frame;  // nullptr: the monitoring page on the window itself
        const wchar_t* shot;
    };
    for (Page page : {Page{L"Jjsd", L"Shape2", L"Frame1", L"e2e_page_cleaning"},
                      Page{L"Gjsz", L"Shape3", L"Frame2", L"e2e_page_advanced"},
                      Page{L"Xtsz", L"Shape4", L"Frame3", L"e2e_page_settings"},
                      Page{L"Gywm", L"Shape5", L"Frame4", L"e2e_page_about"},
                      Page{L"Fhsz", L"Shape1", nullptr, L"e2e_page_monitor"}}) {
        SCOPED_TRACE(testkit::utf8(page.image));
        HWND image = control(main, page.image);
        HWND shape = control(main, page.shape);
        ASSERT_NE(image, nullptr);

        moveMouseTo(centreOf(image));
        EXPECT_TRUE(testkit::waitFor([&] { return shown(shape); })) << "highlight on entering";
        clickAt(centreOf(image));
        EXPECT_TRUE(testkit::waitFor([&] {
            for (const wchar_t* frame : frames) {
                bool wanted = page.frame != nullptr && std::wstring(frame) == page.frame;
                if (shown(control(main, frame)) != wanted) return false;
            }
            return true;
        })) << "only the page's frame shows";
        if (std::wstring(page.image) == L"Gywm") testkit::saveScreenshot(L"e2e_hover", main);

        // Off the image onto the bare window between the images: the highlight goes, and
        // the border it covered shows.
        RECT r = rectOf(image);
        moveMouseTo({r.right + (r.right - r.left) / 8, (r.top + r.bottom) / 2});
        EXPECT_TRUE(testkit::waitFor([&] { return !shown(shape); })) << "highlight gone";
        EXPECT_TRUE(testkit::waitFor([&] { return bordered(image); })) << "the image is marked";
        roundTrip(main);
        testkit::saveScreenshot(page.shot, main);
    }
    // Only the monitoring image is marked now.
    for (const wchar_t* other : {L"Jjsd", L"Gjsz", L"Xtsz", L"Gywm"}) {
        EXPECT_FALSE(bordered(control(main, other))) << testkit::utf8(other);
    }
}

TEST_F(ShellTest, AToolPictureWearsItsBorderFromThePressToTheReleaseEvenOutsideIt) {
    HWND main = openMainWindow();
    ASSERT_TRUE(shown(main));
    clickAt(centreOf(control(main, L"Gjsz")));
    HWND tool = control(main, L"Image7");
    ASSERT_TRUE(testkit::waitFor([&] { return shown(tool); }));
    EXPECT_TRUE(testkit::waitFor([&] { return !bordered(tool); })) << "painted, no border yet";

    struct Press {
        DWORD down;
        DWORD up;
    };
    for (Press press : {Press{MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
                        Press{MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP}}) {
        moveMouseTo(centreOf(tool));
        buttonAt(centreOf(tool), press.down);
        EXPECT_TRUE(testkit::waitFor([&] { return bordered(tool); })) << "drawn at the press";
        if (press.down == MOUSEEVENTF_LEFTDOWN) testkit::saveScreenshot(L"e2e_tool_pressed", main);
        RECT frame = rectOf(control(main, L"Frame2"));
        POINT elsewhere{frame.left + 20, frame.bottom - 20};
        moveMouseTo(elsewhere);
        roundTrip(main);
        buttonAt(elsewhere, press.up);
        EXPECT_TRUE(testkit::waitFor([&] { return !bordered(tool); })) << "removed at release";
    }
    EXPECT_TRUE(guard->running());
}

TEST_F(ShellTest, TheCloseBoxHidesTheWindowAndTheBadgeReturnsWhereItWasDragged) {
    // Drag the badge away first, as the user does.
    RECT before = rectOf(badge);
    POINT centre = centreOf(badge);
    moveMouseTo(centre);
    roundTrip(badge);
    buttonAt(centre, MOUSEEVENTF_LEFTDOWN);
    // The drag begins at a move of the held button that the guard sees; until the badge
    // follows, each look nudges the pointer a pixel to and fro, as a user's hand would.
    int wobble = 1;
    testkit::waitFor([&] {
        if (rectOf(badge).left != before.left) return true;
        moveMouseTo({centre.x + (wobble = -wobble), centre.y});
        return false;
    });
    for (int step = 1; step <= 5; ++step) {
        LONG last = rectOf(badge).left;
        moveMouseTo({centre.x - 60 * step, centre.y + 40 * step});
        testkit::waitFor([&] { return rectOf(badge).left != last; }, std::chrono::seconds(2));
    }
    sendMouse(MOUSEEVENTF_LEFTUP);
    roundTrip(badge);
    RECT dragged = rectOf(badge);
    ASSERT_NE(dragged.left, before.left) << "the badge was dragged";

    HWND main = openMainWindow();
    ASSERT_TRUE(shown(main));
    EXPECT_TRUE(testkit::waitFor([&] { return !shown(badge); }));
    clickAt(closeBoxOf(main));

    EXPECT_TRUE(testkit::waitFor([&] { return !shown(main); })) << "closing only hides it";
    EXPECT_TRUE(testkit::waitFor([&] { return shown(badge); }));
    RECT back = rectOf(badge);
    EXPECT_TRUE(EqualRect(&back, &dragged)) << "the badge is where it was left";
    EXPECT_TRUE(guard->running());
    testkit::saveScreenshot(L"e2e_closed_to_badge");
}

TEST_F(ShellTest, TheMenuShowsTheMainWindowAndExitsOnlyWhenConfirmed) {
    HWND menu = openMenu();
    ASSERT_NE(menu, nullptr);
    chooseMenuItem(menu, 0);  // "显示主窗体"
    HWND main = guard->waitForForm(L"Form1");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(testkit::waitFor([&] { return shown(main); }));
    EXPECT_TRUE(testkit::waitFor([&] { return !shown(badge); }));
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(testkit::waitFor([&] { return shown(badge); }));

    menu = openMenu();
    ASSERT_NE(menu, nullptr);
    testkit::saveScreenshot(L"e2e_menu");
    chooseMenuItem(menu, kExitItem);
    HWND box = guard->waitForMessageBox(L"你确定退出QVu盘卫士？退出后将失去QVu盘卫士的保护！");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testkit::windowText(box), L"提示");
    EXPECT_NE(GetDlgItem(box, IDCANCEL), nullptr);
    testkit::saveScreenshot(L"e2e_exit_question");
    ASSERT_TRUE(testkit::pressButton(box, IDCANCEL));
    EXPECT_TRUE(testkit::waitFor([&] { return !IsWindow(box); }));
    roundTrip(badge);
    EXPECT_TRUE(guard->running()) << "Cancel changes nothing";
    EXPECT_TRUE(shown(badge));

    menu = openMenu();
    ASSERT_NE(menu, nullptr);
    chooseMenuItem(menu, kExitItem);
    box = guard->waitForMessageBox(L"你确定退出QVu盘卫士？");
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(testkit::pressButton(box, IDOK));
    EXPECT_EQ(guard->waitForExit(), 0) << "OK ends the process";
    EXPECT_TRUE(testkit::findTopWindowOfClass(L"QvForm", guard->id()) == nullptr);
    // Nothing was saved on the way out.
    EXPECT_FALSE(testkit::readBytes(folder / L"QVset.ini").has_value());
    EXPECT_FALSE(testkit::readBytes(folder / L"XTset.ini").has_value());
}

TEST_F(ShellTest, AShutdownIsNeverRefusedAndEndsTheGuardWithTheSession) {
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(badge, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK,
                                    5000, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    SendMessageTimeoutW(badge, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000, nullptr);
    EXPECT_TRUE(guard->running()) << "a shutdown called off leaves the guard running";
    EXPECT_TRUE(shown(badge));

    SendMessageTimeoutW(badge, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000, &answer);
    SendMessageTimeoutW(badge, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000, nullptr);
    EXPECT_EQ(guard->waitForExit(), 0) << "the guard ends with the session";
}

}  // namespace qv::test
