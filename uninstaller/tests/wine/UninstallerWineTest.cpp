// QVuninst.exe end to end under Wine: placed in a folder of its own with an Xz.ini in GBK
// and started from another folder, as "Programs and Features" starts it; answered and
// clicked by messages as a user would, then its results checked on disk.

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "common/win32/UniqueHandle.h"
#include "tests/wine/tools/TestKit.h"
#include "tests/wine/tools/WineSettings.h"

namespace qv::uninst::test {
namespace {

using namespace qv::testkit;

// Control ids of the wizard window.
constexpr int kWenben = 101, kShanchulb = 102, kCheck1 = 103, kImage1 = 104, kImage2 = 105;

// QVuninst.exe reads the settings at each start, so they are made once before the first;
// a second pass that still finds something to write means they cannot be written.
class WineSettingsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        prepareWineSettings({L"QVuninst.exe"});
        ASSERT_FALSE(prepareWineSettings({L"QVuninst.exe"})) << "Wine's settings stay unwritten";
    }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new WineSettingsEnvironment);

// The built QVuninst.exe (CMake gives its Unix path).
std::wstring uninstallerExe() {
    return windowsPath(QV_UNINST_EXE);
}

// The lines of an Xz.ini, as UTF-8 text to be written in GBK.
std::string scriptText(std::initializer_list<std::wstring> lines) {
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    return utf8(text);
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The file's bytes; "" while it does not exist.
std::string contents(const std::wstring& path) {
    return readBytes(path).value_or(std::string());
}

// A shown message box of the program with the title `title`; nullptr when none.
HWND findBox(const TestProcess& process, const std::wstring& title) {
    return findTopWindow(title, L"#32770", process.id());
}

// The wizard window once it is shown; nullptr before.
HWND findWizard(const TestProcess& process) {
    return findTopWindowOfClass(L"QVuninstWizard", process.id(), IsWindowVisible);
}

std::vector<std::wstring> listItems(HWND list) {
    std::vector<std::wstring> items;
    auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        auto got = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(got > 0 ? got : 0));
        items.push_back(item);
    }
    return items;
}

RECT clientArea(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

// The bottom of a child window in its parent's client coordinates.
int bottomInParent(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r.bottom;
}

void pressFace(HWND face, int x, int y) {
    PostMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(face, WM_LBUTTONUP, 0,
                 MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                            static_cast<WORD>(static_cast<short>(y))));
}

class UninstallerWine : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CopyFileW(uninstallerExe().c_str(), exe.c_str(), FALSE)); }
    // A command of the script that writes `text` into the file `name` of the folder: the
    // commands run in the system folder, so the file is named by its full path.
    std::wstring echo(const std::wstring& text, const std::wstring& name) const {
        return L"echo " + text + L"> \"" + (folder / name) + L"\"";
    }

    // Starts the uninstaller and waits for its confirmation box.
    HWND startAndAwaitConfirmation(TestProcess& process) {
        HWND box = nullptr;
        EXPECT_TRUE(process.started());
        EXPECT_TRUE(waitFor([&] { return (box = findBox(process, L"卸载确认")) != nullptr; }));
        return box;
    }

    HWND awaitBox(TestProcess& process, const std::wstring& title) {
        HWND box = nullptr;
        EXPECT_TRUE(waitFor([&] { return (box = findBox(process, title)) != nullptr; }))
            << "no box";
        return box;
    }

    TempFolder folder{L"qv-uninst"};
    TempFolder elsewhere{L"qv-uninst-cwd"};
    const std::wstring exe = folder / L"QVuninst.exe";
};

