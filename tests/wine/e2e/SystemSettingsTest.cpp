// QVud.exe for real with its system settings: the autostart entry written to and removed
// from Wine's registry by the save button, the welcome window with and without the version
// file, and a main window in the shipped skin. The path of QVud.exe is the first argument.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "tests/wine/e2e/GuardProcess.h"
#include "tests/wine/host/TestArguments.h"
#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

namespace {

using namespace std::chrono_literals;

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring guardExe() {
    const auto& args = testArguments();
    return args.empty() ? std::wstring() : testkit::windowsPath(args.front());
}

std::optional<std::wstring> autostartValue() {
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kRunKey, L"QVud", RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(data);
}

// A click on a button or check box of the guard, as the window reports it to its form.
void click(HWND form, HWND control) {
    PostMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

// How many rows of pixels a button's caption spans on the screen: from the first to the last
// row inside its border with a pixel other than the button's face; 0 when none shows.
int captionRows(HWND button) {
    RECT r;
    if (!IsWindowVisible(button) || !GetWindowRect(button, &r)) return 0;
    const COLORREF face = testkit::screenPixel(r.left + 2, r.top + 2);
    int first = -1, last = -1;
    for (int y = r.top + 2; y < r.bottom - 2; ++y) {
        for (int x = r.left + 2; x < r.right - 2; ++x) {
            if (testkit::screenPixel(x, y) == face) continue;
            if (first < 0) first = y;
            last = y;
            break;
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

class SystemSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(guardExe().empty()) << "the path of QVud.exe is the first argument";
        ASSERT_FALSE(folder.path().empty());
    }
    void TearDown() override { guard.reset(); }

    // Starts the guard with `settings` as XTset.ini, with or without the shipped files.
    void start(const char* settings, bool shippedFiles) {
        if (shippedFiles) GuardProcess::placeShippedFiles(guardExe(), folder.path());
        ASSERT_TRUE(testkit::writeBytes(folder / L"XTset.ini", settings));
        guard = std::make_unique<GuardProcess>(guardExe(), folder.path());
        ASSERT_TRUE(guard->started());
        badge = guard->waitForForm(L"Form3");
        ASSERT_NE(badge, nullptr);
        ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(badge) != FALSE; }));
    }
    HWND showMainWindow() {
        postDoubleClick(findControlWindow(badge, L"Image1"));
        HWND main = guard->waitForForm(L"Form1");
        if (main) testkit::waitFor([&] { return IsWindowVisible(main) != FALSE; });
        return main;
    }
    // Presses Command8 and answers the box that follows; false when `told` never came.
    bool save(HWND main, const std::wstring& told, const wchar_t* screenshot = nullptr) {
        click(main, findControlWindow(main, L"Command8"));
        HWND box = guard->waitForMessageBox(told);
        if (!box) return false;
        if (screenshot) testkit::saveScreenshot(screenshot);
        return testkit::pressButton(box, IDOK) &&
               testkit::waitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); });
    }

    testkit::TempFolder folder{L"qv-e2e"};
    std::unique_ptr<GuardProcess> guard;
    HWND badge = nullptr;
};

}  // namespace

TEST_F(SystemSettingsTest, SavingWritesAndRemovesTheAutostartEntryInTheRegistry) {
    HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueW(run, L"QVud");  // left by an earlier run
        RegCloseKey(run);
    }
    start("100000000\r\n", false);
    HWND main = showMainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(autostartValue(), std::nullopt) << "loading alone never touches the registry";

    ASSERT_TRUE(save(main, L"系统设置保存成功！", L"e2e_settings_saved"));
    EXPECT_EQ(autostartValue(), L"\"" + folder.path() + L"\\QVud.exe\"");
    EXPECT_EQ(testkit::readBytes(folder / L"XTset.ini"), "100000000\r\n");

    click(main, findControlWindow(main, L"Qd"));
    ASSERT_TRUE(save(main, L"系统设置保存成功！"));
    EXPECT_EQ(autostartValue(), std::nullopt);
    EXPECT_EQ(testkit::readBytes(folder / L"XTset.ini"), "000000000\r\n");

    ASSERT_TRUE(save(main, L"系统设置保存成功！")) << "nothing left to remove is no error";
    EXPECT_EQ(testkit::findMessageBox(L"开机启动", guard->id()), nullptr);
}

