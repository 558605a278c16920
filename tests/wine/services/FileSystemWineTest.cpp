// The Win32 file system service on Wine's drives: simulated drives defined through the
// mount manager while the test runs, folders and files on them, and text in GBK.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "guard/platform/win32/services/Win32FileSystem.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::win32 {
namespace {

using platform::DriveType;
using testkit::utf8;
using testkit::waitFor;

bool listed(Win32FileSystem& files, char letter) {
    auto letters = files.driveLetters();
    return std::find(letters.begin(), letters.end(), letter) != letters.end();
}

// A folder of its own standing behind a removable drive for each test.
class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 936u) << "the tests expect a Chinese prefix (LANG=zh_CN.UTF-8)";
        ASSERT_FALSE(temp.path().empty());
        auto letter = testkit::freeDriveLetter();
        ASSERT_TRUE(letter.has_value());
        drive = std::make_unique<testkit::SimulatedDrive>(*letter, DRIVE_REMOVABLE, temp.path());
        ASSERT_TRUE(drive->ok()) << "mount manager refused: " << GetLastError();
        ASSERT_TRUE(waitFor([&] { return listed(files, *letter); }));
        root = utf8(drive->root());
    }

    std::string on(const std::string& name) const { return root + name; }
    std::wstring host(const std::wstring& name) const { return temp / name; }
    std::vector<std::wstring> hostEntries() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW((temp.path() + L"\\*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (FindNextFileW(search, &entry));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }

    Win32FileSystem files;
    testkit::TempFolder temp;
    std::unique_ptr<testkit::SimulatedDrive> drive;  // goes before its folder does
    std::string root;                                // "m:\"
};

TEST(Win32DriveTypes, SimulatedDrivesReportTheirTypeAndComeAndGo) {
    Win32FileSystem files;
    testkit::TempFolder folder;
    ASSERT_FALSE(folder.path().empty());
    auto letter = testkit::freeDriveLetter();
    ASSERT_TRUE(letter.has_value());

    auto letters = files.driveLetters();
    EXPECT_TRUE(std::is_sorted(letters.begin(), letters.end()));
    EXPECT_TRUE(
        std::all_of(letters.begin(), letters.end(), [](char c) { return c >= 'a' && c <= 'z'; }));
    EXPECT_EQ(files.driveType('c'), DriveType::Fixed);
    EXPECT_EQ(files.driveType('C'), DriveType::Fixed);
    EXPECT_FALSE(files.driveType(*letter).has_value()) << "no drive there yet";
    EXPECT_FALSE(files.driveType('?').has_value());

    const struct {
        UINT system;
        DriveType expected;
    } kinds[] = {{DRIVE_REMOVABLE, DriveType::Removable},
                 {DRIVE_FIXED, DriveType::Fixed},
                 {DRIVE_REMOTE, DriveType::Network},
                 {DRIVE_CDROM, DriveType::CdRom},
                 {DRIVE_RAMDISK, DriveType::RamDisk}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.system);
        {
            testkit::SimulatedDrive drive(*letter, kind.system, folder.path());
            ASSERT_TRUE(drive.ok()) << GetLastError();
            ASSERT_TRUE(waitFor([&] { return listed(files, *letter); }));
            EXPECT_EQ(files.driveType(*letter), kind.expected);
        }
        ASSERT_TRUE(waitFor([&] { return !listed(files, *letter); })) << "pulled out";
        EXPECT_FALSE(files.driveType(*letter).has_value());
    }
}

TEST_F(Win32FileSystemTest, AFolderNamedAutorunInfIsNoFileAndConCanBeMadeInIt) {
    ASSERT_TRUE(files.createDirectory(on("autorun.inf")).ok());
    EXPECT_FALSE(files.fileExists(on("autorun.inf")));
    EXPECT_FALSE(files.deleteFile(on("autorun.inf")).ok());

    platform::Status con = files.createDirectory(on("autorun.inf\\con\\"));
    ASSERT_TRUE(con.ok()) << con.description();
    EXPECT_EQ(files.subfolders(on("autorun.inf")),
              (std::vector<std::string>{on("autorun.inf\\con")}));

    platform::Status again = files.createDirectory(on("autorun.inf"));
    EXPECT_FALSE(again.ok());
    EXPECT_FALSE(again.description().empty()) << "the system's text for the error";
    EXPECT_FALSE(files.removeDirectory(on("autorun.inf")).ok()) << "not empty";

    ASSERT_TRUE(files.removeDirectory(on("autorun.inf\\con\\")).ok());
    EXPECT_TRUE(files.removeDirectory(on("autorun.inf")).ok());
    EXPECT_TRUE(hostEntries().empty());
}

