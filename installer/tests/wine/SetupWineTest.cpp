// The real setup program under Wine, as a user meets it: installed silently into a folder
// with blanks and Chinese characters, the guard started from its Start menu shortcut, the
// product removed through its registered uninstall command and QVuninst.exe's wizard;
// then its pages stepped through by messages, with a running guard in the way first.

#include <windows.h>
// After windows.h, which they need.
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win32/UniqueHandle.h"
#include "tests/wine/e2e/GuardProcess.h"
#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"
#include "tests/wine/tools/WineSettings.h"

namespace qv::setup::test {
namespace {

using namespace qv::testkit;
using qv::win32::UniqueFind;
using qv::win32::UniqueKernelHandle;
using qv::win32::UniqueKey;

const wchar_t* const kUninstallKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QVud";
const wchar_t* const kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Control ids of the setup's window (NSIS) and of the uninstall wizard.
constexpr int kNext = 1, kDirectoryEdit = 1019;
constexpr int kWizardMessage = 101, kUninstallFace = 105;

class WineSettingsEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const std::initializer_list<std::wstring> programs = {L"QVud.exe", L"QVuninst.exe",
                                                              L"QVud-setup-" QV_VERSION L".exe"};
        prepareWineSettings(programs);
        ASSERT_FALSE(prepareWineSettings(programs)) << "Wine's settings stay unwritten";
    }
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new WineSettingsEnvironment);

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The package's files, relative to the installation folder, as the build listed them.
std::vector<std::wstring> packageFiles() {
    std::vector<std::wstring> names;
    std::wstring text = wide(readBytes(windowsPath(QV_PACKAGE_MANIFEST)).value_or(""));
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        if (end > start) names.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::wstring menuFolder() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::wstring(path) + L"\\QVu盘卫士";
}

bool keyExists(const wchar_t* key) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | KEY_WOW64_64KEY, &h) != ERROR_SUCCESS)
        return false;
    UniqueKey opened(h);
    return true;
}

// The names of what a folder holds, for a failure message.
std::string folderEntries(const std::wstring& folder) {
    std::string names;
    WIN32_FIND_DATAW entry;
    UniqueFind search(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!search) return names;
    do {
        std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") names += utf8(name) + " ";
    } while (FindNextFileW(search.get(), &entry));
    return names;
}

// A string value under HKEY_LOCAL_MACHINE; nullopt when there is none.
std::optional<std::wstring> machineString(const wchar_t* key, const wchar_t* value) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | KEY_WOW64_64KEY, &h) != ERROR_SUCCESS)
        return std::nullopt;
    UniqueKey opened(h);
    wchar_t data[2048] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t);
    DWORD type = 0;
    LONG got = RegQueryValueExW(h, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    if (got != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    return std::wstring(data);
}

// The guard's badge, of whichever process shows it; nullptr when none does.
HWND findBadge() {
    HWND badge = qv::test::findFormWindow(0, L"Form3");
    return badge && IsWindowVisible(badge) ? badge : nullptr;
}

std::wstring processImage(DWORD pid) {
    UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return {};
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameW(process.get(), 0, path, &size);
    return path;
}

HWND awaitTopWindow(const std::wstring& title, const std::wstring& className = L"#32770") {
    HWND found = nullptr;
    waitFor([&] { return (found = findTopWindow(title, className)) != nullptr; }, 20s);
    return found;
}

// Clicks the wizard's uninstall picture, as the user does, and waits for the report.
HWND uninstallAndAwaitReport(HWND wizard) {
    HWND face = GetDlgItem(wizard, kUninstallFace);
    PostMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(face, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    return awaitTopWindow(L"提示");
}

// Whatever an installation left: the folder, the Start menu folder and the registry.
void removeInstallation(const std::wstring& folder) {
    removeTree(folder);
    removeTree(menuFolder());
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_64KEY, 0);
    HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &run) ==
        ERROR_SUCCESS) {
        UniqueKey opened(run);
        RegDeleteValueW(run, L"QVud");
    }
}

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

