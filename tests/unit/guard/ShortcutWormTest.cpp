// Sticks as today's shortcut worms leave them, plugged into the guard: the worm's
// shortcuts found in the pass, shown in their dialog with what they run, cleaned (shortcuts
// and payloads quarantined, the hidden folders shown again with their contents untouched),
// ignored or left; automatic handling; the user's own shortcuts left alone; USB disks that
// call themselves fixed; and the dialog's place in the pass.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/worms/tests/ShortcutMaker.h"
#include "guard/main_window/Form1.h"
#include "guard/monitor/Form2.h"
#include "guard/monitor/Form5.h"
#include "guard/monitor/Form7.h"
#include "guard/monitor/HarmlessShortcuts.h"
#include "guard/monitor/ShortcutScan.h"
#include "guard/monitor/Tips.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GuardHarness.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using platform::DriveType;
using test::readFile;
using test::writeFile;
using worms::test::makeShortcut;
using worms::test::shortcutTo;

const std::string kCmd = "C:\\WINDOWS\\system32\\cmd.exe";
const std::string kRundll32 = "C:\\Windows\\System32\\rundll32.exe";
const std::string kWscript = "C:\\Windows\\System32\\wscript.exe";
const std::string kNoBreakSpace = "\xC2\xA0";
const std::string kNotice =
    "已清除 %s 个病毒快捷方式、%s 个病毒文件\r\n（副本保存在隔离区），\r\n恢复显示 %s "
    "个被隐藏的文件和文件夹。";

std::string notice(int shortcuts, int payloads, int shown) {
    std::string text = kNotice;
    for (int n : {shortcuts, payloads, shown}) text.replace(text.find("%s"), 2, std::to_string(n));
    return text;
}

// Every file below `folder`, by its path there, with its bytes.
std::map<std::string, std::string> contents(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).string()] = readFile(entry.path());
        }
    }
    return files;
}

class ShortcutWormTest : public ::testing::Test {
protected:
    Form1& main() { return h.guard.form1(); }
    void hide(const fs::path& entry) {
        h.removalFiles.setDosAttributes(entry, removal::kHidden | removal::kSystem);
    }
    bool hidden(const std::string& path) {
        auto found = h.files.attributes(path);
        return found && (found->dos.hidden || found->dos.system);
    }
    // The user's folder as the worm hid it, with the user's files inside.
    fs::path hiddenFolder(const fs::path& stick, const std::string& name) {
        writeFile(stick / name / "thesis.docx", "PK the user's thesis");
        writeFile(stick / name / "photos" / "holiday.jpg", "\xFF\xD8 a photo");
        hide(stick / name);
        return stick / name;
    }
    std::string log() const {
        fs::path file = h.currentDirectory() / "Rz.log";
        return fs::exists(file) ? readFile(file) : "";
    }
    long logRecords() const {
        std::string text = log();
        return std::count(text.begin(), text.end(), '\n');
    }
    std::string toast() const {
        Tips* tips = h.guard.monitorWindows().tipsIfLoaded();
        return tips ? tips->Label1.caption() : "(closed)";
    }
    // The Phorpiex shape: the user's files in a hidden "__", a payload beside them, and a
    // shortcut named like the drive that starts the payload and opens the folder.
    fs::path plugDoubleUnderscoreStick(char letter = 'e') {
        fs::path stick = h.addDrive(letter, DriveType::Removable);
        hiddenFolder(stick, "__");
        writeFile(stick / "__" / "DriveMgr.exe", "MZ the worm");
        writeFile(stick / "KINGSTON (8GB).lnk",
                  makeShortcut(shortcutTo(kCmd, "/c start __ & __\\DriveMgr.exe & exit")));
        return stick;
    }

    test::GuardHarness h;
};

TEST_F(ShortcutWormTest, TheDoubleUnderscoreStickIsShownCleanedAndItsFolderComesBackWhole) {
    fs::path e = plugDoubleUnderscoreStick();
    auto userFiles = contents(e / "__");
    userFiles.erase("DriveMgr.exe");
    h.guard.start();
    h.host.expectModal("Form7", [&](ui::Form& f) {
        auto& dialog = static_cast<Form7&>(f);
        EXPECT_EQ(dialog.caption(), "发现快捷方式病毒！");
        EXPECT_TRUE(dialog.Command1.isDefault());
        dialog.paint();
        EXPECT_EQ(h.host.topmostRequests().back(), "Form7");
        EXPECT_EQ(dialog.Text1.text(),
                  "病毒快捷方式：e:\\KINGSTON (8GB).lnk\r\n"
                  "    运行：" +
                      kCmd +
                      " /c start __ & __\\DriveMgr.exe & exit\r\n"
                      "    病毒文件：e:\\__\\DriveMgr.exe\r\n"
                      "\r\n将恢复显示的隐藏项目：\r\ne:\\__");
        h.host.expectMessageBox(notice(1, 1, 1), ui::MsgAnswer::Ok);
        dialog.Command1.click();
        EXPECT_EQ(h.host.boxes().back().title, "提示");
    });
    h.host.advance(1500);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_FALSE(h.guard.monitorWindows().form7Loaded());
    EXPECT_FALSE(fs::exists(e / "KINGSTON (8GB).lnk"));
    EXPECT_FALSE(fs::exists(e / "__" / "DriveMgr.exe"));
    EXPECT_FALSE(hidden("e:\\__"));
    auto left = contents(e / "__");
    EXPECT_EQ(left, userFiles) << "the user's files, byte for byte";
    EXPECT_EQ(std::distance(fs::directory_iterator(h.quarantineFolder()), fs::directory_iterator()),
              2);
    EXPECT_EQ(logRecords(), 2) << "both removals, Jlrz ticked";
}

