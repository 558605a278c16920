// The real setup program under Wine, as a user meets it: installed silently into a folder
// with blanks and Chinese characters and updated there by a second setup, removed by
// QVuninst.exe's wizard started from elsewhere; refused for a folder the uninstall script
// could not name and over a running guard; its pages stepped through by messages, with a
// running guard in the way first, and the guard started at the end with the user's rights.
// (The installed guard at work: InstalledGuardWineTest.cpp.)

#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win32/UniqueHandle.h"
#include "installer/tests/wine/Installation.h"
#include "tests/wine/e2e/GuardProcess.h"
#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"
#include "tests/wine/tools/WineSettings.h"

namespace qv::setup::test {
namespace {

using namespace qv::testkit;
using namespace qv::setup::test;
using qv::win32::UniqueKernelHandle;

// Control ids of the setup's window (NSIS).
constexpr int kNext = 1, kDirectoryEdit = 1019;

class WineSettingsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const std::initializer_list<std::wstring> programs = {
            L"QVud.exe", L"QVuninst.exe", L"Pifushe.exe", L"QVud-setup-" QV_VERSION L".exe"};
        prepareWineSettings(programs);
        ASSERT_FALSE(prepareWineSettings(programs)) << "Wine's settings stay unwritten";
    }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new WineSettingsEnvironment);

class SetupWine : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(temp.path().empty());
        ASSERT_FALSE(packageFiles().empty());
    }
    void TearDown() override { removeInstallation(destination); }

    TempFolder temp{L"qv-setup"};
    const std::wstring destination = temp / L"我的 软件\\QVu 盘卫士";
    const std::wstring setupExe = windowsPath(QV_SETUP_EXE);
};

// A second setup without a folder updates the installation where it is; an uninstall
// started from the Start menu leaves files of the user's own, and their folder.
TEST_F(SetupWine, ASecondSetupUpdatesInPlaceAndTheUninstallKeepsAFolderThatHoldsSomethingElse) {
    TestProcess setup(setupExe, {}, L"/S /D=" + destination);
    ASSERT_EQ(setup.waitForExit(60000), 0);
    ASSERT_TRUE(writeBytes(destination + L"\\我的笔记.txt", "mine"));
    ASSERT_TRUE(writeBytes(destination + L"\\QVud.exe", "old version"));
    TestProcess again(setupExe, {}, L"/S");
    ASSERT_EQ(again.waitForExit(60000), 0);
    EXPECT_NE(readBytes(destination + L"\\QVud.exe"), "old version") << "updated in its folder";
    EXPECT_FALSE(exists(defaultInstallFolder())) << "and nowhere else";
    EXPECT_EQ(machineString(kUninstallKey, L"InstallLocation"), destination);

    // The shortcut of the Start menu starts the uninstaller in some other folder.
    TestProcess uninstaller(destination + L"\\QVuninst.exe", temp.path());
    HWND confirm = awaitTopWindow(L"卸载确认");
    ASSERT_TRUE(confirm);
    EXPECT_TRUE(pressButton(confirm, IDOK));
    HWND wizard = awaitTopWindow(L"QVu盘卫士 卸载向导", L"QVuninstWizard");
    ASSERT_TRUE(wizard);
    HWND report = uninstallAndAwaitReport(wizard);
    ASSERT_TRUE(report);
    EXPECT_EQ(messageBoxText(report), L"本软件已成功卸载！");
    EXPECT_TRUE(pressButton(report, IDOK));

    EXPECT_TRUE(waitFor([&] { return !exists(destination + L"\\Xz.ini"); }, 30s));
    EXPECT_FALSE(exists(destination + L"\\QVuninst.exe"));
    EXPECT_FALSE(exists(destination + L"\\QVud.exe"));
    EXPECT_TRUE(exists(destination + L"\\我的笔记.txt"));
}