TEST_F(Win32FileSystemTest, FilesAreFoundWithoutRegardToCaseAndDeletedOneByNameOnly) {
    ASSERT_TRUE(testkit::writeBytes(host(L"AutoRun.INF"), "[autorun]\r\n"));
    ASSERT_TRUE(testkit::writeBytes(host(L"a.exe"), "x"));
    ASSERT_TRUE(testkit::writeBytes(host(L"b.exe"), "x"));
    EXPECT_TRUE(files.fileExists(on("autorun.inf")));
    EXPECT_TRUE(files.fileExists(on("AUTORUN.inf")));
    EXPECT_FALSE(files.fileExists(on("missing.inf")));

    EXPECT_FALSE(files.deleteFile(on("*.exe")).ok());
    EXPECT_FALSE(files.deleteFile(on("?.exe")).ok());
    EXPECT_EQ(hostEntries(), (std::vector<std::wstring>{L"AutoRun.INF", L"a.exe", L"b.exe"}));

    ASSERT_TRUE(SetFileAttributesW(host(L"a.exe").c_str(), FILE_ATTRIBUTE_READONLY));
    platform::Status readOnly = files.deleteFile(on("a.exe"));
    EXPECT_FALSE(readOnly.ok()) << "attributes are not changed before deleting";
    EXPECT_FALSE(readOnly.description().empty());
    SetFileAttributesW(host(L"a.exe").c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_TRUE(files.deleteFile(on("autorun.inf")).ok());
    EXPECT_FALSE(files.deleteFile(on("autorun.inf")).ok()) << "already gone";
    EXPECT_EQ(hostEntries(), (std::vector<std::wstring>{L"a.exe", L"b.exe"}));
}

TEST_F(Win32FileSystemTest, SubfoldersAreImmediateFoldersAsFullPathsSortedByName) {
    EXPECT_EQ(files.subfolders(root), std::vector<std::string>{}) << "an empty drive";
    for (const wchar_t* name : {L"music", L"Zeta", L"docs", L"alpha", L"照片"}) {
        ASSERT_TRUE(CreateDirectoryW(host(name).c_str(), nullptr));
    }
    ASSERT_TRUE(CreateDirectoryW(host(L"music\\deep").c_str(), nullptr));
    ASSERT_TRUE(testkit::writeBytes(host(L"docs.exe"), "MZ"));

    EXPECT_EQ(
        files.subfolders(root),
        (std::vector<std::string>{on("alpha"), on("docs"), on("music"), on("Zeta"), on("照片")}));
    EXPECT_EQ(files.subfolders(on("music")), (std::vector<std::string>{on("music\\deep")}));
    EXPECT_EQ(files.subfolders(on("music\\")), (std::vector<std::string>{on("music\\deep")}));
    EXPECT_FALSE(files.subfolders(on("no-such-folder")).has_value());

    drive->remove();
    ASSERT_TRUE(waitFor([&] { return !listed(files, root[0]); }));
    EXPECT_FALSE(files.subfolders(root).has_value()) << "the drive is gone";
    EXPECT_FALSE(files.fileExists(on("docs.exe")));
}

TEST_F(Win32FileSystemTest, TextIsWrittenAndReadInTheAnsiCodePage) {
    const std::string record = "成功删除e:\\autorun.inf    ——2026/12/8 14:03:59\r\n";
    ASSERT_TRUE(files.appendText(on("Rz.log"), record).ok());
    ASSERT_TRUE(files.appendText(on("rz.log"), record).ok()) << "the same file";
    auto bytes = testkit::readBytes(host(L"Rz.log"));
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->substr(0, 8), "\xB3\xC9\xB9\xA6\xC9\xBE\xB3\xFD");
    EXPECT_EQ(bytes->substr(8, 14), "e:\\autorun.inf");
    EXPECT_EQ(bytes->substr(22, 8), "    \xA1\xAA\xA1\xAA");
    EXPECT_EQ(*bytes, testkit::toGbk(record + record));
    EXPECT_EQ(files.readText(on("RZ.LOG")), record + record);

    ASSERT_TRUE(testkit::writeBytes(host(L"autorun.inf"), "open=\xD5\xD5\xC6\xAC.exe\r\n"));
    EXPECT_EQ(files.readText(on("autorun.inf")), "open=照片.exe\r\n");
    EXPECT_FALSE(files.readText(on("missing.txt")).has_value());
    EXPECT_FALSE(files.readText(root).has_value()) << "a folder";
    EXPECT_FALSE(files.readText(on("con")).has_value()) << "a device, never waited on";
}

TEST_F(Win32FileSystemTest, WritingReplacesTheWholeFileOrNothing) {
    ASSERT_TRUE(files.writeText(on("QVset.ini"), "111111\r\n").ok());
    ASSERT_TRUE(files.writeText(on("qvset.ini"), "010101\r\n").ok());
    EXPECT_EQ(testkit::readBytes(host(L"QVset.ini")), "010101\r\n");
    EXPECT_EQ(hostEntries(), (std::vector<std::wstring>{L"QVset.ini"})) << "no temporary left";

    ASSERT_TRUE(SetFileAttributesW(host(L"QVset.ini").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(files.writeText(on("QVset.ini"), "000000\r\n").ok());
    EXPECT_FALSE(files.appendText(on("QVset.ini"), "0").ok());
    SetFileAttributesW(host(L"QVset.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(testkit::readBytes(host(L"QVset.ini")), "010101\r\n");

    ASSERT_TRUE(CreateDirectoryW(host(L"XTset.ini").c_str(), nullptr));
    EXPECT_FALSE(files.writeText(on("XTset.ini"), "001010100\r\n").ok());
    EXPECT_FALSE(files.writeText(on("no-such-folder\\x.ini"), "1").ok());
    EXPECT_EQ(hostEntries(), (std::vector<std::wstring>{L"QVset.ini", L"XTset.ini"}));
}

TEST_F(Win32FileSystemTest, BareNamesLieInTheCurrentDirectory) {
    wchar_t previous[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));
    platform::Status appended = files.appendText("Rz.log", "x\r\n");
    bool exists = files.fileExists("rz.log");
    SetCurrentDirectoryW(previous);
    ASSERT_TRUE(appended.ok());
    EXPECT_TRUE(exists);
    EXPECT_EQ(testkit::readBytes(host(L"Rz.log")), "x\r\n");
}

TEST_F(Win32FileSystemTest, AHugeFileIsNotRead) {
    HANDLE file = CreateFileW(host(L"autorun.inf").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = Win32FileSystem::kMaxTextBytes + 1;
    bool grown = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(grown);
    EXPECT_TRUE(files.fileExists(on("autorun.inf")));
    EXPECT_FALSE(files.readText(on("autorun.inf")).has_value());
}

}  // namespace
}  // namespace qv::win32