TEST_F(UninstallerWine, ConfirmedUninstallDeletesTheListAndRunsTheCommands) {
    ASSERT_TRUE(CreateDirectoryW((folder / L"子目录").c_str(), nullptr));
    ASSERT_TRUE(writeBytes(folder / L"a.txt", "a"));
    ASSERT_TRUE(writeBytes(folder / L"子目录\\中文.dat", "b"));
    ASSERT_TRUE(writeBytes(folder / L"other.txt", "c"));
    ASSERT_TRUE(writeGbkFile(
        folder / L"Xz.ini",
        scriptText({L"[标题开始]", L"测试软件", L"[文本开始]", L"第一行", L"", L"第三行",
                    L"[文本结束]", L"[删除开始]", L"a.txt", L"子目录\\中文.dat", L"[删除结束]",
                    L"[命令开始]", echo(L"one", L"mark1.txt"), echo(L"two", L"标记2.txt"),
                    L"[命令结束]"})));

    TestProcess process(exe, elsewhere.path());
    HWND confirm = startAndAwaitConfirmation(process);
    ASSERT_TRUE(confirm);
    EXPECT_EQ(messageBoxText(confirm), L"确认卸载测试软件 吗？");
    EXPECT_EQ(findWizard(process), nullptr);  // no window before the answer
    EXPECT_TRUE(pressButton(confirm, IDOK));

    HWND wizard = nullptr;
    ASSERT_TRUE(waitFor([&] { return (wizard = findWizard(process)) != nullptr; }));
    EXPECT_EQ(controlText(wizard), L"测试软件 卸载向导");
    EXPECT_EQ(controlText(GetDlgItem(wizard, kWenben)), L"第一行\r\n\r\n第三行\r\n");
    EXPECT_EQ(listItems(GetDlgItem(wizard, kShanchulb)),
              (std::vector<std::wstring>{L"a.txt", L"子目录\\中文.dat"}));
    saveScreenshot(L"uninstaller-wizard", wizard);

    // The pressed look: a dark border on the face while the button is held; released
    // outside the face it is no click.
    HWND cancel = GetDlgItem(wizard, kImage1);
    RECT face{};
    GetWindowRect(cancel, &face);
    const COLORREF border = GetSysColor(COLOR_WINDOWFRAME);
    EXPECT_NE(screenPixel(face.left, face.top), border);
    PostMessageW(cancel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(waitFor([&] { return screenPixel(face.left, face.top) == border; }));
    PostMessageW(cancel, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-30), 5));
    EXPECT_TRUE(waitFor([&] { return screenPixel(face.left, face.top) != border; }));
    // The right button presses it too, and clicks nothing.
    PostMessageW(cancel, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(waitFor([&] { return screenPixel(face.left, face.top) == border; }));
    PostMessageW(cancel, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(waitFor([&] { return screenPixel(face.left, face.top) != border; }));
    EXPECT_TRUE(process.running());

    // The client area as designed, 6150 x 4425 twips inside the system's own frame; the
    // check box adds the 1731 twips that reveal the whole list below, and takes them away.
    const int dpi = screenDpi();
    auto twips = [dpi](int value) { return MulDiv(value, dpi, 1440); };
    HWND check = GetDlgItem(wizard, kCheck1);
    HWND list = GetDlgItem(wizard, kShanchulb);
    EXPECT_EQ(clientArea(wizard).right, twips(6150));
    EXPECT_EQ(clientArea(wizard).bottom, twips(4425));
    PostMessageW(check, BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return clientArea(wizard).bottom == twips(4425 + 1731); }));
    EXPECT_LE(bottomInParent(list), clientArea(wizard).bottom) << "the whole list shows";
    EXPECT_EQ(clientArea(wizard).right, twips(6150));
    saveScreenshot(L"uninstaller-wizard-list", wizard);
    PostMessageW(check, BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return clientArea(wizard).bottom == twips(4425); }));

    pressFace(GetDlgItem(wizard, kImage2), 5, 5);
    HWND done = awaitBox(process, L"提示");
    ASSERT_TRUE(done);
    EXPECT_EQ(messageBoxText(done), L"本软件已成功卸载！");
    EXPECT_EQ(controlText(GetDlgItem(wizard, kWenben)), L"正在卸载请稍后...");
    EXPECT_FALSE(exists(folder / L"a.txt"));
    EXPECT_FALSE(exists(folder / L"子目录\\中文.dat"));
    EXPECT_TRUE(exists(folder / L"子目录"));
    EXPECT_TRUE(exists(folder / L"other.txt"));
    EXPECT_FALSE(exists(folder / L"mark1.txt"));  // the commands start after the message
    EXPECT_TRUE(pressButton(done, IDOK));

    EXPECT_EQ(process.waitForExit(), 0);
    EXPECT_FALSE(IsWindow(wizard));
    EXPECT_TRUE(waitFor([&] { return contents(folder / L"mark1.txt").rfind("one", 0) == 0; }));
    EXPECT_TRUE(waitFor([&] { return contents(folder / L"标记2.txt").rfind("two", 0) == 0; }));
}

