// The drive-table file system the native tests run the guard on: Windows path rules,
// confinement to a drive's folder, and text in the ANSI code page.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "guard/platform/posix/DriveTableFileSystem.h"
#include "tests/support/TempFolder.h"

namespace qv::posix {
namespace {

namespace fs = std::filesystem;
using platform::DriveType;

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

class DriveTableFileSystemTest : public ::testing::Test {
protected:
    DriveTableFileSystemTest() : files(temp.path() / "cwd") {
        fs::create_directories(temp.path() / "cwd");
        fs::create_directories(stick);
        files.addDrive('e', DriveType::Removable, stick);
        files.addDrive('C', DriveType::Fixed, temp.path() / "c");
        fs::create_directories(temp.path() / "c");
    }

    test::TempFolder temp;
    fs::path stick = temp.path() / "stick";
    DriveTableFileSystem files;
};

TEST_F(DriveTableFileSystemTest, DrivesComeInLetterOrderInLowerCaseAndCanBePluggedInAndOut) {
    EXPECT_EQ(files.driveLetters(), (platform::DriveLetters{'c', 'e'}));
    EXPECT_EQ(files.driveType('E'), DriveType::Removable);
    files.removeDrive('e');
    EXPECT_EQ(files.driveLetters(), (platform::DriveLetters{'c'}));
    EXPECT_FALSE(files.driveType('e').has_value());
    EXPECT_FALSE(files.fileExists("e:\\autorun.inf"));
}

TEST_F(DriveTableFileSystemTest, PathsNeverLeaveTheirDrive) {
    writeBytes(temp.path() / "secret.txt", "outside");
    fs::create_directories(stick / "docs");
    fs::create_symlink(temp.path(), stick / "link");

    for (const char* hostile :
         {"e:\\..\\secret.txt", "e:\\docs\\..\\..\\secret.txt", "e:/../secret.txt",
          "e:\\link\\secret.txt", "\\secret.txt", "\\\\server\\share\\secret.txt",
          "e:\\secret.txt:stream", "..\\secret.txt"}) {
        EXPECT_FALSE(files.hostPath(hostile).has_value()) << hostile;
        EXPECT_FALSE(files.fileExists(hostile)) << hostile;
        EXPECT_FALSE(files.deleteFile(hostile).ok()) << hostile;
        EXPECT_FALSE(files.readText(hostile).has_value()) << hostile;
    }
    EXPECT_TRUE(fs::exists(temp.path() / "secret.txt"));
    auto listed = files.subfolders("e:\\");
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(*listed, (std::vector<std::string>{"e:\\docs"})) << "a link out is not listed";
}

TEST_F(DriveTableFileSystemTest, NamesMatchWithoutRegardToCaseAndFoldersAreNeverFiles) {
    writeBytes(stick / "AutoRun.INF", "[autorun]\r\n");
    EXPECT_TRUE(files.fileExists("e:\\autorun.inf"));
    EXPECT_TRUE(files.fileExists("E:/AUTORUN.inf"));
    ASSERT_TRUE(files.deleteFile("e:\\autorun.inf").ok());
    EXPECT_FALSE(fs::exists(stick / "AutoRun.INF"));

    fs::create_directories(stick / "autorun.inf");
    EXPECT_FALSE(files.fileExists("e:\\autorun.inf"));
    EXPECT_FALSE(files.deleteFile("e:\\autorun.inf").ok());
    EXPECT_TRUE(fs::is_directory(stick / "autorun.inf"));
}

TEST_F(DriveTableFileSystemTest, DeleteRemovesOneNamedFileOnlyAndRefusesReadOnlyFiles) {
    writeBytes(stick / "a.exe", "x");
    writeBytes(stick / "b.exe", "x");
    EXPECT_FALSE(files.deleteFile("e:\\*.exe").ok());
    EXPECT_FALSE(files.deleteFile("e:\\?.exe").ok());
    EXPECT_TRUE(fs::exists(stick / "a.exe") && fs::exists(stick / "b.exe"));

    fs::permissions(stick / "a.exe", fs::perms::owner_write, fs::perm_options::remove);
    Status refused = files.deleteFile("e:\\a.exe");
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.description(), "拒绝访问。");
    EXPECT_TRUE(fs::exists(stick / "a.exe"));
    EXPECT_EQ(files.deleteFile("e:\\missing.exe").description(), "系统找不到指定的文件。");
}

TEST_F(DriveTableFileSystemTest, NamesWindowsForbidsAreRefusedEvenWhenTheHostHasThem) {
    // A stick written on another system can hold names Windows cannot: a file literally
    // called "*.exe" must not be taken for what the pattern would mean, nor be hit by it.
    writeBytes(stick / "*.exe", "x");
    writeBytes(stick / "a.exe", "x");
    for (const char* bad : {"e:\\*.exe", "e:\\a?exe", "e:\\a<b", "e:\\a>b", "e:\\a|b", "e:\\a\"b",
                            "e:\\tab\there", "e:\\docs*\\x"}) {
        EXPECT_FALSE(files.hostPath(bad).has_value()) << bad;
        EXPECT_FALSE(files.fileExists(bad)) << bad;
        EXPECT_FALSE(files.deleteFile(bad).ok()) << bad;
        EXPECT_FALSE(files.createDirectory(bad).ok()) << bad;
        EXPECT_FALSE(files.writeText(bad, "x").ok()) << bad;
    }
    EXPECT_TRUE(fs::exists(stick / "*.exe"));
    EXPECT_TRUE(fs::exists(stick / "a.exe"));
    EXPECT_EQ(std::distance(fs::directory_iterator(stick), fs::directory_iterator()), 2);
}

TEST_F(DriveTableFileSystemTest, ACardCanBeInsertedIntoAnEmptyReader) {
    fs::path slot = temp.path() / "card";
    files.addDrive('g', DriveType::Removable, slot);
    EXPECT_EQ(files.driveType('g'), DriveType::Removable) << "the reader is there";
    EXPECT_FALSE(files.subfolders("g:\\").has_value()) << "no medium";
    EXPECT_FALSE(files.fileExists("g:\\autorun.inf"));
    EXPECT_FALSE(files.createDirectory("g:\\autorun.inf").ok());
    EXPECT_FALSE(fs::exists(slot)) << "nothing is made for a drive without a medium";

    fs::create_directories(slot);
    EXPECT_EQ(files.subfolders("g:\\"), std::vector<std::string>{});
    EXPECT_TRUE(files.createDirectory("g:\\autorun.inf").ok());
}

TEST_F(DriveTableFileSystemTest, AHugeFileIsNotReadIntoMemory) {
    std::ofstream(stick / "autorun.inf").close();
    fs::resize_file(stick / "autorun.inf", DriveTableFileSystem::kMaxTextBytes + 1);
    EXPECT_TRUE(files.fileExists("e:\\autorun.inf"));
    EXPECT_FALSE(files.readText("e:\\autorun.inf").has_value());
}

TEST_F(DriveTableFileSystemTest, ImmunisationFoldersIncludingConCanBeMadeAndRemoved) {
    ASSERT_TRUE(files.createDirectory("e:\\autorun.inf").ok());
    ASSERT_TRUE(files.createDirectory("e:\\autorun.inf\\con\\").ok());
    EXPECT_TRUE(fs::is_directory(stick / "autorun.inf" / "con"));
    EXPECT_FALSE(files.createDirectory("e:\\autorun.inf").ok()) << "it exists already";
    EXPECT_FALSE(files.removeDirectory("e:\\autorun.inf").ok()) << "it is not empty";
    EXPECT_FALSE(files.createDirectory("e:\\no\\such\\parent").ok());
    ASSERT_TRUE(files.removeDirectory("e:\\autorun.inf\\con").ok());
    EXPECT_TRUE(files.removeDirectory("e:\\autorun.inf").ok());
}

TEST_F(DriveTableFileSystemTest, SubfoldersAreFullPathsOfImmediateFoldersSortedAsWindowsDoes) {
    EXPECT_EQ(files.subfolders("e:\\"), std::vector<std::string>{}) << "an empty drive";
    for (const char* name : {"music", "Zeta", "_old", "docs", "Alpha", "照片"}) {
        fs::create_directories(stick / name);
    }
    fs::create_directories(stick / "music" / "deep");
    writeBytes(stick / "docs.exe", "x");
    auto listed = files.subfolders("e:\\");
    ASSERT_TRUE(listed.has_value());
    // By upper-case form: letters come before '_', and case does not matter.
    EXPECT_EQ(*listed, (std::vector<std::string>{"e:\\Alpha", "e:\\docs", "e:\\music", "e:\\Zeta",
                                                 "e:\\_old", "e:\\照片"}));
    EXPECT_EQ(*files.subfolders("e:\\music"), (std::vector<std::string>{"e:\\music\\deep"}));

    files.addDrive('f', DriveType::Removable, temp.path() / "card-slot-without-card");
    EXPECT_FALSE(files.subfolders("f:\\").has_value());
}

TEST_F(DriveTableFileSystemTest, TextIsStoredInGbkAndReadBackAsUtf8) {
    ASSERT_TRUE(files.appendText("Rz.log", "成功删除e:\\autorun.inf    ——x\r\n").ok());
    ASSERT_TRUE(files.appendText("rz.log", "b\r\n").ok()) << "same file, other case";
    std::string bytes = bytesOf(temp.path() / "cwd" / "Rz.log");
    EXPECT_EQ(bytes.substr(0, 8), "\xB3\xC9\xB9\xA6\xC9\xBE\xB3\xFD");
    EXPECT_NE(bytes.find("    \xA1\xAA\xA1\xAA"), std::string::npos);
    EXPECT_EQ(files.readText("Rz.log"), "成功删除e:\\autorun.inf    ——x\r\nb\r\n");

    ASSERT_TRUE(files.writeText("QVset.ini", "111111\r\n").ok());
    ASSERT_TRUE(files.writeText("QVset.ini", "011111\r\n").ok());
    EXPECT_EQ(bytesOf(temp.path() / "cwd" / "QVset.ini"), "011111\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path() / "cwd"), fs::directory_iterator()),
              2)
        << "no temporary file is left behind";

    writeBytes(stick / "autorun.inf", "open=\xD5\xD5\xC6\xAC.exe\r\n");  // 照片.exe
    EXPECT_EQ(files.readText("e:\\autorun.inf"), "open=照片.exe\r\n");
    writeBytes(stick / "broken.inf", "open=\xFF\r\n");
    EXPECT_EQ(files.readText("e:\\broken.inf"), "open=?\r\n");
}

TEST_F(DriveTableFileSystemTest, WritingNeverReplacesAFolderOrAReadOnlyFile) {
    fs::create_directories(temp.path() / "cwd" / "XTset.ini");
    EXPECT_FALSE(files.writeText("XTset.ini", "001010100\r\n").ok());
    writeBytes(temp.path() / "cwd" / "QVset.ini", "111111\r\n");
    fs::permissions(temp.path() / "cwd" / "QVset.ini", fs::perms::owner_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(files.writeText("QVset.ini", "000000\r\n").ok());
    EXPECT_FALSE(files.appendText("QVset.ini", "0").ok());
    EXPECT_EQ(bytesOf(temp.path() / "cwd" / "QVset.ini"), "111111\r\n");
    EXPECT_FALSE(files.writeText("no-such-folder\\x.txt", "x").ok());
}

}  // namespace
}  // namespace qv::posix