TEST_F(ShortcutWormTest, TheNoBreakSpaceFolderAndAHiddenPayloadInTheRootAreShownAsTheyAre) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    hiddenFolder(e, kNoBreakSpace);
    writeFile(e / "~$WQRYRUYB.FAT32", "MZ the worm's DLL");
    hide(e / "~$WQRYRUYB.FAT32");
    fs::create_directory(e / "System Volume Information");
    hide(e / "System Volume Information");
    writeFile(e / "desktop.ini", "[.ShellClassInfo]");
    hide(e / "desktop.ini");
    writeFile(e / "USB Drive.lnk", makeShortcut(shortcutTo(kRundll32, "~$WQRYRUYB.FAT32,RunDLL")));
    main().Jlrz.setValue(0);
    h.guard.start();
    h.host.expectModal("Form7", [&](ui::Form& f) {
        auto& dialog = static_cast<Form7&>(f);
        EXPECT_EQ(dialog.findings().hiddenItems, std::vector<std::string>{"e:\\" + kNoBreakSpace})
            << "the payload goes, the system's folder is no worm's";
        EXPECT_NE(dialog.Text1.text().find("e:\\[U+00A0]"), std::string::npos)
            << dialog.Text1.text();
        EXPECT_NE(dialog.Text1.text().find("病毒文件：e:\\~$WQRYRUYB.FAT32"), std::string::npos);
        h.host.expectMessageBox(notice(1, 1, 1), ui::MsgAnswer::Ok);
        dialog.Command1.click();
    });
    h.host.advance(1500);
    EXPECT_FALSE(fs::exists(e / "~$WQRYRUYB.FAT32"));
    EXPECT_FALSE(hidden("e:\\" + kNoBreakSpace));
    EXPECT_TRUE(hidden("e:\\System Volume Information"));
    EXPECT_TRUE(hidden("e:\\desktop.ini")) << "the system's own stay hidden";
    EXPECT_EQ(log(), "") << "Jlrz unticked: the dialog keeps no log";
}

TEST_F(ShortcutWormTest, OneShortcutPerHiddenItemSharingOnePayloadIsCleanedOnceTheUsersFilesStay) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    for (const char* folder : {"Photos", "Music", "Work"}) {
        hiddenFolder(e, folder);
        writeFile(e / (std::string(folder) + ".lnk"),
                  makeShortcut(shortcutTo(kWscript, "/e:vbscript \"sys.dat\" & start explorer " +
                                                        std::string(folder))));
    }
    // A file of the user's, hidden, and the shortcut that opens it after the worm.
    writeFile(e / "report.docx", "PK the user's report");
    hide(e / "report.docx");
    writeFile(e / "report.docx.lnk",
              makeShortcut(shortcutTo(kWscript, "/e:vbscript sys.dat & start report.docx")));
    writeFile(e / "sys.dat", "'VBS worm");
    hide(e / "sys.dat");
    h.guard.start();
    h.host.expectModal("Form7", [&](ui::Form& f) {
        auto& dialog = static_cast<Form7&>(f);
        ASSERT_EQ(dialog.findings().shortcuts.size(), 4u);
        EXPECT_EQ(dialog.findings().shortcuts[0].path, "e:\\Music.lnk") << "by name";
        EXPECT_EQ(dialog.findings().shortcuts[2].payloads, std::vector<std::string>{"e:\\sys.dat"})
            << "the user's report is what the shortcut opens, not what it runs";
        EXPECT_EQ(
            dialog.findings().hiddenItems,
            (std::vector<std::string>{"e:\\Music", "e:\\Photos", "e:\\Work", "e:\\report.docx"}));
        h.host.expectMessageBox(notice(4, 1, 4), ui::MsgAnswer::Ok);
        dialog.Command1.click();
    });
    h.host.advance(1500);
    for (const char* left : {"Photos.lnk", "Music.lnk", "Work.lnk", "report.docx.lnk", "sys.dat"}) {
        EXPECT_FALSE(fs::exists(e / left)) << left;
    }
    EXPECT_EQ(readFile(e / "report.docx"), "PK the user's report");
    EXPECT_FALSE(hidden("e:\\report.docx"));
    EXPECT_EQ(std::distance(fs::directory_iterator(h.quarantineFolder()), fs::directory_iterator()),
              5);
}