// Outside Program Files the setup closes the folder to ordinary users: a folder holding
// files of something else would close them too, and is refused before anything is
// installed; a link in the folder's place is refused, and nothing goes where it leads.
TEST_F(SetupWine, AFolderOfOtherFilesOrALinkOutsideProgramFilesIsRefusedAndLeftAsItIs) {
    const std::wstring tools = temp / L"工具";
    ASSERT_TRUE(CreateDirectoryW(tools.c_str(), nullptr));
    ASSERT_TRUE(writeBytes(tools + L"\\tool.exe", "MZ mine"));
    TestProcess setup(setupExe, {}, L"/S /D=" + tools);
    EXPECT_EQ(setup.waitForExit(30000), 4);
    EXPECT_EQ(readBytes(tools + L"\\tool.exe"), "MZ mine");
    EXPECT_FALSE(exists(tools + L"\\Xz.ini"));
    EXPECT_FALSE(exists(tools + L"\\QVud.exe"));
    EXPECT_FALSE(keyExists(kUninstallKey));

    TempFolder elsewhere{L"qv-elsewhere"};
    const std::wstring link = temp / L"链接";
    ASSERT_TRUE(makeUnixLink(elsewhere.path(), link));
    TestProcess linked(setupExe, {}, L"/S /D=" + link);
    EXPECT_EQ(linked.waitForExit(30000), 4);
    EXPECT_FALSE(exists(elsewhere / L"Xz.ini"));
    EXPECT_FALSE(exists(elsewhere / L"QVud.exe"));
    EXPECT_FALSE(keyExists(kUninstallKey));
    EXPECT_FALSE(exists(menuFolder()));
}

// Xz.ini is in the system code page (GBK here), which has no Hangul: a folder named with it
// could not be named in the script, so the setup installs nothing there and says so.
TEST_F(SetupWine, FolderTheCodePageCannotNameIsRefusedBeforeAnythingIsInstalled) {
    const std::wstring folder = temp / L"한글";
    TestProcess setup(setupExe, {}, L"/S /D=" + folder);
    EXPECT_EQ(setup.waitForExit(30000), 4);
    EXPECT_FALSE(exists(folder));
    EXPECT_FALSE(keyExists(kUninstallKey));
    EXPECT_FALSE(exists(menuFolder()));
}

// The guard built beside this test, running from a folder of its own.
class RunningGuard : public qv::test::GuardProcess {
public:
    explicit RunningGuard(const std::wstring& folder)
        : GuardProcess(windowsPath(QV_GUARD_EXE), folder) {}
    bool showsBadge() const {
        HWND badge = waitForForm(L"Form3");
        return badge && waitFor([&] { return IsWindowVisible(badge) != FALSE; });
    }
};

TEST_F(SetupWine, SilentInstallOverARunningGuardFailsAndInstallsNothing) {
    TempFolder folder{L"qv-guard"};
    RunningGuard guard(folder.path());
    ASSERT_TRUE(guard.showsBadge());
    TestProcess setup(setupExe, {}, L"/S /D=" + destination);
    EXPECT_EQ(setup.waitForExit(30000), 3);
    EXPECT_FALSE(exists(destination));
    EXPECT_FALSE(keyExists(kUninstallKey));
}

// The installation's guard may run in another session, or for another user, where the
// guard's single-instance mutex cannot be seen: the setup finds it by its program file.
// A program in its place that holds no mutex stands for it.
TEST_F(SetupWine, SilentInstallOverTheInstallationsGuardOfAnotherSessionFails) {
    const std::wstring parent = temp / L"我的 软件";
    ASSERT_TRUE(CreateDirectoryW(parent.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(destination.c_str(), nullptr));
    const std::wstring standIn = destination + L"\\QVud.exe";
    ASSERT_TRUE(CopyFileW(windowsPath(QV_IDLE_PROGRAM).c_str(), standIn.c_str(), TRUE));
    TestProcess other(standIn, temp.path());
    ASSERT_TRUE(other.started());
    TestProcess setup(setupExe, {}, L"/S /D=" + destination);
    EXPECT_EQ(setup.waitForExit(30000), 3);
    EXPECT_FALSE(exists(destination + L"\\Xz.ini"));
    EXPECT_FALSE(keyExists(kUninstallKey));
}

// The process that started `pid`; 0 when unknown.
DWORD parentOf(DWORD pid) {
    UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ProcessID == pid) return entry.th32ParentProcessID;
    }
    return 0;
}

