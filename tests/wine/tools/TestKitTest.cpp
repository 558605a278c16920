// The test kit's own checks: qvdrive.exe defines and removes drives for other programs,
// programs run in their folder and end with their object, message boxes are found by
// their text and answered, screenshots are whole BMP files, Wine's settings are written
// once, temporary folders vanish with everything in them.

#include <gtest/gtest.h>

#include <future>

#include "tests/wine/tools/TestKit.h"
#include "tests/wine/tools/WineSettings.h"

namespace {

using namespace qv::testkit;

// qvdrive.exe lies beside this test program.
std::wstring qvdrivePath() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"qvdrive.exe";
}

// Runs qvdrive with `arguments` and returns its exit code (or -1 when it did not end).
int runQvdrive(const std::wstring& arguments) {
    TestProcess qvdrive(qvdrivePath(), {}, arguments);
    return static_cast<int>(qvdrive.waitForExit());
}

std::wstring systemProgram(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

TEST(TestKitTest, QvdriveDefinesAndRemovesADriveForOtherPrograms) {
    TempFolder folder;
    ASSERT_FALSE(folder.path().empty());
    ASSERT_TRUE(writeBytes(folder / L"stick.txt", "x"));
    auto letter = freeDriveLetter();
    ASSERT_TRUE(letter);
    std::wstring l(1, static_cast<wchar_t>(*letter));
    std::wstring root = l + L":\\";

    EXPECT_EQ(runQvdrive(l + L" floppy \"" + folder.path() + L"\""), 0);
    EXPECT_EQ(GetDriveTypeW(root.c_str()), static_cast<UINT>(DRIVE_REMOVABLE));
    EXPECT_NE(GetFileAttributesW((root + L"stick.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(runQvdrive(l + L" cdrom \"" + folder.path() + L"\""), 0);
    EXPECT_EQ(GetDriveTypeW(root.c_str()), static_cast<UINT>(DRIVE_CDROM));

    EXPECT_EQ(runQvdrive(l + L" remove"), 0);
    EXPECT_EQ(GetDriveTypeW(root.c_str()), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(runQvdrive(l + L" sometype \"" + folder.path() + L"\""), 2);
    EXPECT_EQ(runQvdrive(L"ab remove"), 2);
    EXPECT_EQ(GetDriveTypeW(root.c_str()), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
}

TEST(TestKitTest, DrivesRefuseBadRequests) {
    EXPECT_FALSE(defineDrive('1', DRIVE_REMOVABLE, "/tmp"));
    EXPECT_FALSE(defineDrive('q', DRIVE_REMOVABLE, ""));
    EXPECT_FALSE(defineDrive('q', DRIVE_NO_ROOT_DIR, "/tmp"));
    EXPECT_EQ(unixPath(L"C:\\windows"), std::optional<std::string>(unixPath(L"c:\\windows")));
    auto unix = unixPath(L"C:\\windows");
    ASSERT_TRUE(unix);
    EXPECT_EQ(unix->front(), '/');
    EXPECT_EQ(windowsPath(*unix).substr(1), L":\\windows");
}

TEST(TestKitTest, MessageBoxIsFoundByTextAndAnswered) {
    auto answer = std::async(std::launch::async, [] {
        return MessageBoxW(nullptr, L"是否清除 e:\\autorun.inf ？", L"QVuTest", MB_OKCANCEL);
    });
    HWND box = nullptr;
    ASSERT_TRUE(waitFor([&] { return (box = findMessageBox(L"autorun.inf")) != nullptr; }));
    EXPECT_EQ(messageBoxText(box), L"是否清除 e:\\autorun.inf ？");
    EXPECT_EQ(windowText(box), L"QVuTest");
    EXPECT_EQ(findTopWindow(L"QVuTest", L"#32770", GetCurrentProcessId()), box);
    EXPECT_EQ(findMessageBox(L"autorun.inf", GetCurrentProcessId() + 4), nullptr);

    // A screenshot with the box on screen: a whole 24-bit BMP of the screen's size.
    TempFolder artefacts;
    wchar_t given[MAX_PATH] = {};
    bool hadFolder = GetEnvironmentVariableW(L"QV_ARTEFACTS", given, MAX_PATH) > 0;
    if (!hadFolder) SetEnvironmentVariableW(L"QV_ARTEFACTS", artefacts.path().c_str());
    auto shot = saveScreenshot(L"testkit-message-box");
    if (!hadFolder) SetEnvironmentVariableW(L"QV_ARTEFACTS", nullptr);
    ASSERT_TRUE(shot);
    auto bytes = readBytes(*shot);
    ASSERT_TRUE(bytes);
    size_t width = static_cast<size_t>(GetSystemMetrics(SM_CXSCREEN));
    size_t height = static_cast<size_t>(GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(bytes->substr(0, 2), "BM");
    EXPECT_EQ(bytes->size(), 54 + ((width * 3 + 3) & ~size_t{3}) * height);

    EXPECT_FALSE(pressButton(box, IDYES));  // no such button
    EXPECT_TRUE(pressButton(box, IDCANCEL));
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(answer.get(), IDCANCEL);
}

TEST(TestKitTest, ProgramRunsInItsFolderAndEndsWithTheObject) {
    TempFolder folder;
    ASSERT_FALSE(folder.path().empty());
    {
        TestProcess shell(systemProgram(L"cmd.exe"), folder.path(), L"/c cd> here.txt");
        ASSERT_TRUE(shell.started());
        EXPECT_EQ(shell.waitForExit(), 0);
        EXPECT_FALSE(shell.running());
    }
    auto here = readBytes(folder / L"here.txt");
    ASSERT_TRUE(here);
    while (!here->empty() && (here->back() == '\n' || here->back() == '\r')) here->pop_back();
    EXPECT_EQ(CompareStringOrdinal(wide(*here).c_str(), -1, folder.path().c_str(), -1, TRUE),
              CSTR_EQUAL)
        << *here;

    // A program that runs until it is ended: found by its window's class, its edit
    // control's text read across processes, its window captured alone.
    ASSERT_TRUE(writeBytes(folder / L"note.txt", "kit note"));
    DWORD id = 0;
    HANDLE handle = nullptr;
    {
        TestProcess notepad(systemProgram(L"notepad.exe"), folder.path(), L"note.txt");
        ASSERT_TRUE(notepad.started());
        id = notepad.id();
        handle = OpenProcess(SYNCHRONIZE, FALSE, id);
        HWND window = nullptr;
        ASSERT_TRUE(waitFor([&] {
            return (window = findTopWindowOfClass(L"Notepad", id, IsWindowVisible)) != nullptr;
        }));
        EXPECT_EQ(findTopWindowOfClass(L"Notepad", id + 4), nullptr);
        HWND edit = FindWindowExW(window, nullptr, L"Edit", nullptr);
        EXPECT_TRUE(waitFor([&] { return controlText(edit) == L"kit note"; }))
            << utf8(controlText(edit));
        EXPECT_EQ(controlText(nullptr), L"");

        TempFolder artefacts;
        wchar_t given[MAX_PATH] = {};
        bool hadFolder = GetEnvironmentVariableW(L"QV_ARTEFACTS", given, MAX_PATH) > 0;
        if (!hadFolder) SetEnvironmentVariableW(L"QV_ARTEFACTS", artefacts.path().c_str());
        auto shot = saveScreenshot(L"testkit-window", window);
        if (!hadFolder) SetEnvironmentVariableW(L"QV_ARTEFACTS", nullptr);
        ASSERT_TRUE(shot);
        RECT area{};
        GetWindowRect(window, &area);
        auto width = static_cast<size_t>(area.right - area.left);
        auto height = static_cast<size_t>(area.bottom - area.top);
        auto bytes = readBytes(*shot);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(bytes->size(), 54 + ((width * 3 + 3) & ~size_t{3}) * height);
        EXPECT_FALSE(saveScreenshot(L"testkit-none", nullptr));

        EXPECT_TRUE(notepad.running());
        EXPECT_EQ(notepad.waitForExit(100), -1);
    }
    // Ended when the object went away.
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_OBJECT_0);
    CloseHandle(handle);

    TestProcess missing(folder / L"no-such-program.exe", folder.path());
    EXPECT_FALSE(missing.started());
    EXPECT_FALSE(missing.running());
    EXPECT_EQ(missing.waitForExit(), -1);
}

TEST(TestKitTest, WineSettingsAreWrittenOnceAndThenFoundInPlace) {
    const wchar_t* key = L"Software\\Wine\\AppDefaults\\qv-kit-probe.exe";
    RegDeleteTreeW(HKEY_CURRENT_USER, key);
    EXPECT_TRUE(prepareWineSettings({L"qv-kit-probe.exe"}));
    EXPECT_FALSE(prepareWineSettings({L"qv-kit-probe.exe"}));
    wchar_t value[16] = {};
    DWORD size = sizeof value;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER,
                           L"Software\\Wine\\AppDefaults\\qv-kit-probe.exe\\X11 Driver", L"Managed",
                           RRF_RT_REG_SZ, nullptr, value, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(value, L"N");
    wchar_t face[64] = {};
    size = sizeof face;
    EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Wine\\Fonts\\Replacements", L"宋体",
                           RRF_RT_REG_SZ, nullptr, face, &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(face, L"WenQuanYi Zen Hei Sharp");
    RegDeleteTreeW(HKEY_CURRENT_USER, key);
}

TEST(TestKitTest, WaitingGivesUpAfterItsLimit) {
    int asked = 0;
    EXPECT_FALSE(waitFor([&] { return ++asked < 0; }, std::chrono::milliseconds(200),
                         std::chrono::milliseconds(50)));
    EXPECT_GE(asked, 2);
    asked = 0;
    EXPECT_TRUE(waitFor([&] { return ++asked == 3; }, std::chrono::seconds(10),
                        std::chrono::milliseconds(1)));
    EXPECT_EQ(asked, 3);
}

TEST(TestKitTest, TempFolderGoesAwayWithEverythingInItAndNothingElse) {
    TempFolder outside;
    ASSERT_TRUE(writeBytes(outside / L"keep.txt", "keep"));
    std::wstring path;
    {
        TempFolder folder(L"kit");
        path = folder.path();
        ASSERT_FALSE(path.empty());
        ASSERT_TRUE(CreateDirectoryW((folder / L"autorun.inf").c_str(), nullptr));
        ASSERT_TRUE(
            CreateDirectoryW((L"\\\\?\\" + (folder / L"autorun.inf\\con")).c_str(), nullptr));
        ASSERT_TRUE(writeGbkFile(folder / L"中文.txt", "中文"));
        EXPECT_EQ(readBytes(folder / L"中文.txt"), std::string("\xd6\xd0\xce\xc4"));
        ASSERT_TRUE(SetFileAttributesW((folder / L"中文.txt").c_str(), FILE_ATTRIBUTE_READONLY));
        TempFolder other;
        EXPECT_NE(other.path(), folder.path());
    }
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(readBytes(outside / L"keep.txt"), "keep");
}

}  // namespace