TEST_F(UninstallerWine, CancelInTheConfirmationTouchesNothing) {
    ASSERT_TRUE(writeBytes(folder / L"a.txt", "a"));
    ASSERT_TRUE(
        writeGbkFile(folder / L"Xz.ini", scriptText({L"[删除开始]", L"a.txt", L"[删除结束]",
                                                     L"[命令开始]", echo(L"x", L"mark.txt")})));
    TestProcess process(exe, elsewhere.path());
    HWND confirm = startAndAwaitConfirmation(process);
    ASSERT_TRUE(confirm);
    // No title: the prompt names the window's designed caption.
    EXPECT_EQ(messageBoxText(confirm), L"确认卸载卸载程序 吗？");
    EXPECT_TRUE(pressButton(confirm, IDCANCEL));
    EXPECT_EQ(process.waitForExit(), 0);
    EXPECT_TRUE(exists(folder / L"a.txt"));
    EXPECT_FALSE(exists(folder / L"mark.txt"));
}

// A file that stays keeps the commands from running: they would remove what lets the user
// uninstall again.
TEST_F(UninstallerWine, FilesThatStayAreNamedAndNoCommandRuns) {
    ASSERT_TRUE(writeBytes(folder / L"gone.txt", "g"));
    ASSERT_TRUE(writeBytes(folder / L"keep.txt", "k"));
    ASSERT_TRUE(writeBytes(folder / L"locked.txt", "l"));
    ASSERT_TRUE(writeGbkFile(
        folder / L"Xz.ini", scriptText({L"[标题开始]", L"产品", L"[删除开始]", L"gone.txt",
                                        L"locked.txt", L"missing.txt", L"*.txt", L"[删除结束]",
                                        L"[命令开始]", echo(L"ran", L"mark.txt"), L"[命令结束]"})));
    // Held open without delete sharing, so it cannot be deleted meanwhile.
    qv::win32::UniqueFile lock(CreateFileW((folder / L"locked.txt").c_str(), GENERIC_READ,
                                           FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);

    TestProcess process(exe, elsewhere.path());
    HWND confirm = startAndAwaitConfirmation(process);
    ASSERT_TRUE(confirm);
    EXPECT_TRUE(pressButton(confirm, IDOK));
    HWND wizard = nullptr;
    ASSERT_TRUE(waitFor([&] { return (wizard = findWizard(process)) != nullptr; }));
    pressFace(GetDlgItem(wizard, kImage2), 5, 5);

    HWND report = awaitBox(process, L"提示");
    ASSERT_TRUE(report);
    std::wstring text = messageBoxText(report);
    EXPECT_EQ(text.find(L"本软件已成功卸载"), std::wstring::npos) << "success claimed";
    EXPECT_NE(text.find(L"locked.txt（"), std::wstring::npos);
    EXPECT_EQ(text.find(L"missing.txt"), std::wstring::npos) << "a missing file is gone";
    EXPECT_NE(text.find(L"*.txt（"), std::wstring::npos);
    EXPECT_EQ(text.find(L"gone.txt"), std::wstring::npos);
    EXPECT_FALSE(exists(folder / L"gone.txt"));
    EXPECT_TRUE(exists(folder / L"locked.txt"));
    EXPECT_TRUE(exists(folder / L"keep.txt"));  // a wildcard is never expanded
    saveScreenshot(L"uninstaller-report", report);
    EXPECT_TRUE(pressButton(report, IDOK));

    EXPECT_EQ(process.waitForExit(), 0);
    EXPECT_FALSE(exists(folder / L"mark.txt"));
    EXPECT_TRUE(exists(exe));
}

TEST_F(UninstallerWine, MissingScriptIsReportedAndNothingRuns) {
    ASSERT_TRUE(writeBytes(folder / L"keep.txt", "k"));
    TestProcess process(exe, elsewhere.path());
    ASSERT_TRUE(process.started());
    HWND error = awaitBox(process, L"错误");
    ASSERT_TRUE(error);
    EXPECT_NE(messageBoxText(error).find(L"Xz.ini"), std::wstring::npos);
    EXPECT_EQ(findWizard(process), nullptr);
    EXPECT_TRUE(pressButton(error, IDOK));
    EXPECT_EQ(process.waitForExit(), 1);
    EXPECT_TRUE(exists(folder / L"keep.txt"));
}

}  // namespace
}  // namespace qv::uninst::test
