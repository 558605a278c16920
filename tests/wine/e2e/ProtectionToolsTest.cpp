// QVud.exe's protection tools for real, on simulated drives: immunising a removable drive,
// the one-click cleaner against planted worm files, the policy switches' messages, and the
// shipped registry files imported with Wine's own regedit. The controls are clicked with
// the messages a click sends, so that they work whichever page the window shows.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/wine/e2e/GuardProcess.h"
#include "tests/wine/host/TestArguments.h"
#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

namespace {

using namespace std::chrono_literals;

std::wstring guardExe() {
    const auto& args = testArguments();
    return args.empty() ? std::wstring() : testkit::windowsPath(args.front());
}

bool isFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Whether `folder` holds a subfolder named exactly `name` (listed, so that a reserved
// device name such as "con" is looked up as the name of an entry).
bool holdsFolder(const std::wstring& folder, const std::wstring& name) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    do {
        found = found || ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                          lstrcmpiW(entry.cFileName, name.c_str()) == 0);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return found;
}

// The position of drive `letter` in a drive list of the drives present now.
int driveIndex(char letter) {
    DWORD drives = GetLogicalDrives();
    int index = 0;
    for (char c = 'a'; c < letter; ++c) index += (drives >> (c - 'a')) & 1;
    return index;
}

std::optional<DWORD> dwordValue(const wchar_t* key, const wchar_t* name) {
    DWORD data = 0, size = sizeof data;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_DWORD, nullptr, &data, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return data;
}

std::optional<std::wstring> stringValue(const wchar_t* key, const wchar_t* name) {
    wchar_t data[256] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, data, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(data);
}

bool keyExists(const wchar_t* key) {
    HKEY opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | KEY_WOW64_64KEY, &opened) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(opened);
    return true;
}

class ProtectionToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(guardExe().empty()) << "the path of QVud.exe is the first argument";
        ASSERT_FALSE(folder.path().empty());
    }
    void TearDown() override { guard.reset(); }

    // Starts the guard (after the test has set up its drives, which it lists at start-up)
    // and brings up the main window on the emergency page, as the user does.
    void startGuard() {
        guard = std::make_unique<GuardProcess>(guardExe(), folder.path());
        ASSERT_TRUE(guard->started());
        HWND badge = guard->waitForForm(L"Form3");
        ASSERT_NE(badge, nullptr);
        HWND image = findControlWindow(badge, L"Image1");
        ASSERT_NE(image, nullptr);
        ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(badge) != FALSE; }));
        postDoubleClick(image);
        main = guard->waitForForm(L"Form1");
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(main) != FALSE; }));
        // Painted and on the screen before the first screenshot.
        testkit::waitFor([&] {
            RECT client;
            GetClientRect(main, &client);
            POINT at{4, client.bottom - 4};
            ClientToScreen(main, &at);
            return testkit::screenPixel(at.x, at.y) == GetSysColor(COLOR_BTNFACE);
        });
        if (HWND page = control(L"Jjsd")) {
            PostMessageW(page, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
            PostMessageW(page, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        }
    }

    HWND control(const wchar_t* name) const { return findControlWindow(main, name); }

    // What a click on a button or check box tells the window.
    void click(const wchar_t* name) {
        HWND button = control(name);
        ASSERT_NE(button, nullptr) << testkit::utf8(name);
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
    }

    // Waits for the message box containing `text`, saves a screenshot as `shot` when given,
    // and presses `button`; returns the box's whole message ("" when none came).
    std::wstring answer(const std::wstring& text, int button = IDOK, const wchar_t* shot = nullptr,
                        std::chrono::milliseconds limit = 10s) {
        HWND box = nullptr;
        testkit::waitFor([&] { return (box = testkit::findMessageBox(text, guard->id())); }, limit);
        if (!box) return {};
        std::wstring message = testkit::messageBoxText(box);
        if (shot) testkit::saveScreenshot(shot);
        EXPECT_TRUE(testkit::pressButton(box, button));
        EXPECT_TRUE(testkit::waitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
        return message;
    }

    testkit::TempFolder folder{L"qv-tools"};
    std::unique_ptr<GuardProcess> guard;
    HWND main = nullptr;
};

}  // namespace

