// The installed guard at work with a user's ordinary rights, under Wine. The setup installs
// silently into Program Files; the program folder is then made unwritable (chattr +i: Wine
// runs as root, so Unix permissions bind nothing), and the guard is started from another
// folder with the limited token an administrator's programs have under User Account
// Control. Its settings, its log, its process list and the chosen skin go to
// %ProgramData%\QVu盘卫士, and stay there across a restart; its administrator's work (the
// autostart entry, a policy import, the cleaner's system file) starts programs with the
// verb "runas", which Wine's shell writes to its trace (WINEDEBUG trace+exec), since Wine
// runs them without a prompt. The uninstall leaves everything while a file stays, ending
// only the installation's own programs, and removes the data folder with the rest once it
// can. One installation serves every step.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "common/win32/UniqueHandle.h"
#include "installer/tests/wine/Installation.h"
#include "installer/win32/SharedDataFolder.h"
#include "tests/wine/e2e/GuardProcess.h"
#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::setup::test {
namespace {

using namespace qv::testkit;
using qv::test::chooseMenuItem;
using qv::test::findControlWindow;
using qv::test::findFormWindow;
using qv::test::postDoubleClick;
using qv::win32::UniqueKernelHandle;

// A program started as an administrator's programs start under UAC: with the limited
// token linked to this (elevated) test's own, in `folder`. Ended when the object goes away.
class OrdinaryProcess {
public:
    OrdinaryProcess(const std::wstring& exe, const std::wstring& folder) {
        HANDLE own = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own)) return;
        UniqueKernelHandle ownToken(own);
        TOKEN_LINKED_TOKEN linked{};
        DWORD size = 0;
        if (!GetTokenInformation(own, TokenLinkedToken, &linked, sizeof linked, &size)) return;
        UniqueKernelHandle linkedToken(linked.LinkedToken);
        HANDLE primary = nullptr;
        if (!DuplicateTokenEx(linked.LinkedToken, TOKEN_ALL_ACCESS, nullptr, SecurityImpersonation,
                              TokenPrimary, &primary)) {
            return;
        }
        UniqueKernelHandle primaryToken(primary);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring line = L"\"" + exe + L"\"";
        PROCESS_INFORMATION info{};
        if (!CreateProcessAsUserW(primary, exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, folder.c_str(), &startup, &info)) {
            return;
        }
        UniqueKernelHandle thread(info.hThread);
        process_.reset(info.hProcess);
        id_ = info.dwProcessId;
    }
    ~OrdinaryProcess() { terminate(); }
    OrdinaryProcess(const OrdinaryProcess&) = delete;
    OrdinaryProcess& operator=(const OrdinaryProcess&) = delete;

    DWORD id() const { return id_; }
    bool running() const {
        return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
    }
    bool endsWithin(DWORD ms) const {
        return process_ && WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0;
    }
    void terminate() {
        if (!running()) return;
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 10000);
    }
    // Whether its token is the limited one, not elevated.
    bool limited() const {
        HANDLE token = nullptr;
        if (!OpenProcessToken(process_.get(), TOKEN_QUERY, &token)) return false;
        UniqueKernelHandle owned(token);
        TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
        DWORD size = 0;
        return GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size) &&
               type == TokenElevationTypeLimited;
    }

private:
    UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// The shell traces of this test and the programs it starts (scripts/lib/wine-run-traced).
std::wstring shellTrace() {
    const char* trace = std::getenv("QV_SHELL_TRACE");
    return trace ? windowsPath(trace) : std::wstring();
}

