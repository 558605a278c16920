// QVud.exe for real: its start-up, the refusal of a second copy beside a stick the first
// one deals with, the way from the badge to the main window, a badge that no close request
// removes, and a notice raised in the background that stays in front. The path of
// QVud.exe is the program's first argument.

#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <set>
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

// The names in a folder.
std::set<std::wstring> namesIn(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (entry.cFileName[0] != L'.') names.insert(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

// The processes that show a threat dialog now.
std::set<DWORD> threatDialogOwners() {
    std::set<DWORD> owners;
    testkit::findTopWindowOfClass(L"QvForm", 0, [&](HWND hwnd) {
        DWORD process = 0;
        GetWindowThreadProcessId(hwnd, &process);
        if (IsWindowVisible(hwnd) && qvName(hwnd) == L"Form2") owners.insert(process);
        return false;  // look at every one
    });
    return owners;
}

POINT centreOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void pressKey(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(input));
}

class GuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(guardExe().empty()) << "the path of QVud.exe is the first argument";
        ASSERT_FALSE(folder.path().empty());
        // The pointer away from where the badge appears: over it, it would have the badge
        // make its tool tips, and load the common-controls library with them.
        moveMouseTo({0, GetSystemMetrics(SM_CYSCREEN) - 1});
        guard = std::make_unique<GuardProcess>(guardExe(), folder.path());
        ASSERT_TRUE(guard->started());
        badge = guard->waitForForm(L"Form3");
        ASSERT_NE(badge, nullptr) << "the badge appears";
        ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(badge) != FALSE; }));
    }
    void TearDown() override {
        sendMouse(MOUSEEVENTF_LEFTUP);  // never leave a button held for the next test
        sendMouse(MOUSEEVENTF_RIGHTUP);
        guard.reset();  // ends the guard
    }

    // Double-clicks the badge and waits for the main window.
    HWND openMainWindow() {
        postDoubleClick(findControlWindow(badge, L"Image1"));
        HWND main = guard->waitForForm(L"Form1");
        if (main) testkit::waitFor([&] { return IsWindowVisible(main) != FALSE; });
        return main && IsWindowVisible(main) ? main : nullptr;
    }

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