TEST_F(SystemSettingsTest, TheWelcomeWindowShowsTheShippedVersionTextAndClosesItself) {
    start("001010110\r\n", true);
    HWND welcome = guard->waitForForm(L"Form6", 3000);
    ASSERT_NE(welcome, nullptr);
    ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(welcome) != FALSE; }, 2000ms));
    testkit::saveScreenshot(L"e2e_welcome", welcome);

    EXPECT_EQ(GetWindowLongPtrW(welcome, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    RECT r;
    GetWindowRect(welcome, &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2) << "centred";
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
    EXPECT_NE(findControlWindow(welcome, L"Banbenxx"), nullptr);
    EXPECT_TRUE(testkit::waitFor([&] { return guard->form(L"Form6") == nullptr; }, 10s))
        << "its timer closes it";
}

TEST_F(SystemSettingsTest, WithoutTheVersionFileTheWelcomeWindowStillShowsAndCloses) {
    start("001010110\r\n", false);
    HWND welcome = guard->waitForForm(L"Form6", 3000);
    ASSERT_NE(welcome, nullptr);
    ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(welcome) != FALSE; }, 2000ms));
    testkit::saveScreenshot(L"e2e_welcome_no_version", welcome);
    EXPECT_TRUE(testkit::waitFor([&] { return guard->form(L"Form6") == nullptr; }, 10s));
}

TEST_F(SystemSettingsTest, TheShippedSkinColoursTheMainWindowAndItsMessageBoxes) {
    start("001011100\r\n", true);
    HWND main = showMainWindow();
    ASSERT_NE(main, nullptr);
    const COLORREF skinFace = RGB(0xE6, 0xF2, 0xEA);  // [window] face of the shipped Pifu.she
    EXPECT_TRUE(testkit::waitFor([&] {
        RECT client;
        GetClientRect(main, &client);
        POINT at{4, client.bottom - 4};
        ClientToScreen(main, &at);
        return testkit::screenPixel(at.x, at.y) == skinFace;
    })) << "the window's surface is the skin's";
    HWND button = findControlWindow(main, L"Command6");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW)
        << "push buttons are drawn by the skin";
    testkit::saveScreenshot(L"e2e_skinned_main", main);

    click(main, findControlWindow(main, L"Command8"));
    HWND box = guard->waitForMessageBox(L"系统设置保存成功！");
    ASSERT_NE(box, nullptr);
    HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(testkit::waitFor([&] {
        return (GetWindowLongPtrW(ok, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
    })) << "the message box's button too";
    EXPECT_TRUE(testkit::waitFor([&] {
        RECT client;
        GetClientRect(box, &client);
        POINT at{3, 3};
        ClientToScreen(box, &at);
        return IsWindowVisible(box) && testkit::screenPixel(at.x, at.y) == skinFace;
    })) << "and its surface";
    testkit::saveScreenshot(L"e2e_skinned_message_box");
    EXPECT_TRUE(testkit::pressButton(box, IDOK));

    // On the advanced page a caption wider than its button in the skin's bold font is
    // wrapped onto two lines; on one it would lose both its ends.
    postClick(findControlWindow(main, L"Gjsz"));
    HWND wide = findControlWindow(main, L"Command9");     // "关闭自动播放CD功能"
    HWND narrow = findControlWindow(main, L"Command11");  // "禁用U盘"
    ASSERT_TRUE(wide && narrow);
    ASSERT_TRUE(testkit::waitFor([&] { return captionRows(narrow) > 0; }));
    EXPECT_TRUE(testkit::waitFor([&] { return captionRows(wide) > captionRows(narrow) * 3 / 2; }))
        << captionRows(wide) << " rows against " << captionRows(narrow);
    testkit::saveScreenshot(L"e2e_skinned_advanced", main);
}

}  // namespace qv::test