// The VBS worm that hides every root file and names its shortcut after the file's name up to
// the first dot: "report.lnk" opens report.docx after starting the worm.
TEST_F(ShortcutWormTest, AShortcutNamedUpToTheFirstDotOpensTheUsersFileWhichStays) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    writeFile(e / "sysinfo.vbs", "'VBS worm");
    hide(e / "sysinfo.vbs");
    for (const char* file : {"report.docx", "my thesis.final.docx"}) {
        writeFile(e / file, std::string("PK the user's ") + file);
        hide(e / file);
    }
    // The same command quoted whole after /c.
    writeFile(e / "report.lnk",
              makeShortcut(shortcutTo(kCmd, "/c \"start sysinfo.vbs&start report.docx&exit\"")));
    writeFile(
        e / "my thesis.lnk",
        makeShortcut(shortcutTo(kCmd, "/c start sysinfo.vbs&start my\" \"thesis.final.docx&exit")));
    // A script named after the folder the worm hid is the worm's all the same.
    hiddenFolder(e, "Photos");
    writeFile(e / "Photos.vbs", "'VBS worm named like the folder");
    hide(e / "Photos.vbs");
    writeFile(e / "Photos.lnk",
              makeShortcut(shortcutTo(kCmd, "/c start Photos.vbs&start explorer Photos&exit")));
    h.guard.start();
    h.host.expectModal("Form7", [&](ui::Form& f) {
        auto& dialog = static_cast<Form7&>(f);
        const monitor::ShortcutWorm& found = dialog.findings();
        ASSERT_EQ(found.shortcuts.size(), 3u);
        EXPECT_EQ(found.shortcuts[0].payloads, std::vector<std::string>{"e:\\sysinfo.vbs"});
        EXPECT_EQ(found.shortcuts[1].payloads, std::vector<std::string>{"e:\\Photos.vbs"});
        EXPECT_EQ(found.shortcuts[2].payloads, std::vector<std::string>{"e:\\sysinfo.vbs"});
        EXPECT_EQ(found.hiddenItems,
                  (std::vector<std::string>{"e:\\Photos", "e:\\my thesis.final.docx",
                                            "e:\\report.docx"}));
        h.host.expectMessageBox(notice(3, 2, 3), ui::MsgAnswer::Ok);
        dialog.Command1.click();
    });
    h.host.advance(1500);
    EXPECT_TRUE(h.host.allExpectationsMet());
    for (const char* file : {"report.docx", "my thesis.final.docx"}) {
        EXPECT_EQ(readFile(e / file), std::string("PK the user's ") + file);
        EXPECT_FALSE(hidden(std::string("e:\\") + file)) << file;
    }
    for (const char* gone : {"sysinfo.vbs", "Photos.vbs", "report.lnk", "Photos.lnk"}) {
        EXPECT_FALSE(fs::exists(e / gone)) << gone;
    }
}

// Code a tool runs is a payload whatever its name: a shortcut named like the file spares
// only what its command opens as a document.
TEST_F(ShortcutWormTest, AFileHandedToAToolIsAPayloadWhateverTheShortcutIsCalled) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    hiddenFolder(e, "Photos");
    writeFile(e / "Photos.dat", "MZ a library");
    hide(e / "Photos.dat");
    writeFile(e / "Photos.lnk", makeShortcut(shortcutTo(kRundll32, "Photos.dat,Run")));
    fs::path folder = hiddenFolder(e, "__");
    writeFile(folder / "KINGSTON.dat", "MZ another library");
    writeFile(e / "KINGSTON.lnk",
              makeShortcut(shortcutTo(kCmd, "/c start __ & rundll32 __\\KINGSTON.dat,Run")));
    // Named exactly like the shortcut; and what "start" runs rather than opens.
    writeFile(e / "Music.dll", "MZ a third library");
    hide(e / "Music.dll");
    writeFile(e / "Music.dll.lnk", makeShortcut(shortcutTo(kRundll32, "Music.dll,Run")));
    writeFile(folder / "Work.chm", "ITSF help that runs script");
    writeFile(folder / "Work.lnk", "L a shortcut that runs the worm");
    writeFile(e / "Work.lnk",
              makeShortcut(shortcutTo(kCmd, "/c start __\\Work.chm & start __\\Work.lnk & exit")));
    h.guard.start();
    h.host.expectModal("Form7", [&](ui::Form& f) {
        auto& dialog = static_cast<Form7&>(f);
        const monitor::ShortcutWorm& found = dialog.findings();
        ASSERT_EQ(found.shortcuts.size(), 4u);
        EXPECT_EQ(found.shortcuts[0].payloads, std::vector<std::string>{"e:\\__\\KINGSTON.dat"});
        EXPECT_EQ(found.shortcuts[1].payloads, std::vector<std::string>{"e:\\Music.dll"});
        EXPECT_EQ(found.shortcuts[2].payloads, std::vector<std::string>{"e:\\Photos.dat"});
        EXPECT_EQ(found.shortcuts[3].payloads,
                  (std::vector<std::string>{"e:\\__\\Work.chm", "e:\\__\\Work.lnk"}));
        dialog.Command3.click();
    });
    h.host.advance(1500);
    EXPECT_TRUE(h.host.allExpectationsMet());
}

