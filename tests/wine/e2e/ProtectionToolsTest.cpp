// QVud.exe's protection tools for real on simulated drives: immunising a stick, the cleaner
// against planted worm files, and the policy switches with Wine's registry editor. Buttons
// are clicked with the message a click sends, whichever page the window shows.

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/win32/UniqueHandle.h"
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

DWORD attributesOf(const std::wstring& path) {
    return GetFileAttributesW(path.c_str());
}

bool has(const std::wstring& path, DWORD attribute) {
    DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & attribute);
}

class ProtectionToolsTest : public ::testing::Test {
protected:
    // Starts the guard once the test's drives are in place (it lists them at start-up) and
    // brings up the main window on the emergency page, as the user does.
    void startGuard() {
        // Action notices off, so the insertion check stays stopped: these tests plant worm
        // files on purpose and look only at what the tools do with them.
        ASSERT_TRUE(testkit::writeBytes(folder / L"XTset.ini", "001000100\r\n"));
        guard = std::make_unique<GuardProcess>(guardExe(), folder.path());
        ASSERT_TRUE(guard->started());
        HWND badge = guard->waitForForm(L"Form3");
        ASSERT_NE(badge, nullptr);
        ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(badge) != FALSE; }));
        postDoubleClick(findControlWindow(badge, L"Image1"));
        main = guard->waitForForm(L"Form1");
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(testkit::waitFor([&] { return IsWindowVisible(main) != FALSE; }));
        postClick(control(L"Jjsd"));
        testkit::waitFor([&] {  // painted before the first screenshot
            RECT client;
            GetClientRect(main, &client);
            POINT at{4, client.bottom - 4};
            ClientToScreen(main, &at);
            return testkit::screenPixel(at.x, at.y) == GetSysColor(COLOR_BTNFACE);
        });
    }

    HWND control(const wchar_t* name) const { return findControlWindow(main, name); }

    void notify(const wchar_t* name, WORD code) {
        HWND hwnd = control(name);
        ASSERT_NE(hwnd, nullptr) << testkit::utf8(name);
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
                     reinterpret_cast<LPARAM>(hwnd));
    }
    void click(const wchar_t* name) { notify(name, BN_CLICKED); }

    // Waits for the message box containing `text`, saves a screenshot `shot` when given,
    // presses `button` and returns the whole message ("" when no box came).
    std::wstring answer(const std::wstring& text, const wchar_t* shot = nullptr,
                        int button = IDOK) {
        HWND box = nullptr;
        testkit::waitFor([&] { return (box = testkit::findMessageBox(text, guard->id())); }, 20s);
        if (!box) return {};
        std::wstring message = testkit::messageBoxText(box);
        if (shot) testkit::saveScreenshot(shot, box);
        EXPECT_TRUE(testkit::pressButton(box, button));
        EXPECT_TRUE(testkit::waitFor([&] { return !IsWindowVisible(box); }));
        return message;
    }

    testkit::TempFolder folder{L"qv-tools"};
    std::unique_ptr<GuardProcess> guard;
    HWND main = nullptr;
};

}  // namespace