// True when the shell was asked to start `program` with the verb "runas".
bool startedElevated(const std::string& program) {
    std::string text = readBytes(shellTrace()).value_or("");
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (line.find("verb=L\"runas\"") != std::string::npos &&
            line.find(program) != std::string::npos) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

void click(HWND form, HWND control) {
    PostMessageW(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

// The guard's windows, of one process.
struct Guard {
    DWORD id;
    HWND form(const wchar_t* name) const {
        HWND found = nullptr;
        waitFor([&] { return (found = findFormWindow(id, name)) && IsWindowVisible(found); });
        return found;
    }
    HWND mainWindow() const {
        HWND badge = form(L"Form3");
        if (!badge) return nullptr;
        postDoubleClick(findControlWindow(badge, L"Image1"));
        return form(L"Form1");
    }
    // Clicks `button` of the main window, then presses OK in the box that follows, after a
    // screenshot when `shot` is given; that box's text, "" when none came.
    std::wstring press(HWND main, const wchar_t* button, const std::wstring& told,
                       const wchar_t* shot = nullptr, std::chrono::milliseconds limit = 20s) const {
        click(main, findControlWindow(main, button));
        return answer(told, shot, limit);
    }
    std::wstring answer(const std::wstring& told, const wchar_t* shot = nullptr,
                        std::chrono::milliseconds limit = 20s) const {
        HWND box = nullptr;
        if (!waitFor([&] { return (box = findMessageBox(told, id)) != nullptr; }, limit)) return {};
        std::wstring text = messageBoxText(box);
        if (shot) saveScreenshot(shot, box);
        pressButton(box, IDOK);
        waitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); });
        return text;
    }
};