// A worm that hides the user's files in a folder bearing a name systems keep hidden.
TEST_F(ShortcutWormTest, AFolderNamedLikeTheSystemsOwnIsTheUsersWhenTheWormsCommandNamesIt) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    fs::path folder = hiddenFolder(e, "FOUND.000");
    writeFile(folder / "DriveMgr.exe", "MZ the worm");
    writeFile(e / "USB Drive.lnk",
              makeShortcut(shortcutTo(kCmd, "/c start FOUND.000 & FOUND.000\\DriveMgr.exe")));
    fs::create_directory(e / "FOUND.001");
    hide(e / "FOUND.001");
    h.guard.start();
    h.host.expectModal("Form7", [&](ui::Form& f) {
        auto& dialog = static_cast<Form7&>(f);
        EXPECT_EQ(dialog.findings().hiddenItems, std::vector<std::string>{"e:\\FOUND.000"});
        h.host.expectMessageBox(notice(1, 1, 1), ui::MsgAnswer::Ok);
        dialog.Command1.click();
    });
    h.host.advance(1500);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_FALSE(hidden("e:\\FOUND.000"));
    EXPECT_TRUE(hidden("e:\\FOUND.001"));
    EXPECT_FALSE(fs::exists(folder / "DriveMgr.exe"));
}

TEST_F(ShortcutWormTest, ADocumentMovedIntoTheWormsFolderIsTheUsersAProgramSoNamedIsNot) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    fs::path folder = hiddenFolder(e, "__");
    writeFile(folder / "report.docx", "PK the user's report");
    writeFile(folder / "DriveMgr.exe", "MZ the worm");
    writeFile(folder / "Setup.exe", "MZ the worm too");
    writeFile(e / "report.docx.lnk",
              makeShortcut(shortcutTo(kCmd, "/c start __\\report.docx & __\\DriveMgr.exe & exit")));
    writeFile(e / "Setup.exe.lnk", makeShortcut(shortcutTo(kCmd, "/c start __\\Setup.exe")));
    h.guard.start();
    h.host.expectModal("Form7", [&](ui::Form& f) {
        auto& dialog = static_cast<Form7&>(f);
        ASSERT_EQ(dialog.findings().shortcuts.size(), 2u);
        EXPECT_EQ(dialog.findings().shortcuts[0].payloads,
                  std::vector<std::string>{"e:\\__\\DriveMgr.exe"});
        EXPECT_EQ(dialog.findings().shortcuts[1].payloads,
                  std::vector<std::string>{"e:\\__\\Setup.exe"});
        h.host.expectMessageBox(notice(2, 2, 1), ui::MsgAnswer::Ok);
        dialog.Command1.click();
    });
    h.host.advance(1500);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(readFile(folder / "report.docx"), "PK the user's report");
    EXPECT_FALSE(fs::exists(folder / "DriveMgr.exe"));
    EXPECT_FALSE(fs::exists(folder / "Setup.exe"));
}

TEST_F(ShortcutWormTest, TheUsersOwnShortcutsAreLeftAlone) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    writeFile(e / "docs" / "thesis.docx", "PK");
    writeFile(e / "PortableApps" / "firefox.exe", "MZ");
    writeFile(e / "thesis.lnk", makeShortcut(shortcutTo("E:\\docs\\thesis.docx")));
    writeFile(e / "Firefox.lnk", makeShortcut(shortcutTo("E:\\PortableApps\\firefox.exe")));
    writeFile(e / "broken.lnk", "not a shortcut at all");
    // An administrator's shortcuts to system tools, on a stick that hides nothing of his.
    writeFile(e / "driver" / "setup.msi", "MSI");
    writeFile(e / "命令提示符.lnk", makeShortcut(shortcutTo(kCmd)));
    writeFile(e / "安装驱动.lnk", makeShortcut(shortcutTo("C:\\Windows\\System32\\msiexec.exe",
                                                          "/i driver\\setup.msi")));
    fs::create_directory(e / "System Volume Information");
    hide(e / "System Volume Information");
    h.guard.start();
    h.host.advance(1500);  // no dialog is expected
    for (const char* kept : {"thesis.lnk", "Firefox.lnk", "broken.lnk", "命令提示符.lnk",
                             "安装驱动.lnk", "driver/setup.msi"}) {
        EXPECT_TRUE(fs::exists(e / kept)) << kept;
    }
}

