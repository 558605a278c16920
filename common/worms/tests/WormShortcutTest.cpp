// The worm-shortcut rule on the shapes today's stick worms leave, and on the user's own
// shortcuts, which it must leave alone.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/worms/DriveNames.h"
#include "common/worms/WormShortcut.h"
#include "common/worms/tests/ShortcutMaker.h"

namespace qv::worms {
namespace {

using test::makeShortcut;
using test::ShortcutSpec;

std::optional<std::string> verdict(const ShortcutSpec& spec, std::string_view name,
                                   const HiddenNames& hidden) {
    auto link =
        readShellLink(makeShortcut(spec), [](std::string_view b) { return std::string(b); });
    if (!link) return std::string("(not a shortcut)");
    return wormTarget(*link, name, "e:\\", hidden);
}

TEST(WormShortcutTest, AShortcutThatStartsASystemToolIsAWormsWhereverTheToolLies) {
    HiddenNames none;  // (the name: whatever the shortcut is called, while the root hides)
    none.add("__");
    for (const char* target :
         {"C:\\WINDOWS\\system32\\cmd.exe", "C:\\Windows\\System32\\RUNDLL32.EXE",
          "C:\\Windows\\SysWOW64\\wscript.exe", "D:\\tools\\cscript.exe",
          "C:\\Windows\\System32\\mshta.exe",
          "C:\\Windows\\System32\\WindowsPowerShell\\v1.0\\powershell.exe",
          "C:\\Windows\\System32\\msiexec.exe", "C:\\Windows\\System32\\regsvr32.exe",
          "C:\\Windows\\System32\\conhost.exe", "C:\\Windows\\System32\\forfiles.exe",
          "C:\\Windows\\System32\\pcalua.exe", "C:\\Program Files\\PowerShell\\7\\pwsh.exe",
          "C:\\Windows\\System32\\cmd.exe. "}) {
        EXPECT_EQ(verdict(test::shortcutTo(target, "x"), "USB Drive.lnk", none), target);
    }
    // Only the environment block names the tool; the ID list names a harmless file.
    ShortcutSpec decoy = test::shortcutTo("C:\\Users\\me\\Documents\\notes.txt");
    decoy.environmentTarget = "%ComSpec%";
    EXPECT_EQ(verdict(decoy, "notes.lnk", none), "%ComSpec%");
    EXPECT_EQ(verdict(test::shortcutTo("C:\\Windows\\System32\\cmd.exe.txt"), "a.lnk", none),
              std::nullopt);
    EXPECT_EQ(verdict(test::shortcutTo("C:\\Windows\\System32\\xcmd.exe"), "a.lnk", none),
              std::nullopt);
}

TEST(WormShortcutTest, AShortcutToASystemToolOnAStickThatHidesNothingIsTheUsers) {
    // An administrator's stick: his shortcuts to tools, nothing hidden but what the system
    // keeps hidden in every root, and the immunisation folder.
    HiddenNames systemOnly;
    for (const char* name : {"System Volume Information", "$RECYCLE.BIN", "AUTORUN.INF",
                             "desktop.ini", "Thumbs.db", "FOUND.000", "FOUND.417", ".Trashes",
                             ".fseventsd", ".Spotlight-V100", ".DS_Store", "._report.docx"}) {
        systemOnly.add(name);
    }
    for (const char* name : {"FOUND.00", "FOUND.0001", "FOUND.abc", "found", "RECYCLER"}) {
        HiddenNames one;
        one.add(name);
        EXPECT_TRUE(one.hidesUsersItems()) << name;
    }
    for (const char* target :
         {"C:\\Windows\\System32\\cmd.exe", "C:\\Windows\\System32\\msiexec.exe",
          "C:\\Windows\\System32\\rundll32.exe",
          "C:\\Windows\\System32\\WindowsPowerShell\\v1.0\\powershell.exe"}) {
        EXPECT_EQ(
            verdict(test::shortcutTo(target, "/i driver\\setup.msi"), "安装驱动.lnk", systemOnly),
            std::nullopt)
            << target;
        HiddenNames hiding = systemOnly;
        hiding.add("资料");
        EXPECT_EQ(verdict(test::shortcutTo(target, "x"), "安装驱动.lnk", hiding), target)
            << "once the stick hides the user's folder";
    }
}

TEST(WormShortcutTest, AShortcutThatOpensARootFolderAndRunsAProgramStaysAWormsOnceShown) {
    // The stick after its hidden items were shown again, the worm's shortcuts still there.
    const std::set<std::string> folders = {"__", "docs", "driver", "tools", "backup"};
    const RootFolderTest isRootFolder = [&](std::string_view name) {
        return folders.contains(foldedName(name));
    };
    auto link = [](const char* arguments) {
        return *readShellLink(
            makeShortcut(test::shortcutTo("C:\\Windows\\System32\\cmd.exe", arguments)),
            [](std::string_view b) { return std::string(b); });
    };
    auto judged = [&](const char* arguments) {
        return wormTarget(link(arguments), "USB Drive.lnk", "e:\\", HiddenNames{}, isRootFolder)
            .has_value();
    };
    EXPECT_TRUE(judged("/c start __ & __\\DriveMgr.exe & exit"));
    EXPECT_TRUE(judged("/c start %cd%RECYCLER\\x.exe && %windir%\\explorer.exe %cd%docs"));
    EXPECT_TRUE(judged("/c start sysinfo.vbs & start explorer \"DOCS\" & exit"));
    EXPECT_TRUE(judged("/c start \"\" __ & start /b __\\DriveMgr.exe"));

    EXPECT_FALSE(judged("/c start __ & __\\report.docx")) << "a document";
    EXPECT_FALSE(judged("/c start nothere & __\\DriveMgr.exe")) << "no folder of the root";
    EXPECT_FALSE(judged("/i driver\\setup.msi")) << "a program in a folder opens none";
    EXPECT_FALSE(judged("/k cd tools"));
    // A folder named beside a program of the stick is no folder opened for the user.
    EXPECT_FALSE(judged("/c cd tools && app.exe"));
    EXPECT_FALSE(judged("-File scripts\\backup.ps1 -Dest backup"));
    EXPECT_FALSE(judged("sync.vbs docs"));
    EXPECT_FALSE(
        wormTarget(link("/c start __ & __\\DriveMgr.exe"), "USB Drive.lnk", "e:\\", HiddenNames{}))
        << "judged by what the root hides alone when its folders are not asked";
}

TEST(WormShortcutTest, AProgramOnTheStickCountsOnlyBesideAHiddenTwin) {
    HiddenNames hidden;
    hidden.add("Photos");
    hidden.add("report.doc");
    ShortcutSpec onStick = test::shortcutTo("E:\\__\\DriveMgr.exe");
    EXPECT_EQ(verdict(onStick, "photos.LNK", hidden), "E:\\__\\DriveMgr.exe");
    EXPECT_EQ(verdict(onStick, "music.lnk", hidden), std::nullopt) << "no hidden twin";
    ShortcutSpec relative;
    relative.idList = relative.linkInfo = false;
    relative.relativePath = ".\\RECYCLER\\x.vbs";
    EXPECT_EQ(verdict(relative, "report.doc.lnk", hidden), ".\\RECYCLER\\x.vbs");

    // Executables elsewhere, documents and folders on the stick are no payload to a twin.
    EXPECT_EQ(verdict(test::shortcutTo("F:\\__\\DriveMgr.exe"), "photos.lnk", hidden), std::nullopt)
        << "another drive";
    EXPECT_EQ(verdict(test::shortcutTo("E:\\Photos\\holiday.jpg"), "photos.lnk", hidden),
              std::nullopt);
    EXPECT_EQ(verdict(test::shortcutTo("E:\\Photos"), "photos.lnk", hidden), std::nullopt);
    ShortcutSpec leaving;
    leaving.idList = leaving.linkInfo = false;
    leaving.relativePath = "..\\evil.exe";
    EXPECT_EQ(verdict(leaving, "photos.lnk", hidden), std::nullopt) << "leaves the drive";
}

TEST(WormShortcutTest, TheUsersOwnShortcutsAreLeftAlone) {
    HiddenNames hidden;
    hidden.add("System Volume Information");
    EXPECT_EQ(verdict(test::shortcutTo("E:\\docs\\thesis.docx"), "thesis.lnk", hidden),
              std::nullopt);
    EXPECT_EQ(
        verdict(test::shortcutTo("E:\\PortableApps\\Firefox\\firefox.exe"), "Firefox.lnk", hidden),
        std::nullopt);
    EXPECT_EQ(
        verdict(test::shortcutTo("C:\\Program Files\\Office\\winword.exe"), "Word.lnk", hidden),
        std::nullopt);
}

TEST(WormShortcutTest, TheCommandShowsTheTargetQuotedWhenItHoldsABlank) {
    EXPECT_EQ(shortcutCommand("C:\\Windows\\system32\\cmd.exe", "/c start __"),
              "C:\\Windows\\system32\\cmd.exe /c start __");
    EXPECT_EQ(shortcutCommand("E:\\my tools\\x.exe", ""), "\"E:\\my tools\\x.exe\"");
}

}  // namespace
}  // namespace qv::worms
