// The words of a worm's command and the files of the drive they name: quotes, separators,
// the drive's own letter, and every name that would leave the drive.

#include <gtest/gtest.h>

#include <algorithm>
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
    // The root of the current drive, and the current folder of a command started there.
    EXPECT_EQ(fileOnDrive("\\RECYCLER\\x.exe", "e:\\"), "e:\\RECYCLER\\x.exe");
    EXPECT_EQ(fileOnDrive("%CD%RECYCLER\\x.exe", "e:\\"), "e:\\RECYCLER\\x.exe");
    EXPECT_EQ(fileOnDrive("%cd%\\x.exe", "e:\\"), "e:\\x.exe");
    for (const char* away : {"..\\x.exe", "a\\..\\..\\x", "c:\\x.exe", "f:\\x.exe", "%cd%..\\x.exe",
                             "\\..\\x.exe", "\\\\server\\share\\x.exe", "\\\\?\\e:\\x.exe", "con",
                             "x:y", "*.exe", "/c", "/e:vbscript", "folder\\"}) {
        EXPECT_EQ(fileOnDrive(away, "e:\\"), "") << away;
    }
}

TEST(CommandPayloadsTest, CommandsTheInterpreterRunsGiveTheirPayloadsToo) {
    auto has = [](std::string_view command, const std::string& file) {
        Words files = namedFiles(command, "e:\\");
        return std::find(files.begin(), files.end(), file) != files.end();
    };
    // The command quoted whole after /c, the current folder as %cd%, '&&'.
    EXPECT_TRUE(
        has("/q /c \"start __\\DriveMgr.exe & start explorer __\"", "e:\\__\\DriveMgr.exe"));
    EXPECT_TRUE(has("/c \"start %cd%RECYCLER\\6dc09d8d.exe &&%windir%\\explorer.exe %cd%Photos\"",
                    "e:\\RECYCLER\\6dc09d8d.exe"));
    EXPECT_TRUE(has("/c \"start \"\" \"__\\run me.exe\"\"", "e:\\__\\run me.exe"));
    EXPECT_TRUE(has("/Q/C \"start \"\" \"__\\run me.exe\"\"", "e:\\__\\run me.exe"));
    EXPECT_TRUE(has("/c set a=__\\x.exe&&call %a%", "e:\\__\\x.exe"));
    EXPECT_TRUE(has("/c start;__\\x.exe", "e:\\__\\x.exe"));
    // Commands read from a file of the stick; escapes.
    EXPECT_TRUE(has("/RS<Lg.ToP", "e:\\Lg.ToP"));
    EXPECT_TRUE(has("/c s^t^art __\\Dr^iv^eMgr.exe & exit", "e:\\__\\DriveMgr.exe"));
    // A quoted name with blanks is still one name, and comes first.
    Words quoted = namedFiles("wscript.exe \"My Files\\run me.vbs\" a^b.js", "e:\\");
    ASSERT_GE(quoted.size(), 3u);
    EXPECT_EQ(quoted[1], "e:\\My Files\\run me.vbs");
    EXPECT_EQ(quoted[2], "e:\\a^b.js") << "as wscript reads it";
    EXPECT_TRUE(has("wscript.exe \"My Files\\run me.vbs\" a^b.js", "e:\\ab.js"));
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