// The next real-time pass shows the dialog with `path` as the only worm shortcut, and the
// dialog is left.
void expectTheNextPassToFindOnly(test::GuardHarness& h, const std::string& path) {
    h.host.expectModal("Form7", [path](ui::Form& f) {
        auto& dialog = static_cast<Form7&>(f);
        ASSERT_EQ(dialog.findings().shortcuts.size(), 1u);
        EXPECT_EQ(dialog.findings().shortcuts[0].path, path);
        dialog.Command3.click();
    });
    h.host.advance(1800);
    EXPECT_TRUE(h.host.allExpectationsMet());
}

TEST_F(ShortcutWormTest, LaterPassesFindAShortcutRewrittenOrNewlyStandingInForAHiddenFolder) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    writeFile(e / "docs" / "thesis.docx", "PK");
    writeFile(e / "PortableApps" / "firefox.exe", "MZ");
    writeFile(e / "thesis.lnk", makeShortcut(shortcutTo("E:\\docs\\thesis.docx")));
    writeFile(e / "Firefox.lnk", makeShortcut(shortcutTo("E:\\PortableApps\\firefox.exe")));
    h.guard.start();
    main().Ssms.click();   // real time: a pass every 1.8 s
    h.host.advance(1800);  // both the user's, and remembered so

    // A folder named like the program's shortcut, hidden: the shortcut now stands in for it.
    fs::create_directory(e / "Firefox");
    hide(e / "Firefox");
    expectTheNextPassToFindOnly(h, "e:\\Firefox.lnk");
    fs::remove(e / "Firefox");

    // The document's shortcut written over in place with a worm's command, the folder of
    // documents hidden.
    hide(e / "docs");
    writeFile(e / "thesis.lnk", makeShortcut(shortcutTo(kCmd, "/c start docs & x.exe")));
    expectTheNextPassToFindOnly(h, "e:\\thesis.lnk");
}

TEST_F(ShortcutWormTest, AnUnchangedToolShortcutIsAWormsOnceTheStickHidesTheUsersFolder) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    writeFile(e / "docs" / "thesis.docx", "PK");
    writeFile(e / "USB Drive.lnk", makeShortcut(shortcutTo(kCmd, "/c start docs & exit")));
    h.guard.start();
    main().Ssms.click();   // real time: a pass every 1.8 s
    h.host.advance(1800);  // nothing hidden, no program of the stick run: no worm's
    hide(e / "docs");
    expectTheNextPassToFindOnly(h, "e:\\USB Drive.lnk");
}

TEST_F(ShortcutWormTest, AWormsShortcutIsFoundStillAfterItsFolderWasShownAgain) {
    // The stick after the file browser's "全部还原": nothing hidden, the worm still there.
    fs::path e = plugDoubleUnderscoreStick();
    h.removalFiles.setDosAttributes(e / "__", 0);
    auto userFiles = contents(e / "__");
    userFiles.erase("DriveMgr.exe");
    h.guard.start();
    h.host.expectModal("Form7", [&](ui::Form& f) {
        auto& dialog = static_cast<Form7&>(f);
        EXPECT_EQ(dialog.findings().shortcuts.at(0).payloads,
                  std::vector<std::string>{"e:\\__\\DriveMgr.exe"});
        EXPECT_TRUE(dialog.findings().hiddenItems.empty());
        EXPECT_EQ(dialog.Label1.caption(),
                  "U盘根目录中的下列快捷方式会运行病毒。\r\n"
                  "“立即清除”删除这些快捷方式和它们运行的病毒文件（副本存入隔离区）。");
        h.host.expectMessageBox(notice(1, 1, 0), ui::MsgAnswer::Ok);
        dialog.Command1.click();
    });
    h.host.advance(1500);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_FALSE(fs::exists(e / "KINGSTON (8GB).lnk"));
    EXPECT_EQ(contents(e / "__"), userFiles);
}

TEST_F(ShortcutWormTest, ShortcutsNamingThousandsOfFilesAreTakenAsFarAsAPassKeeps) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    hiddenFolder(e, "__");
    std::string arguments = "/c start __";
    for (int i = 0; i < 300; ++i) {
        writeFile(e / ("p" + std::to_string(i)), "MZ");
        arguments += " p" + std::to_string(i);
    }
    for (int i = 0; i < 6; ++i) {
        writeFile(e / ("USB Drive " + std::to_string(i) + ".lnk"),
                  makeShortcut(shortcutTo(kCmd, arguments)));
    }
    h.guard.start();
    h.host.expectModal("Form7", [&](ui::Form& f) {
        auto& dialog = static_cast<Form7&>(f);
        const monitor::ShortcutWorm& found = dialog.findings();
        ASSERT_EQ(found.shortcuts.size(), 4u) << "each names 254 files, of the 256 names taken";
        EXPECT_EQ(found.shortcuts[0].payloads.size(), 254u);
        EXPECT_EQ(found.shortcuts[0].payloads.back(), "e:\\p253");
        EXPECT_TRUE(found.moreLeft);
        dialog.Command3.click();
    });
    h.host.advance(1500);
    EXPECT_TRUE(h.host.allExpectationsMet());
}

