// The skin changer Pifushe.exe for real, started by the real QVud.exe from its advanced
// page: a skin chosen in its list is previewed, applied by its button and confirmed by its
// message box; Pifu.she then holds that skin, the guard wears it at once after saving the
// system settings with "加在皮肤文件" ticked, and again after a restart. The path of
// QVud.exe is the first argument; Pifushe.exe and its skins lie beside it.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/wine/e2e/GuardProcess.h"
#include "tests/wine/host/TestArguments.h"
#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

namespace {

using namespace std::chrono_literals;

constexpr char kSkinOn[] = "001011100\r\n";               // the designed settings, skin ticked
constexpr COLORREF kShippedFace = RGB(0xE6, 0xF2, 0xEA);  // [window] face of Pifu.she
constexpr COLORREF kDeepSeaFace = RGB(0xDC, 0xE8, 0xF5);  // [window] face of skins\deepsea.she

std::wstring guardExe() {
    const auto& args = testArguments();
    return args.empty() ? std::wstring() : testkit::windowsPath(args.front());
}

// A click on a picture, as the mouse gives it to the picture's window.
void clickPicture(HWND picture) {
    PostMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(picture, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// The surface colour of a window: a pixel of its client area near the lower-left corner.
COLORREF surfaceOf(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT at{4, client.bottom - 4};
    ClientToScreen(window, &at);
    return testkit::screenPixel(at.x, at.y);
}

// How many of a grid of points over `window` show `colour`, of 400.
int pointsShowing(HWND window, COLORREF colour) {
    RECT r;
    GetWindowRect(window, &r);
    int hits = 0;
    for (int i = 0; i < 20; ++i) {
        for (int j = 0; j < 20; ++j) {
            int x = r.left + (r.right - r.left) * (2 * i + 1) / 40;
            int y = r.top + (r.bottom - r.top) * (2 * j + 1) / 40;
            if (testkit::screenPixel(x, y) == colour) ++hits;
        }
    }
    return hits;
}

// The index of the first list-box item that starts with `text`; -1 when none.
int itemStartingWith(HWND list, const std::wstring& text) {
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        wchar_t item[256] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) >= 255) continue;
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
        if (std::wstring_view(item).starts_with(text)) return i;
    }
    return -1;
}

HWND childButton(HWND window, const wchar_t* caption) {
    return FindWindowExW(window, nullptr, L"Button", caption);
}

// The skin changer, which the guard started: the test ends it if it is left running.
class SkinChanger {
public:
    explicit SkinChanger(HWND window) : window_(window) {
        GetWindowThreadProcessId(window, &id_);
        process_ = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id_);
    }
    ~SkinChanger() {
        if (!process_) return;
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
    }
    SkinChanger(const SkinChanger&) = delete;
    SkinChanger& operator=(const SkinChanger&) = delete;

    HWND window() const { return window_; }
    DWORD id() const { return id_; }
    bool ended(DWORD ms) const { return process_ && WaitForSingleObject(process_, ms) == 0; }

private:
    HWND window_;
    DWORD id_ = 0;
    HANDLE process_ = nullptr;
};

class SkinChangerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(guardExe().empty()) << "the path of QVud.exe is the first argument";
        ASSERT_FALSE(folder.path().empty());
        GuardProcess::placeShippedFiles(guardExe(), folder.path());
        ASSERT_TRUE(testkit::writeBytes(folder / L"XTset.ini", kSkinOn));
    }
    void TearDown() override { guard.reset(); }

    // Starts the guard and opens its main window; nullptr when it never showed.
    HWND startGuard() {
        guard = std::make_unique<GuardProcess>(guardExe(), folder.path());
        if (!guard->started()) return nullptr;
        HWND badge = guard->waitForForm(L"Form3");
        if (!badge || !testkit::waitFor([&] { return IsWindowVisible(badge) != FALSE; }))
            return nullptr;
        postDoubleClick(findControlWindow(badge, L"Image1"));
        HWND main = guard->waitForForm(L"Form1");
        if (main && !testkit::waitFor([&] { return IsWindowVisible(main) != FALSE; }))
            return nullptr;
        return main;
    }

    testkit::TempFolder folder{L"qv-e2e"};
    std::unique_ptr<GuardProcess> guard;
};

}  // namespace

