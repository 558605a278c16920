// QVud.exe for real: its start-up, the refusal of a second copy, and the way from the
// badge to the main window. The path of QVud.exe is the program's first argument.

#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/wine/e2e/GuardProcess.h"
#include "tests/wine/host/TestArguments.h"
#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

namespace {

std::wstring guardExe() {
    const auto& args = testArguments();
    return args.empty() ? std::wstring() : testkit::windowsPath(args.front());
}

int px(int twips) {
    return (twips * testkit::screenDpi() + 720) / 1440;
}

// Waits until the window's client area shows `colour` near its lower-left corner, that
// is until it has been painted and reached the screen.
bool waitUntilPainted(HWND hwnd, COLORREF colour) {
    return testkit::waitFor([&] {
        RECT client;
        GetClientRect(hwnd, &client);
        POINT at{4, client.bottom - 4};
        ClientToScreen(hwnd, &at);
        return testkit::screenPixel(at.x, at.y) == colour;
    });
}

// Whether the process has the library `name` loaded.
bool hasModule(DWORD process, const wchar_t* name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = Module32FirstW(snapshot, &entry); more && !found;
         more = Module32NextW(snapshot, &entry)) {
        found = lstrcmpiW(entry.szModule, name) == 0;
    }
    CloseHandle(snapshot);
    return found;
}

class GuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(guardExe().empty()) << "the path of QVud.exe is the first argument";
        ASSERT_FALSE(folder.path().empty());
        guard = std::make_unique<GuardProcess>(guardExe(), folder.path());
        ASSERT_TRUE(guard->started());
        badge = guard->waitForForm(L"Form3");
        ASSERT_NE(badge, nullptr) << "the badge appears";
        ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(badge) != FALSE; }));
    }
    void TearDown() override { guard.reset(); }  // ends the guard

    testkit::TempFolder folder{L"qv-e2e"};
    std::unique_ptr<GuardProcess> guard;
    HWND badge = nullptr;
};

}  // namespace

TEST_F(GuardTest, StartsWithTheBadgeAtTheTopRightAndTheMainWindowHidden) {
    EXPECT_EQ(testkit::windowText(badge), L"QVud");
    RECT r;
    GetWindowRect(badge, &r);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_EQ(r.right - r.left, px(615));
    EXPECT_EQ(r.bottom - r.top, px(615));
    EXPECT_NEAR(r.top, px(250), 1);
    EXPECT_NEAR(screenWidth - r.right, px(250), 1);
    EXPECT_EQ(GetWindowLongPtrW(badge, GWL_STYLE) & WS_CAPTION, 0) << "no title bar";
    EXPECT_TRUE(GetWindowLongPtrW(badge, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "off the taskbar";
    EXPECT_NE(findControlWindow(badge, L"Image1"), nullptr);

    HWND main = guard->form(L"Form1");
    EXPECT_TRUE(main == nullptr || !IsWindowVisible(main)) << "the main window starts hidden";

    waitUntilPainted(badge, GetSysColor(COLOR_BTNFACE));
    testkit::saveScreenshot(L"e2e_badge");
    ASSERT_TRUE(hasModule(guard->id(), L"user32.dll")) << "the module list can be read";
    EXPECT_FALSE(hasModule(guard->id(), L"comctl32.dll"))
        << "a waiting guard does without the common-controls library";
}

TEST_F(GuardTest, ASecondStartSaysSoAndEndsWhileTheFirstRunsOn) {
    GuardProcess second(guardExe(), folder.path());
    ASSERT_TRUE(second.started());
    HWND box = second.waitForMessageBox(L"已经有一个QVu盘卫士运行了！");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testkit::windowText(box), L"提示");
    EXPECT_EQ(testkit::messageBoxText(box), L"已经有一个QVu盘卫士运行了！");
    EXPECT_FALSE(second.showsAnyForm()) << "the refused copy shows no window of its own";
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "OK only";
    testkit::saveScreenshot(L"e2e_second_start");

    EXPECT_TRUE(testkit::pressButton(box, IDOK));
    EXPECT_EQ(second.waitForExit(), 0);
    EXPECT_TRUE(guard->running());
    EXPECT_TRUE(IsWindowVisible(badge));
    HWND main = guard->form(L"Form1");
    EXPECT_TRUE(main == nullptr || !IsWindowVisible(main));
}

TEST_F(GuardTest, DoubleClickingTheBadgeShowsTheMainWindowInItsPlace) {
    HWND image = findControlWindow(badge, L"Image1");
    ASSERT_NE(image, nullptr);
    postDoubleClick(image);

    HWND main = guard->waitForForm(L"Form1");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_EQ(testkit::windowText(main).rfind(L"QVu盘卫士 [青木作品]", 0), 0u)
        << "caption begins so";
    EXPECT_TRUE(testkit::waitFor([&] { return !IsWindowVisible(badge); }))
        << "the badge steps aside";
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.right - r.left, px(7380));
    EXPECT_EQ(r.bottom - r.top, px(6090));
    EXPECT_NE(GetWindow(main, GW_OWNER), nullptr) << "off the taskbar";

    EXPECT_TRUE(hasModule(guard->id(), L"comctl32.dll")) << "loaded for the progress bar";
    EXPECT_NE(findControlWindow(main, L"Jd"), nullptr);
    EXPECT_TRUE(waitUntilPainted(main, GetSysColor(COLOR_BTNFACE)));
    testkit::saveScreenshot(L"e2e_main");
}

}  // namespace qv::test