TEST_F(ShortcutWormTest, AStickOfManyLongWormShortcutsIsCleanedABatchAPassItsFolderShownLast) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    fs::path folder = hiddenFolder(e, "__");
    auto userFiles = contents(folder);
    writeFile(folder / "DriveMgr.exe", "MZ the worm");
    // Long ones first by name: each command is cut to what 64 KiB of a shortcut holds.
    for (int i = 0; i < 40; ++i) {
        writeFile(
            e / ("A long " + std::to_string(100 + i) + ".lnk"),
            makeShortcut(shortcutTo(kCmd, "/c start __\\DriveMgr.exe " + std::string(40000, 'x'))));
    }
    for (int i = 0; i < 120; ++i) {
        writeFile(e / ("USB Drive " + std::to_string(100 + i) + ".lnk"),
                  makeShortcut(shortcutTo(kCmd, "/c start __ & __\\DriveMgr.exe & exit")));
    }
    h.guard.start();
    h.host.expectModal("Form7", [&](ui::Form& f) {
        auto& dialog = static_cast<Form7&>(f);
        const monitor::ShortcutWorm& found = dialog.findings();
        std::size_t commandBytes = 0;
        for (const auto& shortcut : found.shortcuts) commandBytes += shortcut.command.size();
        EXPECT_GT(found.shortcuts.size(), 20u);
        EXPECT_LT(found.shortcuts.size(), 40u) << "as much of their commands as a pass keeps";
        EXPECT_LT(commandBytes, monitor::kMostCommandBytesPerPass + 40000);
        EXPECT_TRUE(found.moreLeft);
        EXPECT_TRUE(found.hiddenItems.empty()) << "the folder still tells the rest for a worm's";
        EXPECT_NE(dialog.Text1.text().find("U盘上还有快捷方式未检查"), std::string::npos);
        // Each command shown as far as a reader can follow it, and how long it is.
        EXPECT_LT(dialog.Text1.text().size(), found.shortcuts.size() * 1200);
        EXPECT_NE(dialog.Text1.text().find("xxx……xxx"), std::string::npos);
        EXPECT_NE(dialog.Text1.text().find("xxx（共 "), std::string::npos);
        dialog.Command3.click();
    });
    h.host.advance(1500);
    EXPECT_TRUE(h.host.allExpectationsMet());

    // Automatically, in real time: a batch at every pass, the folder shown with the last.
    main().Zdcl.setValue(1);
    main().Ssms.click();
    auto shortcutsLeft = [&] {
        return std::count_if(
            fs::directory_iterator(e), fs::directory_iterator(),
            [](const fs::directory_entry& entry) { return entry.path().extension() == ".lnk"; });
    };
    int passes = 0;
    for (; passes < 10 && shortcutsLeft() > 0; ++passes) {
        EXPECT_TRUE(hidden("e:\\__")) << "pass " << passes;
        h.host.advance(1800);
    }
    EXPECT_EQ(shortcutsLeft(), 0);
    EXPECT_GE(passes, 3) << "at most 100 in a pass";
    EXPECT_FALSE(hidden("e:\\__"));
    EXPECT_FALSE(fs::exists(folder / "DriveMgr.exe"));
    EXPECT_EQ(contents(folder), userFiles) << "the user's files, byte for byte";
}

TEST(HarmlessShortcutsTest, APassKeepsOnlyWhatItFoundWithTheStampItFoundAndNothingStampless) {
    monitor::HarmlessShortcuts harmless;
    const platform::StampedFile thesis{"thesis.lnk", {120, 7, 3}};
    harmless.remember(thesis);
    harmless.remember({"unlooked.lnk", {}});
    EXPECT_FALSE(harmless.unchanged(thesis)) << "not before the pass ends";
    harmless.passEnded();
    EXPECT_TRUE(harmless.unchanged(thesis));
    EXPECT_FALSE(harmless.unchanged({"unlooked.lnk", {}}));
    EXPECT_FALSE(harmless.unchanged({"thesis.lnk", {120, 8, 3}})) << "written since";
    EXPECT_FALSE(harmless.unchanged({"THESIS.lnk", {120, 7, 3}})) << "another file's name";

    harmless.passEnded();  // a pass that did not list it
    EXPECT_FALSE(harmless.unchanged(thesis));

    for (std::size_t i = 0; i <= monitor::HarmlessShortcuts::kMostRemembered; ++i) {
        harmless.remember({std::to_string(i) + ".lnk", {1, 1, 1}});
    }
    harmless.passEnded();
    EXPECT_TRUE(harmless.unchanged({"0.lnk", {1, 1, 1}}));
    EXPECT_FALSE(harmless.unchanged(
        {std::to_string(monitor::HarmlessShortcuts::kMostRemembered) + ".lnk", {1, 1, 1}}))
        << "past the most it keeps";
}