TEST_F(SkinChangerTest, AppliedFromTheAdvancedPageTheGuardWearsTheChosenSkin) {
    const auto deepSea = testkit::readBytes(folder / L"skins\\deepsea.she");
    ASSERT_TRUE(deepSea.has_value()) << "the shipped skins lie beside the guard";
    HWND main = startGuard();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(testkit::waitFor([&] { return surfaceOf(main) == kShippedFace; }))
        << "the guard starts in the shipped skin";

    // 高级 page, then the picture 皮肤更换器: the guard starts Pifushe.exe by its name.
    clickPicture(findControlWindow(main, L"Gjsz"));
    HWND tool = findControlWindow(main, L"Image8");
    ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(tool) != FALSE; }));
    clickPicture(tool);
    HWND window = nullptr;
    ASSERT_TRUE(testkit::waitFor([&] {
        window = testkit::findTopWindow(L"QVu盘卫士 - 皮肤更换器", L"QVPifushe");
        return window != nullptr;
    })) << "the skin changer opens";
    SkinChanger changer(window);
    EXPECT_EQ(testkit::findMessageBox(L"更换皮肤模块丢失", guard->id()), nullptr);

    HWND list = FindWindowExW(window, nullptr, L"ListBox", nullptr);
    HWND apply = childButton(window, L"应用");
    ASSERT_NE(list, nullptr);
    ASSERT_NE(apply, nullptr);
    int shipped = itemStartingWith(list, L"青翠");
    ASSERT_GE(shipped, 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), shipped) << "the skin in use is chosen";
    wchar_t shippedItem[64] = {};
    SendMessageW(list, LB_GETTEXT, shipped, reinterpret_cast<LPARAM>(shippedItem));
    EXPECT_EQ(std::wstring(shippedItem), L"青翠（当前）");

    // Choose 深海 as a click in the list does: the selection, then the list's notice.
    int chosen = itemStartingWith(list, L"深海");
    ASSERT_GE(chosen, 0);
    SendMessageW(list, LB_SETCURSEL, chosen, 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    HWND preview = FindWindowExW(window, nullptr, L"QVPifushePreview", nullptr);
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(testkit::waitFor([&] { return pointsShowing(preview, kDeepSeaFace) > 120; }))
        << "the preview is painted in the chosen skin's window face";
    EXPECT_TRUE(IsWindowEnabled(apply));
    testkit::saveScreenshot(L"e2e_pifushe_preview", window);

    PostMessageW(apply, BM_CLICK, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(testkit::waitFor(
        [&] { return (box = testkit::findMessageBox(L"已应用", changer.id())) != nullptr; }));
    EXPECT_NE(testkit::messageBoxText(box).find(L"深海"), std::wstring::npos);
    EXPECT_NE(testkit::messageBoxText(box).find(L"下次启动"), std::wstring::npos);
    testkit::saveScreenshot(L"e2e_pifushe_applied");
    ASSERT_TRUE(testkit::pressButton(box, IDOK));
    EXPECT_EQ(testkit::readBytes(folder / L"Pifu.she"), deepSea) << "Pifu.she is the skin";

    PostMessageW(childButton(window, L"关闭"), BM_CLICK, 0, 0);
    EXPECT_TRUE(changer.ended(10000)) << "关闭 ends the skin changer";

    // Saving the system settings with the skin ticked applies it at once ...
    PostMessageW(main, WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(findControlWindow(main, L"Command8")), BN_CLICKED),
                 reinterpret_cast<LPARAM>(findControlWindow(main, L"Command8")));
    HWND saved = guard->waitForMessageBox(L"系统设置保存成功！");
    ASSERT_NE(saved, nullptr);
    ASSERT_TRUE(testkit::pressButton(saved, IDOK));
    EXPECT_TRUE(testkit::waitFor([&] { return surfaceOf(main) == kDeepSeaFace; }))
        << "the guard wears the new skin after saving";

    // ... and the guard started anew wears it from the start.
    guard.reset();
    main = startGuard();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(testkit::waitFor([&] { return surfaceOf(main) == kDeepSeaFace; }))
        << "the restarted guard wears the applied skin";
    testkit::saveScreenshot(L"e2e_pifushe_guard_restarted", main);
}

TEST_F(SkinChangerTest, StartedFromElsewhereItKeepsToItsOwnFolderAndRefusesDamagedSkins) {
    ASSERT_TRUE(testkit::writeBytes(folder / L"skins\\broken.she", "[skin]\nnot a skin\n"));
    const auto before = testkit::readBytes(folder / L"Pifu.she");
    // Its current folder is another one: skins and Pifu.she are those beside the program.
    testkit::TempFolder elsewhere{L"qv-e2e-cwd"};
    testkit::TestProcess changer(folder / L"Pifushe.exe", elsewhere.path());
    ASSERT_TRUE(changer.started());
    HWND window = nullptr;
    ASSERT_TRUE(testkit::waitFor([&] {
        window = testkit::findTopWindow(L"QVu盘卫士 - 皮肤更换器", L"QVPifushe", changer.id());
        return window != nullptr;
    }));
    HWND list = FindWindowExW(window, nullptr, L"ListBox", nullptr);
    HWND apply = childButton(window, L"应用");
    auto choose = [&](int item) {
        SendMessageW(list, LB_SETCURSEL, item, 0);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    };
    int broken = itemStartingWith(list, L"broken（已损坏）");
    ASSERT_GE(broken, 0) << "shown as damaged";
    choose(broken);
    EXPECT_FALSE(IsWindowEnabled(apply)) << "and not to be applied";
    testkit::saveScreenshot(L"e2e_pifushe_damaged", window);
    // A click by message reaches even a disabled button; the skin is still refused.
    PostMessageW(apply, BM_CLICK, 0, 0);
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr);
    EXPECT_EQ(testkit::findMessageBox(L"已应用", changer.id()), nullptr);
    if (HWND refused = testkit::findMessageBox(L"已损坏", changer.id())) {
        EXPECT_EQ(testkit::windowText(refused), L"错误");
        EXPECT_TRUE(testkit::pressButton(refused, IDOK));
    }
    EXPECT_EQ(testkit::readBytes(folder / L"Pifu.she"), before);

    choose(itemStartingWith(list, L"经典"));
    ASSERT_TRUE(IsWindowEnabled(apply));
    PostMessageW(apply, BM_CLICK, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(testkit::waitFor(
        [&] { return (box = testkit::findMessageBox(L"已应用", changer.id())) != nullptr; }));
    EXPECT_TRUE(testkit::pressButton(box, IDOK));
    EXPECT_EQ(testkit::readBytes(folder / L"Pifu.she"),
              testkit::readBytes(folder / L"skins\\classic.she"));
    EXPECT_FALSE(testkit::readBytes(elsewhere / L"Pifu.she").has_value())
        << "nothing is written to the current folder";
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(changer.waitForExit(), 0);
}

}  // namespace qv::test