TEST_F(ProtectionToolsTest, ImmunisingARemovableDriveLeavesAProtectedFolderThatNoFileCanReplace) {
    testkit::TempFolder stickFolder{L"qv-stick"};
    auto letter = testkit::freeDriveLetter();
    ASSERT_TRUE(letter);
    testkit::SimulatedDrive stick(*letter, DRIVE_REMOVABLE, stickFolder.path());
    ASSERT_TRUE(stick.ok());
    startGuard();

    HWND drives = control(L"Drive2");
    ASSERT_NE(drives, nullptr);
    SendMessageW(drives, CB_SETCURSEL, driveIndex(stick.letter()), 0);
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(drives));
    click(L"Command18");

    std::wstring l(1, static_cast<wchar_t>(stick.letter()));
    EXPECT_EQ(answer(L"盘免疫成功！", IDOK, L"e2e_immunised"), L"对" + l + L"盘免疫成功！");
    std::wstring target = l + L":\\autorun.inf";
    EXPECT_TRUE(isFolder(target));
    EXPECT_TRUE(holdsFolder(target, L"con"));
    // The attribute command runs on its own; Wine's attrib applies the last flag only.
    EXPECT_TRUE(testkit::waitFor([&] {
        DWORD attributes = GetFileAttributesW(target.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
    })) << "the folder is hidden";
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(file, INVALID_HANDLE_VALUE) << "no file autorun.inf can be made there";
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    testkit::saveScreenshot(L"e2e_immunisation_page", main);

    // Again: the folder is in the way in both modes, and the messages say which way on.
    click(L"Command18");
    std::wstring normal = answer(L"免疫失败！原因：", IDOK, L"e2e_immunise_again");
    EXPECT_TRUE(normal.ends_with(L"\r\n请选择强制免疫再次尝试")) << testkit::utf8(normal);
    click(L"Check1");
    click(L"Command18");
    std::wstring forced = answer(L"强制免疫失败！原因：");
    EXPECT_TRUE(forced.ends_with(L"\r\n请发贴在技术中心求助")) << testkit::utf8(forced);
    EXPECT_TRUE(holdsFolder(target, L"con")) << "a failed attempt removes nothing";
}

TEST_F(ProtectionToolsTest, TheCleanerDeletesThePlantedWormsOnEveryDriveAndCanBePaused) {
    testkit::TempFolder stickFolder{L"qv-stick"}, diskFolder{L"qv-disk"};
    auto first = testkit::freeDriveLetter();
    ASSERT_TRUE(first);
    testkit::SimulatedDrive stick(*first, DRIVE_REMOVABLE, stickFolder.path());
    auto second = testkit::freeDriveLetter(static_cast<char>(*first + 1));
    ASSERT_TRUE(second);
    testkit::SimulatedDrive disk(*second, DRIVE_FIXED, diskFolder.path());
    ASSERT_TRUE(stick.ok() && disk.ok());
    const std::vector<std::wstring> worms{L"autorun.inf", L"copy.exe", L"host.exe", L"rose.exe"};
    for (const testkit::TempFolder* drive : {&stickFolder, &diskFolder}) {
        for (const std::wstring& worm : worms)
            ASSERT_TRUE(testkit::writeBytes(*drive / worm, "MZ"));
        ASSERT_TRUE(testkit::writeBytes(*drive / L"keep.txt", "keep"));
    }
    const std::wstring planted = L"c:\\windows\\system32\\temp1.exe";
    ASSERT_TRUE(testkit::writeBytes(planted, "MZ"));
    startGuard();

    HWND button = control(L"Command7");
    HWND bar = control(L"Jd");
    ASSERT_NE(button, nullptr);
    ASSERT_NE(bar, nullptr);
    auto progress = [&] { return static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)); };

    click(L"Command7");
    EXPECT_TRUE(testkit::waitFor([&] { return testkit::windowText(button) == L"一键暂停"; }));
    EXPECT_EQ(progress(), 10);
    // Paused once the files under c:\windows are gone, before the drives' roots.
    ASSERT_TRUE(testkit::waitFor([&] { return progress() == 50; }, 10s, 10ms));
    click(L"Command7");
    EXPECT_TRUE(testkit::waitFor([&] { return testkit::windowText(button) == L"一键杀毒"; }));
    EXPECT_FALSE(exists(planted));
    EXPECT_TRUE(exists(stickFolder / L"autorun.inf")) << "paused before the drives";
    EXPECT_EQ(progress(), 50) << "a pause keeps the progress";
    testkit::saveScreenshot(L"e2e_cleaner_paused", main);

    click(L"Command7");
    EXPECT_TRUE(testkit::waitFor([&] { return progress() == 80; }, 10s, 10ms));
    testkit::saveScreenshot(L"e2e_cleaner_running", main);
    EXPECT_EQ(answer(L"紧急杀毒完成！", IDOK, L"e2e_cleaner_done", 20s), L"紧急杀毒完成！");
    for (const testkit::TempFolder* drive : {&stickFolder, &diskFolder}) {
        for (const std::wstring& worm : worms) {
            EXPECT_FALSE(exists(*drive / worm)) << testkit::utf8(*drive / worm);
        }
        EXPECT_TRUE(exists(*drive / L"keep.txt"));
    }
    EXPECT_EQ(testkit::windowText(button), L"一键杀毒");
    EXPECT_EQ(progress(), 0);
    EXPECT_FALSE(exists(folder / L"Rz.log")) << "nothing is logged";
}

