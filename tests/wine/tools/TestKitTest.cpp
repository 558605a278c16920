// The test kit's own checks: qvdrive.exe defines and removes drives for other programs,
// message boxes are found by their text and answered, screenshots are whole BMP files,
// temporary folders vanish with everything in them.

#include <gtest/gtest.h>

#include <future>

#include "tests/wine/tools/TestKit.h"

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
    std::wstring line = L"\"" + qvdrivePath() + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
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
