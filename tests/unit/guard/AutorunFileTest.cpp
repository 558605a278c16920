// The readers of a drive's autorun.inf and the protection log's record: which program the
// file names (its open= line, else its execute keys, in the code page or UTF-16), which
// files may be deleted with it, and the bytes of a log line.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "guard/monitor/AutorunFile.h"
#include "guard/monitor/ProtectionLog.h"

namespace qv::monitor {
namespace {

using namespace std::string_literals;

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
        {"setup.exe.", "e:\\setup.exe"},  // the file Windows opens for that name
        {"setup.exe . ", "e:\\setup.exe"},
        {"tools\\run.exe..", "e:\\tools\\run.exe"},
        {"tools.\\run.exe", std::nullopt},
        {"con. ", std::nullopt},
        {". .", std::nullopt},
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

TEST(AutorunFileTest, WithoutAnOpenLineTheExecuteKeysOfTheAutorunSectionNameTheProgram) {
    struct Case {
        std::string text;
        std::optional<std::string> command;
    };
    const std::string junk = std::string("\x00\xff\xfe\x81\x40junk", 10);
    const Case cases[] = {
        {"[autorun]\r\nshellexecute=RuNdLl32.EXE .\\RECYCLER\\x.vmx,ahaezedrn\r\n",
         "RuNdLl32.EXE .\\RECYCLER\\x.vmx,ahaezedrn"},
        {"[AutoRun]\nShell\\Open\\Command=wscript.exe x.vbs\n", "wscript.exe x.vbs"},
        {"[AUTORUN\r\nSHELLEXECUTE = \t x.exe  \r\n", "x.exe"},
        {"[autorun]\rshell\\explore\\command=a.exe\rshellexecute=b.exe\r", "b.exe"},
        {"[autorun]\nshell\\1\\command=first.exe\nshell\\2\\command=second.exe\n", "first.exe"},
        {"[autorun]\n" + junk + "\n;shellexecute=commented.exe\nshellexecute=real.exe\n",
         "real.exe"},
        {"[autorun]\nshellexecute=\nshellexecute=x.exe\0junk\n"s, "x.exe"},
        {"shellexecute=outside-any-section.exe\n", std::nullopt},
        {"[other]\nshellexecute=x.exe\n[autorun]\nicon=x.ico\n", std::nullopt},
        {"[autorun]\nshell\\\\command=x.exe\nshell\\a\\b\\command=y.exe\nshellcommand=z.exe\n",
         std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(executeCommand(c.text), c.command) << c.text;
    }
}

TEST(AutorunFileTest, TheOpenLineDecidesAsBeforeAndOnlyWithoutItDoTheExecuteKeysCount) {
    auto program = [](const std::string& text) { return autorunProgram("e:\\autorun.inf", text); };
    // An open= line keeps its one literal file, even beside execute keys.
    auto open = program("[autorun]\r\nopen=setup.exe /auto\r\nshellexecute=x.exe\r\n");
    ASSERT_TRUE(open);
    EXPECT_EQ(open->command, "setup.exe /auto");
    EXPECT_TRUE(open->files.empty()) << "one literal name, not words";
    open = program("open=tools\\run.exe\r\n");
    ASSERT_TRUE(open);
    EXPECT_EQ(open->files, std::vector<std::string>{"e:\\tools\\run.exe"});
    EXPECT_FALSE(program("open=\r\nshellexecute=x.exe\r\n")) << "an empty open= line names nothing";
    EXPECT_FALSE(program("[autorun]\r\nOPEN=setup.exe\r\n")) << "not an open= line, no execute key";

    // The execute keys' command: the words that name a file of the drive, never a system
    // program elsewhere or a name leaving the drive.
    auto keys = program(
        "[autorun]\nshellexecute=RuNdLl32.EXE .\\RECYCLER\\S-5-3-42\\jwgkvsq.vmx,"
        "ahaezedrn ..\\x.exe c:\\y.exe E:\\z.exe\n");
    ASSERT_TRUE(keys);
    EXPECT_EQ(keys->files,
              (std::vector<std::string>{"e:\\RuNdLl32.EXE", "e:\\RECYCLER\\S-5-3-42\\jwgkvsq.vmx",
                                        "e:\\ahaezedrn", "e:\\z.exe"}))
        << "candidates; only those that exist on the drive are offered";
}

TEST(AutorunFileTest, AFileWithTheUtf16MarkIsReadAsUtf16AndAnyOtherInTheCodePage) {
    auto ansi = [](std::string_view bytes) { return "ansi:" + std::string(bytes); };
    std::string wide = "\xFF\xFE";
    for (char c : std::string("[autorun]\r\nshellexecute=x.exe\r\n")) wide += std::string{c, '\0'};
    wide += "\x42\x75";  // 浂, beyond ASCII
    EXPECT_EQ(autorunText(wide, ansi), "[autorun]\r\nshellexecute=x.exe\r\n\xE7\x95\x82");
    EXPECT_EQ(autorunText("\xFE\xFFno", ansi), "ansi:\xFE\xFFno") << "big-endian is not taken";
    EXPECT_EQ(autorunText("\xFF", ansi), "ansi:\xFF");
    EXPECT_EQ(autorunText("\xFF\xFE", ansi), "");
}

TEST(AutorunFileTest, ALeadByteBeforeALineEndDoesNotHideTheNextLine) {
    // A double-byte code page's converter as Wine's behaves: a byte from 0x81 on leads, and
    // takes the next byte along whatever it is, turning both into '?'.
    auto doubleByte = [](std::string_view bytes) {
        std::string text;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (static_cast<unsigned char>(bytes[i]) >= 0x81) {
                text += '?';
                ++i;
            } else {
                text += bytes[i];
            }
        }
        return text;
    };
    ASSERT_EQ(doubleByte("junk\x81\r\nopen=x.exe"), "junk?\nopen=x.exe") << "what it would lose";
    const std::string text = autorunText("junk\x81\r\nopen=worm.exe\r\n\xD6\xD0\n", doubleByte);
    EXPECT_EQ(text, "junk?\r\nopen=worm.exe\r\n?\n");
    EXPECT_EQ(openLine(text), "worm.exe");
    EXPECT_EQ(executeCommand(autorunText("[autorun]\xB0\nshellexecute=w.exe", doubleByte)),
              "w.exe");
}

TEST(AutorunFileTest, ALogRecordIsPrefixPathSeparatorDateAndLineEnd) {
    EXPECT_EQ(deletionRecord("e:\\autorun.inf", "2026/12/8 14:03:59"),
              "成功删除e:\\autorun.inf    ——2026/12/8 14:03:59\r\n");
}

}  // namespace
}  // namespace qv::monitor
