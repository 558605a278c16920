// The file browser's file operations on Wine's real drives: a file or folder is read and
// changed only as the entry of its name, never what a link leads to, whether the link is
// a folder on the way or a file Wine shows as the file it points at.

#include <windows.h>

#include <gtest/gtest.h>

#include "filedir/win32/Win32BrowserFiles.h"
#include "tests/wine/tools/TestKit.h"

namespace {

using namespace qv::testkit;

constexpr DWORD kWorm = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

TEST(BrowserFilesTest, OnlyTheEntryOfItsNameIsReadOrChangedNeverWhatALinkLeadsTo) {
    TempFolder stick{L"qv-stick"}, outside{L"qv-outside"};
    auto letter = freeDriveLetter();
    ASSERT_TRUE(letter);
    SimulatedDrive drive(*letter, DRIVE_REMOVABLE, stick.path());
    ASSERT_TRUE(drive.ok());
    const std::string root = utf8(drive.root());
    ASSERT_TRUE(writeBytes(outside / L"secret.lnk", "the outside file"));
    ASSERT_TRUE(SetFileAttributesW((outside / L"secret.lnk").c_str(), kWorm));
    ASSERT_TRUE(makeUnixLink(outside / L"secret.lnk", stick / L"USB.lnk"));
    ASSERT_TRUE(makeUnixLink(outside.path(), stick / L"away"));
    ASSERT_TRUE(CreateDirectoryW((stick / L"docs").c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesW((stick / L"docs").c_str(), kWorm));
    ASSERT_TRUE(writeBytes(stick / L"own.lnk", "L\1"));

    qv::filedir::win32::Win32BrowserFiles files;
    for (const char* link : {"USB.lnk", "away\\secret.lnk"}) {
        EXPECT_FALSE(files.setAttributes(root + link, FILE_ATTRIBUTE_NORMAL).ok()) << link;
        EXPECT_EQ(files.readStart(root + link, 64), std::nullopt) << link;
    }
    EXPECT_EQ(GetFileAttributesW((outside / L"secret.lnk").c_str()) & kWorm, kWorm)
        << "the file outside the drive keeps its marks";

    // The drive's own entries.
    EXPECT_EQ(files.readStart(root + "own.lnk", 64), std::string("L\1"));
    qv::Status shown = files.setAttributes(root + "docs", FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(shown.ok()) << shown.description();
    EXPECT_EQ(GetFileAttributesW((stick / L"docs").c_str()) & kWorm, 0u);
    EXPECT_TRUE(GetFileAttributesW((stick / L"docs").c_str()) & FILE_ATTRIBUTE_DIRECTORY);

    // An entry gone since the listing: the system says why it cannot be read.
    qv::Status unread = qv::Status::success();
    EXPECT_EQ(files.attributes(root + "gone", unread), std::nullopt);
    EXPECT_NE(unread.description().find("找不到"), std::string::npos) << unread.description();
}

}  // namespace