// A stick holding autorun.inf is plugged in and a second copy started: the first guard
// asks about the stick, while the second shows its notice and nothing else for as long as
// the notice stays open (6 s here), and touches nothing.
TEST_F(GuardTest, ASecondStartShowsOnlyItsNoticeWhileTheFirstDealsWithTheStick) {
    testkit::TempFolder stick{L"qv-stick"};
    const std::string autorun = "[autorun]\r\nopen=setup.exe\r\n";
    ASSERT_TRUE(testkit::writeBytes(stick / L"autorun.inf", autorun));
    auto letter = testkit::freeDriveLetter();
    ASSERT_TRUE(letter);
    testkit::SimulatedDrive drive(*letter, DRIVE_REMOVABLE, stick.path());
    ASSERT_TRUE(drive.ok());
    const std::set<std::wstring> files = namesIn(folder.path());

    GuardProcess second(guardExe(), folder.path());
    ASSERT_TRUE(second.started());
    HWND box = second.waitForMessageBox(L"已经有一个QVu盘卫士运行了！");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(testkit::windowText(box), L"提示");
    EXPECT_EQ(testkit::messageBoxText(box), L"已经有一个QVu盘卫士运行了！");
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "OK only";

    const auto openUntil = std::chrono::steady_clock::now() + std::chrono::seconds(6);
    bool secondShowedAForm = false;
    std::set<DWORD> asking;
    testkit::waitFor(
        [&] {
            secondShowedAForm = secondShowedAForm || second.showsAnyForm();
            for (DWORD process : threatDialogOwners()) asking.insert(process);
            return std::chrono::steady_clock::now() >= openUntil;
        },
        std::chrono::seconds(8), std::chrono::milliseconds(100));
    EXPECT_FALSE(secondShowedAForm) << "the refused copy shows no window of its own";
    EXPECT_EQ(asking, std::set<DWORD>{guard->id()}) << "one threat dialog, the first guard's";
    EXPECT_TRUE(second.running()) << "the notice is still open";
    EXPECT_EQ(testkit::readBytes(stick / L"autorun.inf"), autorun) << "the stick is untouched";
    EXPECT_EQ(namesIn(stick.path()), std::set<std::wstring>{L"autorun.inf"});
    EXPECT_EQ(namesIn(folder.path()), files) << "the refused copy writes nothing";
    // Both boxes are centred; the notice moves aside for the picture.
    SetWindowPos(box, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    testkit::waitFor([&] { return testkit::screenPixel(45, 45) != testkit::screenPixel(20, 20); });
    testkit::saveScreenshot(L"e2e_second_start");

    EXPECT_TRUE(testkit::pressButton(box, IDOK));
    EXPECT_EQ(second.waitForExit(), 0);
    EXPECT_TRUE(guard->running());
    EXPECT_TRUE(IsWindowVisible(badge));
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

// The badge stands for the running guard: Alt+F4 while it is active, another program's WM_CLOSE
// and taskkill without /f (a WM_CLOSE to every top-level window, the hidden owner of the
// titled forms included) all leave it, and the main window can still be shown. Then, with
// another program in front, a CD is put in: the notice of the background scan belongs to
// the guard's hidden owner (no taskbar button) and stays above other programs' windows.
TEST_F(GuardTest, CloseRequestsLeaveTheBadgeAndABackgroundNoticeStaysOnTop) {
    HWND main = openMainWindow();  // once shown, the titled forms' hidden owner exists
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(badge) && !IsWindowVisible(main); }));

    // Active, as a click makes it (a click here would also begin a drag of the badge).
    SetForegroundWindow(badge);
    ASSERT_TRUE(testkit::waitFor([&] { return GetForegroundWindow() == badge; }));
    pressKey(VK_MENU, true);
    pressKey(VK_F4, true);
    pressKey(VK_F4, false);
    pressKey(VK_MENU, false);
    // Input is handled in order: once the menu of a right-click opens, Alt+F4 has been.
    POINT centre = centreOf(badge);
    moveMouseTo(centre);
    buttonAt(centre, MOUSEEVENTF_RIGHTDOWN);
    buttonAt(centre, MOUSEEVENTF_RIGHTUP);
    HWND menu = guard->waitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(IsWindowVisible(badge)) << "Alt+F4";
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    ASSERT_TRUE(testkit::waitFor([&] { return !IsWindowVisible(menu); }));

    DWORD_PTR result = 0;
    SendMessageTimeoutW(badge, WM_CLOSE, 0, 0, SMTO_BLOCK, 5000, &result);
    EXPECT_TRUE(IsWindowVisible(badge)) << "another program's WM_CLOSE";
    testkit::TestProcess taskkill(L"C:\\windows\\system32\\taskkill.exe", {},
                                  L"/pid " + std::to_wstring(guard->id()));
    ASSERT_TRUE(taskkill.started());
    taskkill.waitForExit();
    SendMessageTimeoutW(badge, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result);
    EXPECT_TRUE(guard->running());
    EXPECT_TRUE(IsWindowVisible(badge)) << "taskkill without /f";
    EXPECT_EQ(openMainWindow(), main) << "the main window and its owner are still there";
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(badge) && !IsWindowVisible(main); }));

    // Another program's window in front, then a CD in a drive.
    HWND other = CreateWindowExW(0, L"STATIC", L"另一个程序", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                 100, 500, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    testkit::waitFor([&] { return GetForegroundWindow() == other; });
    testkit::TempFolder disc{L"qv-cd"};
    auto letter = testkit::freeDriveLetter();
    ASSERT_TRUE(letter);
    testkit::SimulatedDrive cd(*letter, DRIVE_CDROM, disc.path());
    ASSERT_TRUE(cd.ok());
    HWND notice = guard->waitForMessageBox(L"建议用杀毒软件进行杀毒后再使用！");
    ASSERT_NE(notice, nullptr);
    HWND owner = GetWindow(notice, GW_OWNER);
    ASSERT_NE(owner, nullptr) << "owned: no taskbar button";
    DWORD ownerProcess = 0;
    GetWindowThreadProcessId(owner, &ownerProcess);
    EXPECT_EQ(ownerProcess, guard->id());
    EXPECT_FALSE(IsWindowVisible(owner)) << "the hidden owner";
    EXPECT_NE(owner, main);
    EXPECT_TRUE(testkit::waitFor([&] {
        return (GetWindowLongPtrW(notice, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    })) << "above other programs' windows";
    testkit::saveScreenshot(L"e2e_background_notice");
    EXPECT_TRUE(testkit::pressButton(notice, IDOK));
    DestroyWindow(other);
}

}  // namespace qv::test