// A shortcut to a program on the stick is no worm's until the root hides an item named like
// it. A stick of thousands of them is judged again at every pass from what they said when
// they were read, not read again while unchanged.
TEST_F(ShortcutWormTest, AShortcutThatMayBeAWormsIsJudgedAgainWithoutBeingReadAgain) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    writeFile(e / "x.exe", "MZ");
    writeFile(e / "s.lnk", makeShortcut(shortcutTo("E:\\x.exe")));
    std::optional<platform::FolderListing> listing = h.files.listFolder("e:\\");
    ASSERT_TRUE(listing);
    monitor::HarmlessShortcuts remembered;
    EXPECT_FALSE(monitor::scanShortcuts("e:\\", *listing, h.files, remembered).found());

    fs::remove(e / "s.lnk");         // reading it again now would find nothing
    listing->hidden.push_back("s");  // and the root hides an item of its name
    monitor::ShortcutWorm worm = monitor::scanShortcuts("e:\\", *listing, h.files, remembered);
    ASSERT_EQ(worm.shortcuts.size(), 1u);
    EXPECT_EQ(worm.shortcuts[0].path, "e:\\s.lnk");
    EXPECT_EQ(worm.shortcuts[0].payloads, std::vector<std::string>{"e:\\x.exe"});

    // What they say is kept within a bound; beyond it they are read at each pass.
    monitor::HarmlessShortcuts bounded;
    worms::ShellLink large;
    large.arguments.assign(monitor::HarmlessShortcuts::kMostRememberedLinkBytes / 2 + 1, ' ');
    bounded.rememberLink({"a.lnk", {1, 1, 1}}, large);
    bounded.rememberLink({"b.lnk", {1, 1, 1}}, large);
    bounded.passEnded();
    EXPECT_NE(bounded.unchangedLink({"a.lnk", {1, 1, 1}}), nullptr);
    EXPECT_EQ(bounded.unchangedLink({"b.lnk", {1, 1, 1}}), nullptr);
    EXPECT_FALSE(bounded.unchanged({"a.lnk", {1, 1, 1}})) << "not harmless whatever is hidden";
}

TEST_F(ShortcutWormTest, AutomaticHandlingCleansUnaskedLogsAlwaysAndTellsWhatStayed) {
    main().Zdcl.setValue(1);
    main().Jlrz.setValue(0);
    fs::path e = plugDoubleUnderscoreStick();
    h.guard.start();
    h.host.advance(1500);
    EXPECT_FALSE(fs::exists(e / "KINGSTON (8GB).lnk"));
    EXPECT_FALSE(fs::exists(e / "__" / "DriveMgr.exe"));
    EXPECT_FALSE(hidden("e:\\__"));
    EXPECT_EQ(toast(), kToastDeleting);
    EXPECT_EQ(logRecords(), 2) << "logged whatever Jlrz says";
    h.host.advance(1200);
    EXPECT_EQ(toast(), kToastDeleted);

    // A payload another program holds stays, and the toast says so.
    fs::path f = plugDoubleUnderscoreStick('f');
    h.removalFiles.holdOpen(f / "__" / "DriveMgr.exe");
    h.host.advance(300);  // the next insertion check
    EXPECT_FALSE(fs::exists(f / "KINGSTON (8GB).lnk"));
    EXPECT_TRUE(fs::exists(f / "__" / "DriveMgr.exe"));
    EXPECT_FALSE(hidden("f:\\__"));
    EXPECT_EQ(toast(), kToastDeleteFailed);
}

TEST_F(ShortcutWormTest, ALockedPayloadIsNamedAndTheRestIsDone) {
    fs::path e = plugDoubleUnderscoreStick();
    h.removalFiles.holdOpen(e / "__" / "DriveMgr.exe");
    h.guard.start();
    h.host.expectModal("Form7", [&](ui::Form& f) {
        h.host.expectMessageBox(notice(1, 0, 1) +
                                    "\r\n未能删除以下文件：\r\ne:\\__\\DriveMgr.exe："
                                    "另一个程序正在使用此文件，进程无法访问。",
                                ui::MsgAnswer::Ok);
        static_cast<Form7&>(f).Command1.click();
    });
    h.host.advance(1500);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_TRUE(fs::exists(e / "__" / "DriveMgr.exe"));
    EXPECT_FALSE(fs::exists(e / "KINGSTON (8GB).lnk"));
    EXPECT_FALSE(hidden("e:\\__"));
}

TEST_F(ShortcutWormTest, IgnoringOrLeavingTheDriveChangesNothingOnIt) {
    fs::path e = plugDoubleUnderscoreStick();
    h.guard.start();
    main().Ssms.click();  // real time: a pass every 1.8 s
    h.host.expectModal("Form7", [](ui::Form& f) { static_cast<Form7&>(f).Command3.click(); });
    h.host.advance(1800);
    h.host.expectModal("Form7", [](ui::Form& f) { static_cast<Form7&>(f).Command2.click(); });
    h.host.advance(1800);
    EXPECT_TRUE(h.host.allExpectationsMet()) << "left alone, it is found again";
    EXPECT_EQ(main().Yhl.text(), "e");
    h.host.advance(1800 * 3);  // ignored from now on
    EXPECT_TRUE(fs::exists(e / "KINGSTON (8GB).lnk"));
    EXPECT_TRUE(hidden("e:\\__"));
    EXPECT_FALSE(fs::exists(h.quarantineFolder()));
}

