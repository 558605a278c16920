// The readers of a drive's autorun.inf and the protection log's record: which program the
// file names, when that program may be deleted with it, and the bytes of a log line.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "guard/monitor/AutorunFile.h"
#include "guard/monitor/ProtectionLog.h"

namespace qv::monitor {
namespace {

TEST(AutorunFileTest, TheFirstLineStartingWithLowerCaseOpenNamesTheProgram) {
    struct Case {
        std::string text;
        std::optional<std::string> command;
    };
    const std::string junk = std::string("\x00\xff\xfe\x81\x40junk", 10);
    const Case cases[] = {
        {"[autorun]\r\nopen=setup.exe\r\n", "setup.exe"},
        {"open=first.exe\r\nopen=second.exe\r\n", "first.exe"},
        {"[autorun]\r\nOPEN=setup.exe\r\n", std::nullopt},
        {"[autorun]\r\n open=setup.exe\r\n", std::nullopt},
        {"[autorun]\r\nopen=\r\nopen=later.exe\r\n", std::nullopt},
        {"[autorun]\rshell=x\ropen=cr-only.exe\r", "cr-only.exe"},
        {"[autorun]\nopen=lf.exe\n", std::nullopt},  // LF alone does not end a line
        {"open=no-line-end.exe", "no-line-end.exe"},
        {"open=setup.exe /auto\r\n", "setup.exe /auto"},
        {"open=*.exe\r\n", "*.exe"},
        {"open=  folder\\file.exe \r\n", "  folder\\file.exe "},
        {junk + "\r\n" + junk + "\r\nopen=padded.exe\r\n", "padded.exe"},
        {junk + "open=inside-a-line.exe\r\n", std::nullopt},
        {"", std::nullopt},
        {"\r\n\r\n", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(openCommand(c.text), c.command) << c.text;
    }
}

TEST(AutorunFileTest, TheAssociatedFileMustBeOnePlainFileOnTheSameDrive) {
    struct Case {
        std::string name;
        std::optional<std::string> path;
    };
    const Case cases[] = {
        {"setup.exe", "e:\\setup.exe"},
        {"tools\\run.exe", "e:\\tools\\run.exe"},
        {"tools/run.exe", "e:\\tools/run.exe"},
        {"a\\..\\b.exe", "e:\\a\\..\\b.exe"},
        {"病毒.exe", "e:\\病毒.exe"},
        {"..\\x", std::nullopt},
        {"..\\..\\x", std::nullopt},
        {"a\\..\\..\\x", std::nullopt},
        {"c:\\x", std::nullopt},
        {"c:x", std::nullopt},
        {"\\x", std::nullopt},
        {"\\\\?\\c:\\x", std::nullopt},
        {"\\\\.\\c:", std::nullopt},
        {"\\\\server\\share\\x", std::nullopt},
        {"con", std::nullopt},
        {"NUL.txt", std::nullopt},
        {"dir\\com1", std::nullopt},
        {"lpt9.exe", std::nullopt},
        {"x:stream", std::nullopt},
        {"*.exe", std::nullopt},
        {"setup?.exe", std::nullopt},
        {"setup.exe /auto", std::nullopt},
        {"setup.exe.", std::nullopt},
        {"tools\\", std::nullopt},
        {"tools\\.", std::nullopt},
        {std::string("a\0b", 3), std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(associatedFilePath("e:\\autorun.inf", c.name), c.path) << c.name;
    }
    EXPECT_EQ(associatedFilePath("", "setup.exe"), std::nullopt);
    EXPECT_EQ(associatedFilePath("\\\\?\\autorun.inf", "setup.exe"), std::nullopt);
}

TEST(AutorunFileTest, ALogRecordIsPrefixPathSeparatorDateAndLineEnd) {
    EXPECT_EQ(deletionRecord("e:\\autorun.inf", "2026/12/8 14:03:59"),
              "成功删除e:\\autorun.inf    ——2026/12/8 14:03:59\r\n");
}

}  // namespace
}  // namespace qv::monitor