bool ticked(HWND main, const wchar_t* box) {
    return SendMessageW(findControlWindow(main, box), BM_GETCHECK, 0, 0) == BST_CHECKED;
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

class InstalledGuardWine : public ::testing::Test {
protected:
    void SetUp() override {
        removeInstallation(program);
        ASSERT_FALSE(elsewhere.path().empty());
    }
    void TearDown() override {
        setImmutable(program, false);
        setImmutable(systemWorm, false);
        DeleteFileW(systemWorm.c_str());
        removeInstallation(program);
    }
    // Runs the registered uninstall command as "Programs and Features" does (in the
    // system folder), confirms, clicks 卸 载 and answers the report; the report's text, ""
    // when none came. Tells whether the guard still ran at the confirmation.
    std::wstring uninstall(const OrdinaryProcess& guard, bool& guardRanAtTheConfirmation,
                           const wchar_t* shot = nullptr) {
        std::optional<std::wstring> command = machineString(kUninstallKey, L"UninstallString");
        if (!command || command->size() < 2) return {};
        TestProcess uninstaller(command->substr(1, command->size() - 2), L"C:\\windows\\system32");
        HWND confirm = awaitTopWindow(L"卸载确认");
        if (!confirm) return {};
        guardRanAtTheConfirmation = guard.running();
        pressButton(confirm, IDOK);
        HWND wizard = awaitTopWindow(L"QVu盘卫士 卸载向导", L"QVuninstWizard");
        HWND report = wizard ? uninstallAndAwaitReport(wizard) : nullptr;
        if (!report) return {};
        std::wstring told = messageBoxText(report);
        if (shot) saveScreenshot(shot, report);
        pressButton(report, IDOK);
        uninstaller.waitForExit(10000);  // it starts its commands, then ends
        return told;
    }

    const std::wstring program = defaultInstallFolder();
    const std::wstring data = sharedDataFolder();
    const std::wstring systemWorm = L"c:\\windows\\xcopy.exe";
    TempFolder elsewhere{L"qv-elsewhere"};  // the guard's current folder
};

TEST_F(InstalledGuardWine, ItsFilesGoToProgramDataItsAdminWorkAsksForElevationAndItUninstalls) {
    ASSERT_FALSE(shellTrace().empty()) << "run by scripts/lib/wine-run-traced";
    TestProcess setup(windowsPath(QV_SETUP_EXE), {}, L"/S");
    ASSERT_EQ(setup.waitForExit(60000), 0);
    ASSERT_TRUE(exists(program + L"\\QVud.exe")) << "the default folder, under Program Files";
    EXPECT_TRUE(exists(data)) << "the setup makes the shared data folder";
    EXPECT_TRUE(exists(data + L"\\" + qv::setup::win32::kDataFolderNoteName))
        << "with the note that keeps it from being emptied and made a junction";
    EXPECT_EQ(machineString(kUninstallKey, L"UninstallString"),
              L"\"" + program + L"\\QVuninst.exe\"")
        << "just the uninstaller";
    Immutable locked(program);
    ASSERT_TRUE(locked.made());

    auto guardProcess =
        std::make_unique<OrdinaryProcess>(program + L"\\QVud.exe", elsewhere.path());
    Guard guard{guardProcess->id()};
    EXPECT_TRUE(guardProcess->limited());
    HWND main = guard.mainWindow();
    ASSERT_NE(main, nullptr);

    // Both settings pages saved, autostart and automatic handling ticked: the entry under
    // HKEY_LOCAL_MACHINE is written by reg.exe, started with the elevation verb.
    click(main, findControlWindow(main, L"Qd"));
    click(main, findControlWindow(main, L"Zdcl"));
    EXPECT_EQ(guard.press(main, L"Command6", L"防护设置保存成功！"), L"防护设置保存成功！");
    EXPECT_EQ(guard.press(main, L"Command8", L"系统设置", L"installed_settings_saved"),
              L"系统设置保存成功！");
    EXPECT_EQ(readBytes(data + L"\\QVset.ini"), "111111\r\n");
    EXPECT_EQ(readBytes(data + L"\\XTset.ini"), "101110100\r\n");
    EXPECT_EQ(machineString(kRunKey, L"QVud"), L"\"" + program + L"\\QVud.exe\"");
    EXPECT_TRUE(startedElevated("reg.exe"));

    // A policy switch: regedit.exe with the elevation verb, its effect read back.
    EXPECT_EQ(guard.press(main, L"Command9", L"命令", L"installed_policy_done"), L"命令成功完成！");
    EXPECT_TRUE(startedElevated("regedit.exe"));
    click(main, findControlWindow(main, L"Command10"));
    EXPECT_NE(guard.answer(L"此命令可能使您的电脑处于危险状态"), L"");
    EXPECT_EQ(guard.answer(L"命令"), L"命令成功完成！");

    // A stick with a worm's autorun.inf: removed at once, recorded in the data folder.
    TempFolder stick{L"qv-stick"};
    ASSERT_TRUE(writeBytes(stick / L"autorun.inf", "[autorun]\r\nopen=worm.exe\r\n"));
    std::optional<char> letter = freeDriveLetter();
    ASSERT_TRUE(letter);
    SimulatedDrive drive(*letter, DRIVE_REMOVABLE, stick.path());
    ASSERT_TRUE(drive.ok());
    EXPECT_TRUE(waitFor([&] { return !exists(stick / L"autorun.inf"); }, 20s));
    const std::string record =
        toGbk("成功删除" + std::string(1, drive.root()[0]) + ":\\autorun.inf");
    EXPECT_TRUE(waitFor([&] {
        return readBytes(data + L"\\Rz.log").value_or("").find(record) != std::string::npos;
    })) << "the record is in the data folder's Rz.log";

    // The process list, captured into the data folder (the stand-in tasklist.exe of the
    // tests in place of Wine's, which prints nothing).
    {
        SystemToolStandIn tasklist(L"tasklist.exe", windowsPath(QV_TASKLIST_STANDIN));
        ASSERT_TRUE(tasklist.ok());
        HWND image = findControlWindow(guard.form(L"Form3"), L"Image1");
        PostMessageW(image, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
        PostMessageW(image, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        HWND menu = nullptr;
        ASSERT_TRUE(waitFor([&] {
            return (menu = findTopWindowOfClass(L"#32768", guard.id, IsWindowVisible)) != nullptr;
        }));
        chooseMenuItem(menu, 1);
        HWND manager = guard.form(L"Form4");
        ASSERT_NE(manager, nullptr);
        HWND list = findControlWindow(manager, L"Text1");
        EXPECT_TRUE(
            waitFor([&] { return controlText(list).find(L"QVud.exe") != std::wstring::npos; }, 20s))
            << utf8(controlText(list));
        EXPECT_TRUE(exists(data + L"\\Jincheng.qvjc"));
        saveScreenshot(L"installed_process_list", manager);
        PostMessageW(manager, WM_CLOSE, 0, 0);
    }

    // The cleaner: a worm file under c:\windows that nothing can delete (immutable) is
    // asked for with the elevation verb, and told as left.
    ASSERT_TRUE(writeBytes(systemWorm, "MZ"));
    ASSERT_TRUE(setImmutable(systemWorm, true));
    std::wstring closing =
        guard.press(main, L"Command7", L"紧急杀毒", L"installed_cleaner_left", 30s);
    EXPECT_NE(closing.find(L"c:\\windows\\xcopy.exe：以管理员身份也未能清除"), std::wstring::npos)
        << utf8(closing);
    EXPECT_TRUE(startedElevated("cmd.exe"));
    setImmutable(systemWorm, false);
    DeleteFileW(systemWorm.c_str());

    // Started again, the guard finds its settings.
    guardProcess = std::make_unique<OrdinaryProcess>(program + L"\\QVud.exe", elsewhere.path());
    guard = Guard{guardProcess->id()};
    main = guard.mainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(ticked(main, L"Qd") && ticked(main, L"Zdcl")) << "the settings were kept";

    // The skin changer puts the chosen skin into the data folder.
    OrdinaryProcess skinChanger(program + L"\\Pifushe.exe", elsewhere.path());
    HWND changer = nullptr;
    ASSERT_TRUE(waitFor([&] {
        return (changer = findTopWindow(L"QVu盘卫士 - 皮肤更换器", L"QVPifushe")) != nullptr;
    }));
    HWND skins = FindWindowExW(changer, nullptr, L"ListBox", nullptr);
    int deepSea = itemStartingWith(skins, L"深海");
    ASSERT_GE(deepSea, 0);
    SendMessageW(skins, LB_SETCURSEL, deepSea, 0);
    SendMessageW(changer, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(skins), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(skins));
    PostMessageW(FindWindowExW(changer, nullptr, L"Button", L"应用"), BM_CLICK, 0, 0);
    Guard changerWindows{skinChanger.id()};
    EXPECT_NE(changerWindows.answer(L"已应用"), L"");
    EXPECT_EQ(readBytes(data + L"\\Pifu.she"), readBytes(program + L"\\skins\\deepsea.she"));

    // A portable copy elsewhere (a stick) of one of the installation's programs runs too.
    TempFolder portable{L"qv-portable"};
    ASSERT_TRUE(CopyFileW((program + L"\\Pifushe.exe").c_str(), (portable / L"Pifushe.exe").c_str(),
                          FALSE));
    TestProcess portableCopy(portable / L"Pifushe.exe", portable.path());
    ASSERT_TRUE(portableCopy.started());

    // Uninstalled while the program folder refuses every change: the guard runs on until
    // the user has confirmed; then the installation's programs are ended, its files stay,
    // and so do the uninstaller, its script, its entry and the data folder.
    bool guardRan = false;
    std::wstring told = uninstall(*guardProcess, guardRan, L"installed_uninstall_incomplete");
    EXPECT_TRUE(guardRan) << "nothing is ended before the user confirms";
    EXPECT_TRUE(told.starts_with(L"卸载未全部完成")) << utf8(told);
    EXPECT_NE(told.find(L"再次运行卸载程序"), std::wstring::npos);
    EXPECT_TRUE(guardProcess->endsWithin(10000)) << "the installed guard was ended";
    EXPECT_TRUE(skinChanger.endsWithin(10000)) << "so was the installed skin changer";
    EXPECT_TRUE(portableCopy.running()) << "the portable copy was left alone";
    EXPECT_TRUE(exists(program + L"\\QVuninst.exe"));
    EXPECT_TRUE(exists(program + L"\\Xz.ini"));
    EXPECT_TRUE(keyExists(kUninstallKey));
    EXPECT_TRUE(exists(data));

    // Once the folder can be changed again, the uninstall removes everything.
    locked.release();
    EXPECT_EQ(uninstall(*guardProcess, guardRan), L"本软件已成功卸载！");
    EXPECT_TRUE(waitFor([&] { return !exists(program); }, 30s))
        << "left: " << folderEntries(program);
    EXPECT_TRUE(waitFor([&] { return !exists(data); })) << "left: " << folderEntries(data);
    EXPECT_TRUE(waitFor([&] { return !keyExists(kUninstallKey); }));
    EXPECT_TRUE(waitFor([&] { return !machineString(kRunKey, L"QVud"); }));
    EXPECT_TRUE(waitFor([&] { return !exists(menuFolder()); }));
    EXPECT_TRUE(portableCopy.running());
    EXPECT_EQ(folderEntries(elsewhere.path()), "") << "nothing was written to the current folder";
}

}  // namespace
}  // namespace qv::setup::test