TEST(ShortcutWormTextTest, ALongCommandShowsItsStartAndItsEnd) {
    monitor::ShortcutWorm worm;
    worm.root = "e:\\";
    std::string padding;
    for (int i = 0; i < 5000; ++i) padding += i % 2 ? '\t' : ' ';  // each shown as a code
    worm.shortcuts.push_back(
        {"e:\\USB.lnk", kCmd + " /c start __" + padding + "& __\\DriveMgr.exe", {}});
    const std::string text = shortcutWormText(worm);
    EXPECT_NE(text.find("cmd.exe /c start __"), std::string::npos);
    EXPECT_NE(text.find("& __\\DriveMgr.exe（共 5056 个字符）"), std::string::npos) << text;
    EXPECT_LT(text.size(), 1500u);
}

TEST_F(ShortcutWormTest, AUsbDiskThatCallsItselfFixedIsScannedForShortcutsOnly) {
    fs::path u = h.addDrive('u', DriveType::Fixed);
    hiddenFolder(u, "__");
    writeFile(u / "KINGSTON (8GB).lnk", makeShortcut(shortcutTo(kCmd, "/c start __")));
    writeFile(u / "autorun.inf", "open=x.exe\r\n");
    fs::create_directory(u / "docs");
    writeFile(u / "docs.exe", "MZ");
    main().Jcbdyp.setValue(0);  // the fixed disks' own option: no autorun.inf dialog
    main().Zdcl.setValue(1);    // nor automatic removal of it, which is a stick's
    h.guard.start();
    h.host.advance(1500);
    EXPECT_TRUE(fs::exists(u / "KINGSTON (8GB).lnk")) << "a fixed disk on another bus";

    // Plugged in again under the same letter, now a disk on a USB bus: Windows announces
    // the volume, and what was known of drive u is asked afresh.
    h.files.setOnUsbBus('u', true);
    h.guard.volumeArrived(1u << ('u' - 'a'));
    h.guard.form1().Ssms.click();
    h.host.advance(1800);
    EXPECT_FALSE(fs::exists(u / "KINGSTON (8GB).lnk")) << "cleaned as a stick's, automatically";
    EXPECT_FALSE(hidden("u:\\__"));
    EXPECT_TRUE(fs::exists(u / "autorun.inf"));
    EXPECT_TRUE(fs::exists(u / "docs.exe")) << "no look-alike scan on a fixed disk";

    // The drive Windows runs from is no stick, whatever its bus.
    fs::path c = h.temp.path() / "c";
    hiddenFolder(c, "__");
    writeFile(c / "USB Drive.lnk", makeShortcut(shortcutTo(kCmd, "/c start __")));
    h.files.setOnUsbBus('c', true);
    h.guard.volumeArrived(1u << ('c' - 'a'));
    h.host.advance(1800);
    EXPECT_TRUE(fs::exists(c / "USB Drive.lnk"));
    EXPECT_TRUE(hidden("c:\\__"));
}

TEST_F(ShortcutWormTest, TheDialogComesLastAndOnlyWhereTheLookAlikeScanRuns) {
    fs::path e = plugDoubleUnderscoreStick();
    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    fs::create_directory(e / "docs");
    writeFile(e / "docs.exe", "MZ");
    h.guard.start();
    std::vector<std::string> order;
    h.host.expectModal("Form2", [&](ui::Form& f) {
        order.push_back("Form2");
        static_cast<Form2&>(f).Ljsc.click();
    });
    h.host.expectModal("Form5", [&](ui::Form& f) {
        order.push_back("Form5");
        static_cast<Form5&>(f).Command3.click();
    });
    h.host.expectModal("Form7", [&](ui::Form& f) {
        order.push_back("Form7");
        // The monitor waits in this dialog: ticks falling due start no second pass.
        h.host.advance(10000);
        static_cast<Form7&>(f).Command3.click();
    });
    h.host.advance(1500);
    EXPECT_EQ(order, (std::vector<std::string>{"Form2", "Form5", "Form7"}));

    // "关闭U盘文件扫描" in the list dialog ends the shortcut scan of that same pass.
    main().Ssms.click();
    h.host.expectModal("Form5", [](ui::Form& f) { static_cast<Form5&>(f).Command2.click(); });
    h.host.advance(1800);
    EXPECT_TRUE(h.host.allExpectationsMet());
    h.host.advance(1800 * 2);
    EXPECT_TRUE(fs::exists(e / "KINGSTON (8GB).lnk"));
}

}  // namespace
}  // namespace qv