// The setup window's page now: its inner dialog.
HWND innerPage(HWND setup) {
    return FindWindowExW(setup, nullptr, L"#32770", nullptr);
}

bool nextEnabled(HWND setup) {
    HWND next = GetDlgItem(setup, kNext);
    return next && IsWindowEnabled(next) && IsWindowVisible(next);
}

TEST_F(SetupWine, PagesAskToEndARunningGuardThenInstallAndRunIt) {
    TempFolder folder{L"qv-guard"};
    RunningGuard guard(folder.path());
    ASSERT_TRUE(guard.showsBadge());
    TestProcess setup(setupExe);
    ASSERT_TRUE(setup.started());
    HWND ask = nullptr;
    ASSERT_TRUE(waitFor(
        [&] { return (ask = findMessageBox(L"请先退出QVu盘卫士", setup.id())) != nullptr; }, 20s));
    saveScreenshot(L"setup-guard-running", ask);
    guard.terminate();
    EXPECT_TRUE(pressButton(ask, IDRETRY));

    const std::wstring title = L"QVu盘卫士 " QV_VERSION L" 安装";
    HWND window = nullptr;
    ASSERT_TRUE(waitFor(
        [&] {
            window = findTopWindow(title, L"#32770", setup.id());
            return window && nextEnabled(window);
        },
        20s));
    saveScreenshot(L"setup-1-welcome", window);
    EXPECT_TRUE(pressButton(window, kNext));

    HWND edit = nullptr;
    ASSERT_TRUE(waitFor([&] {
        HWND page = innerPage(window);
        return page && (edit = GetDlgItem(page, kDirectoryEdit)) != nullptr &&
               IsWindowVisible(edit);
    }));
    wchar_t programFiles[MAX_PATH] = {};
    GetEnvironmentVariableW(L"ProgramW6432", programFiles, MAX_PATH);
    EXPECT_EQ(controlText(edit), std::wstring(programFiles) + L"\\QVu盘卫士");
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(destination.c_str()));
    saveScreenshot(L"setup-2-folder", window);
    EXPECT_TRUE(pressButton(window, kNext));

    // The progress page stays once everything is installed.
    ASSERT_TRUE(waitFor(
        [&] {
            HWND page = innerPage(window);
            return page && FindWindowExW(page, nullptr, L"msctls_progress32", nullptr) &&
                   nextEnabled(window) && exists(destination + L"\\Xz.ini");
        },
        60s));
    saveScreenshot(L"setup-3-progress", window);
    EXPECT_TRUE(pressButton(window, kNext));

    ASSERT_TRUE(waitFor([&] { return controlText(GetDlgItem(window, kNext)) == L"完成(&F)"; }));
    saveScreenshot(L"setup-4-finish", window);
    EXPECT_EQ(findBadge(), nullptr);
    EXPECT_TRUE(pressButton(window, kNext));  // "run the guard now" is ticked as designed
    EXPECT_EQ(setup.waitForExit(), 0);

    HWND badge = nullptr;
    ASSERT_TRUE(waitFor([&] { return (badge = findBadge()) != nullptr; }, 20s));
    DWORD guardId = 0;
    GetWindowThreadProcessId(badge, &guardId);
    EXPECT_EQ(processImage(guardId), destination + L"\\QVud.exe");
    // Not a child of the elevated setup: the desktop's shell (Explorer, which has the
    // user's ordinary rights) started it.
    DWORD parent = parentOf(guardId);
    EXPECT_NE(parent, setup.id());
    EXPECT_TRUE(processImage(parent).ends_with(L"\\explorer.exe")) << utf8(processImage(parent));
    UniqueKernelHandle installed(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, guardId));
    ASSERT_TRUE(installed);
    TerminateProcess(installed.get(), 0);
    WaitForSingleObject(installed.get(), 10000);
}

}  // namespace
}  // namespace qv::setup::test