TEST_F(SetupWine, SilentInstallThenGuardFromItsShortcutThenUninstallLeavesNothing) {
    TestProcess setup(setupExe, {}, L"/S /D=" + destination);
    ASSERT_TRUE(setup.started());
    ASSERT_EQ(setup.waitForExit(60000), 0);

    for (const std::wstring& name : packageFiles())
        EXPECT_TRUE(exists(destination + L"\\" + name)) << utf8(name);
    EXPECT_TRUE(exists(destination + L"\\Xz.ini"));
    const std::wstring guardShortcut = menuFolder() + L"\\QVu盘卫士.lnk";
    EXPECT_TRUE(exists(guardShortcut));
    EXPECT_TRUE(exists(menuFolder() + L"\\卸载QVu盘卫士.lnk"));
    std::optional<std::wstring> uninstall = machineString(kUninstallKey, L"UninstallString");
    ASSERT_TRUE(uninstall);
    EXPECT_EQ(machineString(kUninstallKey, L"DisplayVersion"), QV_VERSION);

    // The guard, started as the Start menu starts it, shows its badge.
    SHELLEXECUTEINFOW launch{};
    launch.cbSize = sizeof(launch);
    launch.lpFile = guardShortcut.c_str();
    launch.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&launch));
    HWND badge = nullptr;
    ASSERT_TRUE(waitFor([&] { return (badge = findBadge()) != nullptr; }, 20s));
    DWORD guardId = 0;
    GetWindowThreadProcessId(badge, &guardId);
    EXPECT_EQ(processImage(guardId), destination + L"\\QVud.exe");
    saveScreenshot(L"setup-installed-guard");

    // What the guard leaves at run time: an autostart value and a log (its settings files
    // stay unwritten, which the uninstall must not call a failure).
    {
        HKEY run = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0,
                                  KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &run, nullptr),
                  ERROR_SUCCESS);
        UniqueKey opened(run);
        const std::wstring autostart = L"\"" + destination + L"\\QVud.exe\"";
        RegSetValueExW(run, L"QVud", 0, REG_SZ, reinterpret_cast<const BYTE*>(autostart.c_str()),
                       static_cast<DWORD>((autostart.size() + 1) * sizeof(wchar_t)));
    }
    ASSERT_TRUE(writeBytes(destination + L"\\Rz.log", "log\r\n"));

    // "Programs and Features" runs the registered command: the guard is ended, the wizard
    // starts in the installation folder.
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = *uninstall;
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                               CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info));
    UniqueKernelHandle uninstallCommand(info.hProcess), uninstallThread(info.hThread);

    HWND confirm = awaitTopWindow(L"卸载确认");
    ASSERT_TRUE(confirm);
    EXPECT_EQ(messageBoxText(confirm), L"确认卸载QVu盘卫士 吗？");
    EXPECT_TRUE(waitFor([&] { return findBadge() == nullptr; })) << "the guard was ended";
    EXPECT_TRUE(pressButton(confirm, IDOK));
    HWND wizard = awaitTopWindow(L"QVu盘卫士 卸载向导", L"QVuninstWizard");
    ASSERT_TRUE(wizard);
    EXPECT_NE(controlText(GetDlgItem(wizard, kWizardMessage)).find(L"感谢您使用QVu盘卫士"),
              std::wstring::npos);
    saveScreenshot(L"setup-uninstall-wizard", wizard);

    HWND report = uninstallAndAwaitReport(wizard);
    ASSERT_TRUE(report);
    EXPECT_EQ(messageBoxText(report), L"本软件已成功卸载！");
    saveScreenshot(L"setup-uninstall-report", report);
    EXPECT_TRUE(pressButton(report, IDOK));
    // The commands run after the wizard has ended; the last one waits for it.
    EXPECT_TRUE(waitFor([&] { return !exists(destination); }, 30s))
        << "the installation folder is removed; left: " << folderEntries(destination);
    for (const std::wstring& name : packageFiles())
        EXPECT_FALSE(exists(destination + L"\\" + name)) << utf8(name);
    EXPECT_TRUE(exists(temp / L"我的 软件")) << "only the folder of the installation goes";
    EXPECT_TRUE(waitFor([&] { return !exists(menuFolder()); }));
    EXPECT_TRUE(waitFor([&] { return !keyExists(kUninstallKey); }));
    EXPECT_TRUE(waitFor([&] { return !machineString(kRunKey, L"QVud"); }));
}

// Files of the user's own in the installation folder stay, and so does the folder.
TEST_F(SetupWine, UninstallKeepsAFolderThatHoldsSomethingElse) {
    TestProcess setup(setupExe, {}, L"/S /D=" + destination);
    ASSERT_EQ(setup.waitForExit(60000), 0);
    ASSERT_TRUE(writeBytes(destination + L"\\我的笔记.txt", "mine"));

    TestProcess uninstaller(destination + L"\\QVuninst.exe", destination);
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
    UniqueKernelHandle installed(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, guardId));
    ASSERT_TRUE(installed);
    TerminateProcess(installed.get(), 0);
    WaitForSingleObject(installed.get(), 10000);
}

}  // namespace
}  // namespace qv::setup::test