TEST_F(ProtectionToolsTest, ThePolicySwitchesSayWhatFailedWhereWineHasNoRegedt32) {
    GuardProcess::placeShippedFiles(guardExe(), folder.path());
    ASSERT_TRUE(exists(folder / L"Cup.reg")) << "the registry files ship beside QVud.exe";
    ASSERT_TRUE(DeleteFileW((folder / L"Cinf.reg").c_str()));
    startGuard();

    click(L"Command9");
    std::wstring closed = answer(L"无法启动注册表编辑器", IDOK, L"e2e_policy_no_editor");
    EXPECT_TRUE(closed.starts_with(L"命令未能执行：无法启动注册表编辑器 regedt32。\r\n原因："))
        << testkit::utf8(closed);

    click(L"Command10");
    answer(L"此命令可能使您的电脑处于危险状态，确认执行此命令？", IDOK, L"e2e_policy_confirm");
    EXPECT_NE(answer(L"无法启动注册表编辑器"), L"");

    click(L"Command13");
    EXPECT_EQ(answer(L"找不到注册表文件", IDOK, L"e2e_policy_missing_file"),
              L"命令未能执行：找不到注册表文件 Cinf.reg，请把它放回程序所在的文件夹。");
    testkit::saveScreenshot(L"e2e_policy_page", main);
}

// The shipped files, imported by Wine's regedit in silent mode as regedt32 would on
// Windows: every value each C file sets, and each O file putting it back.
TEST_F(ProtectionToolsTest, TheRegistryFilesSetAndClearEveryPolicyValue) {
    GuardProcess::placeShippedFiles(guardExe(), folder.path());
    auto import = [&](const wchar_t* file) {
        testkit::TestProcess regedit(L"C:\\windows\\regedit.exe", folder.path(),
                                     std::wstring(L"/s ") + file);
        ASSERT_TRUE(regedit.started());
        EXPECT_EQ(regedit.waitForExit(30000), 0) << testkit::utf8(file);
    };
    const wchar_t* explorer = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    const wchar_t* usbstor = L"SYSTEM\\CurrentControlSet\\Services\\USBSTOR";
    const wchar_t* storage = L"SOFTWARE\\Policies\\Microsoft\\Windows\\RemovableStorageDevices";
    const wchar_t* disks =
        L"SOFTWARE\\Policies\\Microsoft\\Windows\\RemovableStorageDevices\\"
        L"{53f5630d-b6bf-11d0-94f2-00a0c91efb8b}";
    const wchar_t* inf =
        L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\Autorun.inf";
    const wchar_t* inf32 =
        L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\"
        L"Autorun.inf";

    import(L"Czdbf.reg");
    EXPECT_EQ(dwordValue(explorer, L"NoDriveTypeAutoRun"), 0xb1u);
    import(L"Ozdbf.reg");
    EXPECT_EQ(dwordValue(explorer, L"NoDriveTypeAutoRun"), std::nullopt);

    import(L"Cup.reg");
    EXPECT_EQ(dwordValue(usbstor, L"Start"), 4u);
    EXPECT_EQ(dwordValue(disks, L"Deny_Read"), 1u);
    EXPECT_EQ(dwordValue(disks, L"Deny_Write"), 1u);
    import(L"Oup.reg");
    EXPECT_EQ(dwordValue(usbstor, L"Start"), 3u);
    EXPECT_EQ(dwordValue(disks, L"Deny_Read"), std::nullopt);
    EXPECT_EQ(dwordValue(disks, L"Deny_Write"), std::nullopt);

    import(L"Cinf.reg");
    EXPECT_EQ(stringValue(inf, nullptr), L"@SYS:DoesNotExist");
    EXPECT_EQ(stringValue(inf32, nullptr), L"@SYS:DoesNotExist");
    import(L"Oinf.reg");
    EXPECT_FALSE(keyExists(inf));
    EXPECT_FALSE(keyExists(inf32));

    import(L"Cwlup.reg");
    EXPECT_EQ(dwordValue(storage, L"AllowRemoteDASD"), 0u);
    import(L"Owlup.reg");
    EXPECT_EQ(dwordValue(storage, L"AllowRemoteDASD"), 1u);
}

}  // namespace qv::test
