// The words of a worm's command and the files of the drive they name: quotes, separators,
// the drive's own letter, and every name that would leave the drive.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/worms/CommandPayloads.h"

namespace qv::worms {
namespace {

using Words = std::vector<std::string>;

TEST(CommandPayloadsTest, CommandsSplitAtBlanksCommasAmpersandsAndBarsWithQuotesHonoured) {
    EXPECT_EQ(commandWords("cmd.exe /c start __ & __\\DriveMgr.exe & exit"),
              (Words{"cmd.exe", "/c", "start", "__", "__\\DriveMgr.exe", "exit"}));
    EXPECT_EQ(commandWords("RuNdLl32.EXE .\\RECYCLER\\S-5-3-42\\jwgkvsq.vmx,ahaezedrn"),
              (Words{"RuNdLl32.EXE", ".\\RECYCLER\\S-5-3-42\\jwgkvsq.vmx", "ahaezedrn"}));
    EXPECT_EQ(commandWords("wscript.exe \"My Files\\run, me.vbs\"|x\t\r\ny"),
              (Words{"wscript.exe", "My Files\\run, me.vbs", "x", "y"}));
    EXPECT_EQ(commandWords("a \"b c"), (Words{"a", "b c"})) << "an unclosed quote runs on";
    EXPECT_EQ(commandWords("  ,&| \"\" "), Words{});
    EXPECT_EQ(commandWords("a" + std::string(100000, ' ') + "b"), (Words{"a", "b"}));
}

TEST(CommandPayloadsTest, AWordNamesAFileOfTheDriveOnlyBelowItsRoot) {
    EXPECT_EQ(fileOnDrive("__\\DriveMgr.exe", "e:\\"), "e:\\__\\DriveMgr.exe");
    EXPECT_EQ(fileOnDrive(".\\RECYCLER\\.\\x.vmx", "e:\\"), "e:\\RECYCLER\\x.vmx");
    EXPECT_EQ(fileOnDrive("E:\\a\\..\\b.exe", "e:\\"), "e:\\b.exe");
    EXPECT_EQ(fileOnDrive("e:/b.exe", "e:\\"), "e:\\b.exe");
    EXPECT_EQ(fileOnDrive("~$WQRYRUYB.FAT32", "e:\\"), "e:\\~$WQRYRUYB.FAT32");
    EXPECT_EQ(fileOnDrive("x.exe.", "e:\\"), "e:\\x.exe") << "the file Windows opens";
    for (const char* away : {"..\\x.exe", "a\\..\\..\\x", "c:\\x.exe", "f:\\x.exe", "\\x.exe",
                             "\\\\server\\share\\x.exe", "\\\\?\\e:\\x.exe", "con", "x:y", "*.exe",
                             "/c", "/e:vbscript", "folder\\"}) {
        EXPECT_EQ(fileOnDrive(away, "e:\\"), "") << away;
    }
}

TEST(CommandPayloadsTest, ACommandOfAMegabyteOfNamesIsTakenOnlySoFar) {
    std::string command = "cmd.exe /c start";
    for (int i = 0; command.size() < (1u << 20); ++i) command += " w" + std::to_string(i);
    command += " worm.exe";
    Words files = namedFiles(command, "e:\\");
    ASSERT_EQ(files.size(), kMostNamedFiles);
    EXPECT_EQ(files[0], "e:\\cmd.exe");
    EXPECT_EQ(files[2], "e:\\w0");
}

TEST(CommandPayloadsTest, NamedFilesComeInOrderEachOnce) {
    EXPECT_EQ(namedFiles("cmd /c start x.vbs & start X.VBS & .\\y.exe", "e:\\"),
              (Words{"e:\\cmd", "e:\\start", "e:\\x.vbs", "e:\\y.exe"}))
        << "every word that could be a file; the caller keeps those that exist";
    EXPECT_EQ(namedFiles("", "e:\\"), Words{});
}

}  // namespace
}  // namespace qv::worms