TEST_F(ProtectionToolsTest, AnImmunisedStickHoldsAHiddenFolderThatNoFileCanReplace) {
    testkit::TempFolder stickFolder{L"qv-stick"};
    auto letter = testkit::freeDriveLetter();
    ASSERT_TRUE(letter);
    testkit::SimulatedDrive stick(*letter, DRIVE_REMOVABLE, stickFolder.path());
    ASSERT_TRUE(stick.ok());
    startGuard();

    // Choose the stick in the list (drives are listed in letter order) and immunise it.
    DWORD drives = GetLogicalDrives() & ((1u << (stick.letter() - 'a')) - 1);
    SendMessageW(control(L"Drive2"), CB_SETCURSEL, __builtin_popcount(drives), 0);
    notify(L"Drive2", CBN_SELCHANGE);
    click(L"Command18");
    std::wstring l(1, static_cast<wchar_t>(stick.letter()));
    EXPECT_EQ(answer(L"盘免疫成功！", L"e2e_immunised"), L"对" + l + L"盘免疫成功！");

    std::wstring target = l + L":\\autorun.inf";
    EXPECT_TRUE(has(target, FILE_ATTRIBUTE_DIRECTORY));
    WIN32_FIND_DATAW entry;
    HANDLE found = FindFirstFileW((target + L"\\c*").c_str(), &entry);  // "con" by listing
    ASSERT_NE(found, INVALID_HANDLE_VALUE);
    FindClose(found);
    EXPECT_STREQ(entry.cFileName, L"con");
    EXPECT_TRUE(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    // Marked by the time success is told: read-only, hidden and system, each of them.
    EXPECT_EQ(attributesOf(target) & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY |
                                      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY |
                                 FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    EXPECT_EQ(file, INVALID_HANDLE_VALUE) << "no file autorun.inf can be made there";
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    testkit::saveScreenshot(L"e2e_immunisation_page", main);

    click(L"Command18");
    EXPECT_TRUE(
        answer(L"免疫失败！原因：", L"e2e_immunise_again").ends_with(L"请选择强制免疫再次尝试"));
    click(L"Check1");
    click(L"Command18");
    EXPECT_TRUE(answer(L"强制免疫失败！原因：").ends_with(L"\r\n请发贴在技术中心求助"));
    EXPECT_TRUE(has(target + L"\\con\\", FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(ProtectionToolsTest, TheCleanerDeletesPlantedWormsOnTwoDrivesAndCanBePaused) {
    testkit::TempFolder stickFolder{L"qv-stick"}, diskFolder{L"qv-disk"};
    auto first = testkit::freeDriveLetter();
    ASSERT_TRUE(first);
    testkit::SimulatedDrive stick(*first, DRIVE_REMOVABLE, stickFolder.path());
    auto second = testkit::freeDriveLetter(static_cast<char>(*first + 1));
    ASSERT_TRUE(second);
    testkit::SimulatedDrive disk(*second, DRIVE_FIXED, diskFolder.path());
    ASSERT_TRUE(stick.ok() && disk.ok());
    const wchar_t* worms[] = {L"autorun.inf", L"copy.exe", L"host.exe", L"rose.exe"};
    for (const testkit::TempFolder* drive : {&stickFolder, &diskFolder}) {
        for (const wchar_t* worm : worms) ASSERT_TRUE(testkit::writeBytes(*drive / worm, "MZ"));
        ASSERT_TRUE(testkit::writeBytes(*drive / L"keep.txt", "keep"));
    }
    const std::wstring planted = L"c:\\windows\\system32\\temp1.exe";
    ASSERT_TRUE(testkit::writeBytes(planted, "MZ"));
    // One worm file is held by another program without sharing its deletion.
    win32::UniqueFile held(CreateFileW((diskFolder / L"rose.exe").c_str(), GENERIC_READ,
                                       FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    startGuard();
    HWND button = control(L"Command7");
    auto progress = [bar = control(L"Jd")] { return SendMessageW(bar, PBM_GETPOS, 0, 0); };

    click(L"Command7");
    EXPECT_TRUE(testkit::waitFor([&] { return testkit::windowText(button) == L"一键暂停"; }));
    // Paused as soon as the files under c:\windows are gone, before the drives' roots.
    ASSERT_TRUE(testkit::waitFor([&] { return progress() == 50; }, 10s, 10ms));
    click(L"Command7");
    EXPECT_TRUE(testkit::waitFor([&] { return testkit::windowText(button) == L"一键杀毒"; }));
    EXPECT_EQ(attributesOf(planted), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributesOf(stickFolder / L"autorun.inf"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(progress(), 50);
    testkit::saveScreenshot(L"e2e_cleaner_paused", main);

    click(L"Command7");
    EXPECT_TRUE(testkit::waitFor([&] { return progress() == 80; }, 10s, 10ms));
    testkit::saveScreenshot(L"e2e_cleaner_running", main);
    std::wstring done = answer(L"紧急杀毒完成！", L"e2e_cleaner_done");
    EXPECT_TRUE(done.starts_with(L"紧急杀毒完成！共删除 8 个文件。\r\n未能删除以下文件：\r\n" +
                                 disk.root() + L"rose.exe："))
        << "the file under c:\\windows and seven of the drives' roots: " << testkit::utf8(done);
    for (const testkit::TempFolder* drive : {&stickFolder, &diskFolder}) {
        for (const wchar_t* worm : worms) {
            bool stays = drive == &diskFolder && std::wstring_view(worm) == L"rose.exe";
            EXPECT_EQ(attributesOf(*drive / worm) != INVALID_FILE_ATTRIBUTES, stays);
        }
        EXPECT_NE(attributesOf(*drive / L"keep.txt"), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_EQ(testkit::windowText(button), L"一键杀毒");
    EXPECT_EQ(progress(), 0);
    EXPECT_EQ(attributesOf(folder / L"Rz.log"), INVALID_FILE_ATTRIBUTES) << "nothing is logged";
}

// The guard runs elevated under Wine, so it starts the registry editor itself; the
// elevation prompt's road is taken by the installed guard's test (installer/tests/wine).
TEST_F(ProtectionToolsTest, ThePolicySwitchesImportReadBackAndSayWhatFailed) {
    const wchar_t* const key = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key, L"NoDriveTypeAutoRun");
    GuardProcess::placeShippedFiles(guardExe(), folder.path());
    ASSERT_TRUE(DeleteFileW((folder / L"Cinf.reg").c_str())) << "shipped beside QVud.exe";
    startGuard();

    click(L"Command9");
    EXPECT_EQ(answer(L"命令成功完成！", L"e2e_policy_done"), L"命令成功完成！");
    DWORD value = 0, size = sizeof value;
    EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, key, L"NoDriveTypeAutoRun", RRF_RT_REG_DWORD,
                           nullptr, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 0xb1u);
    click(L"Command10");
    EXPECT_NE(answer(L"此命令可能使您的电脑处于危险状态，确认执行此命令？", L"e2e_policy_confirm"),
              L"");
    EXPECT_EQ(answer(L"命令成功完成！"), L"命令成功完成！");
    EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, key, L"NoDriveTypeAutoRun", RRF_RT_REG_DWORD,
                           nullptr, &value, &size),
              ERROR_FILE_NOT_FOUND);
    click(L"Command13");
    EXPECT_EQ(answer(L"找不到注册表文件", L"e2e_policy_missing_file"),
              L"命令未能执行：找不到注册表文件 Cinf.reg，请把它放回程序所在的文件夹。");
}

}  // namespace qv::test
