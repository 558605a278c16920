// The uninstall script the setup program writes, read back with the uninstaller's own
// reader: it must name exactly the installed files, the guard's files in the installation
// and the data folder, and the commands (every program by its full path), for any folder
// the user may choose, and refuse folders it could not name safely.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/xz/XzLines.h"
#include "installer/script/UninstallScript.h"
#include "uninstaller/script/CommandScan.h"
#include "uninstaller/script/ScriptParser.h"

namespace qv::setup {
namespace {

using Lines = std::vector<std::string>;

const std::string kAway = "cd /d %SystemRoot% & ";
const std::string kMenu = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\QVu盘卫士";
const std::string kData = "C:\\ProgramData\\QVu盘卫士";
const std::string kReg = "\"C:\\Windows\\system32\\reg.exe\"";

Installation sample(const std::string& folder) {
    return {folder,
            {"Banbenxx.dat", "Cinf.reg", "Filedir.exe", "Pifu.she", "QVud.exe", "QVuninst.exe",
             "skins\\蓝色.she", "skins\\old\\绿.she"},
            kMenu,
            {"QVu盘卫士.lnk", "卸载QVu盘卫士.lnk"},
            "C:\\Windows\\system32",
            kData};
}

struct ReadBack {
    std::optional<std::string> title;
    std::optional<std::string> text;
    Lines deleteList;
    Lines commands;
};

ReadBack readBack(const std::string& script) {
    Lines lines = xz::splitLines(script);
    std::optional<uninst::ParsedScript> parsed = uninst::Dq(lines);
    std::optional<Lines> commands = uninst::scanCommands(lines);
    EXPECT_TRUE(parsed && commands);
    if (!parsed || !commands) return {};
    return {parsed->title, parsed->text, parsed->deleteList, *commands};
}

TEST(UninstallScriptTest, NamesEveryFileAndCommandForFoldersWithBlanksAndChinese) {
    for (std::string folder :
         {"C:\\Program Files\\QVu盘卫士", "D:\\我的 软件\\Q V & (盘)", "C:\\x"}) {
        SCOPED_TRACE(folder);
        UninstallScript script = uninstallScript(sample(folder));
        ASSERT_EQ(script.error, "");
        EXPECT_NE(script.text.find("\r\n"), std::string::npos);
        ReadBack back = readBack(script.text);
        EXPECT_EQ(back.title, "QVu盘卫士");
        ASSERT_TRUE(back.text);
        EXPECT_NE(back.text->find("感谢您使用QVu盘卫士"), std::string::npos);

        const std::string f = folder + "\\";
        // QVuninst.exe runs while the list is deleted: the last command removes it.
        const std::string d = kData + "\\";
        EXPECT_EQ(
            back.deleteList,
            (Lines{f + "Banbenxx.dat", f + "Cinf.reg", f + "Filedir.exe", f + "Pifu.she",
                   f + "QVud.exe", f + "skins\\蓝色.she", f + "skins\\old\\绿.she", f + "QVset.ini",
                   f + "XTset.ini", f + "Rz.log", f + "Jincheng.qvjc", d + "QVset.ini",
                   d + "XTset.ini", d + "Rz.log", d + "Jincheng.qvjc", d + "Pifu.she",
                   kMenu + "\\QVu盘卫士.lnk", kMenu + "\\卸载QVu盘卫士.lnk"}));
        EXPECT_EQ(
            back.commands,
            (Lines{kAway + kReg +
                       " delete \"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\" "
                       "/v QVud /f",
                   kAway + kReg +
                       " delete "
                       "\"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QVud\" "
                       "/f",
                   kAway + "rd /q \"" + kMenu + "\"", kAway + "rd /s /q \"" + f + "隔离区\"",
                   kAway + "rd /s /q \"" + kData + "\"",
                   "cd /d %SystemRoot% & \"C:\\Windows\\system32\\ping.exe\" -n 3 127.0.0.1 >nul & "
                   "del /f /q \"" +
                       f + "QVuninst.exe\" & del /f /q \"" + f + "Xz.ini\" & rd /q \"" + f +
                       "skins\\old\" & rd /q \"" + f + "skins\" & rd /q \"" + folder + "\""}));
    }
}

TEST(UninstallScriptTest, WithoutAStartMenuFolderNoneIsRemoved) {
    Installation installation{"C:\\QV", {"QVud.exe", "QVuninst.exe"}, "", {}};
    ReadBack back = readBack(uninstallScript(installation).text);
    EXPECT_EQ(back.deleteList, (Lines{"C:\\QV\\QVud.exe", "C:\\QV\\QVset.ini", "C:\\QV\\XTset.ini",
                                      "C:\\QV\\Rz.log", "C:\\QV\\Jincheng.qvjc"}));
    ASSERT_EQ(back.commands.size(), 4u);
    EXPECT_EQ(back.commands[3].find("skins"), std::string::npos);
    EXPECT_TRUE(back.commands[3].ends_with("del /f /q \"C:\\QV\\Xz.ini\" & rd /q \"C:\\QV\""));
}

TEST(UninstallScriptTest, RefusesWhatCouldNotBeNamedSafely) {
    struct Case {
        const char* what;
        Installation installation;
    };
    const Lines files{"QVud.exe"};
    const Case cases[] = {
        {"percent sign, expanded by cmd", {"C:\\a%PATH%b", files, "", {}}},
        {"double quote", {"C:\\a\"b", files, "", {}}},
        {"line break", {"C:\\a\r\n[删除开始]", files, "", {}}},
        {"relative folder", {"QV", files, "", {}}},
        {"drive root", {"C:\\", files, "", {}}},
        {"trailing backslash", {"C:\\QV\\", files, "", {}}},
        {"UNC folder", {"\\\\server\\share", files, "", {}}},
        {"empty folder", {"", files, "", {}}},
        {"file leaving the folder", {"C:\\QV", {"..\\boot.ini"}, "", {}}},
        {"file with an inner ..", {"C:\\QV", {"skins\\..\\..\\x"}, "", {}}},
        {"absolute file", {"C:\\QV", {"C:\\Windows\\x.dll"}, "", {}}},
        {"drive-relative file", {"C:\\QV", {"D:x"}, "", {}}},
        {"rooted file", {"C:\\QV", {"\\x"}, "", {}}},
        {"empty part", {"C:\\QV", {"skins\\\\a.she"}, "", {}}},
        {"percent in a file", {"C:\\QV", {"%x%.dat"}, "", {}}},
        {"relative menu folder", {"C:\\QV", files, "Programs", {"a.lnk"}}},
        {"percent in the menu", {"C:\\QV", files, "C:\\%APPDATA%", {"a.lnk"}}},
        {"shortcut with a folder", {"C:\\QV", files, "C:\\Menu", {"..\\a.lnk"}}},
        {"relative system folder", {"C:\\QV", files, "", {}, "system32", ""}},
        {"percent in the data folder", {"C:\\QV", files, "", {}, "C:\\W", "C:\\%x%"}},
        {"data folder with a backslash", {"C:\\QV", files, "", {}, "C:\\W", "C:\\D\\"}},
    };
    for (const Case& c : cases) {
        UninstallScript script = uninstallScript(c.installation);
        EXPECT_EQ(script.text, "") << c.what;
        EXPECT_NE(script.error, "") << c.what;
    }
}

}  // namespace
}  // namespace qv::setup
