// Drive letters and drive types of drives defined through Wine's mount manager while the
// test runs, as a USB stick appears and disappears under a running guard.

#include <gtest/gtest.h>

#include "guard/platform/win32/services/Win32FileSystem.h"
#include "tests/wine/tools/TestKit.h"

namespace {

using qv::platform::DriveType;
using namespace qv::testkit;

bool contains(const qv::platform::DriveLetters& letters, char letter) {
    return std::find(letters.begin(), letters.end(), letter) != letters.end();
}

TEST(DrivesTest, EachSimulatedDriveReportsItsSystemType) {
    TempFolder folder;
    ASSERT_FALSE(folder.path().empty());
    qv::win32::Win32FileSystem files;
    const struct {
        UINT system;
        DriveType expected;
    } cases[] = {
        {DRIVE_REMOVABLE, DriveType::Removable}, {DRIVE_FIXED, DriveType::Fixed},
        {DRIVE_REMOTE, DriveType::Network},      {DRIVE_CDROM, DriveType::CdRom},
        {DRIVE_RAMDISK, DriveType::RamDisk},
    };
    for (const auto& c : cases) {
        auto letter = freeDriveLetter();
        ASSERT_TRUE(letter);
        SimulatedDrive drive(*letter, c.system, folder.path());
        ASSERT_TRUE(drive.ok()) << "mount manager refused type " << c.system;
        EXPECT_EQ(files.driveType(*letter), c.expected) << "type " << c.system;
        // Either case of the letter names the same drive.
        EXPECT_EQ(files.driveType(static_cast<char>(*letter - 'a' + 'A')), c.expected);
    }
}

TEST(DrivesTest, LettersFollowDrivesComingAndGoing) {
    TempFolder folder;
    qv::win32::Win32FileSystem files;
    auto letter = freeDriveLetter();
    ASSERT_TRUE(letter);
    EXPECT_FALSE(contains(files.driveLetters(), *letter));
    EXPECT_EQ(files.driveType(*letter), std::nullopt);

    SimulatedDrive drive(*letter, DRIVE_REMOVABLE, folder.path());
    ASSERT_TRUE(drive.ok());
    qv::platform::DriveLetters letters = files.driveLetters();
    EXPECT_TRUE(contains(letters, *letter));
    EXPECT_TRUE(contains(letters, 'c'));
    EXPECT_TRUE(std::is_sorted(letters.begin(), letters.end()));
    for (char l : letters) EXPECT_TRUE(l >= 'a' && l <= 'z') << l;
    EXPECT_EQ(std::adjacent_find(letters.begin(), letters.end()), letters.end());

    drive.remove();
    EXPECT_FALSE(contains(files.driveLetters(), *letter));
    EXPECT_EQ(files.driveType(*letter), std::nullopt);
}

TEST(DrivesTest, NoDriveForLettersOutsideTheAlphabet) {
    qv::win32::Win32FileSystem files;
    for (char c : {'\0', '1', ':', '\\', '{', '\x80'}) EXPECT_EQ(files.driveType(c), std::nullopt);
}

TEST(DrivesTest, FilesOnASimulatedDriveAreTheFilesOfItsFolder) {
    TempFolder folder;
    auto letter = freeDriveLetter();
    ASSERT_TRUE(letter);
    SimulatedDrive drive(*letter, DRIVE_REMOVABLE, folder.path());
    ASSERT_TRUE(drive.ok());
    ASSERT_TRUE(writeBytes(folder / L"autorun.inf", "[autorun]\r\n"));
    qv::win32::Win32FileSystem files;
    std::string root = utf8(drive.root());
    EXPECT_TRUE(files.fileExists(root + "autorun.inf"));
    EXPECT_TRUE(files.fileExists(root + "AUTORUN.INF"));
}

}  // namespace
