// The two threat dialogs on drives made of temporary folders: the threat dialog's reading,
// countdown, deletion, ignore answer and log records, its refusal to follow a crafted name
// off the drive, and the suspicious-file dialog's four buttons.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "guard/main_window/Form1.h"
#include "guard/monitor/Form2.h"
#include "guard/monitor/Form5.h"
#include "guard/monitor/Form7.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GuardHarness.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using platform::DriveType;
using test::readFile;
using test::writeFile;

void makeReadOnly(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

// "成功删除" and the two em dashes in GBK.
const std::string kDeletedGbk = "\xB3\xC9\xB9\xA6\xC9\xBE\xB3\xFD";
const std::string kDashesGbk = "\xA1\xAA\xA1\xAA";

std::string gbkRecord(const std::string& path) {
    return kDeletedGbk + path + "    " + kDashesGbk + "2026/12/8 14:03:59\r\n";
}

class ThreatDialogTest : public ::testing::Test {
protected:
    ThreatDialogTest() {
        h.guard.start();
        // Only the dialogs' own timers run here, not the monitor's.
        h.guard.form1().Uptip.setEnabled(false);
        e = h.addDrive('e', DriveType::Removable);
    }

    fs::path logFile() const { return h.currentDirectory() / "Rz.log"; }
    std::string log() const { return fs::exists(logFile()) ? readFile(logFile()) : ""; }

    // Opens the threat dialog for e:\autorun.inf; `answer` plays the user.
    void openThreatDialog(std::function<void(Form2&)> answer) {
        h.host.expectModal("Form2", [answer](ui::Form& f) { answer(static_cast<Form2&>(f)); });
        h.guard.monitorWindows().showThreatDialog("e:\\autorun.inf");
        EXPECT_FALSE(h.guard.monitorWindows().form2Loaded()) << "every answer closes the dialog";
    }

    test::GuardHarness h;
    fs::path e;
};

TEST_F(ThreatDialogTest, DeleteNowRemovesTheFileThenItsProgramAndLogsBothInThatOrder) {
    h.guard.form1().Mrgl.setValue(1);
    writeFile(e / "autorun.inf", "[autorun]\r\nopen=setup.exe\r\nicon=setup.exe\r\n");
    writeFile(e / "setup.exe", "MZ");

    openThreatDialog([](Form2& d) {
        EXPECT_EQ(d.Szwz.text(), "e:\\autorun.inf");
        EXPECT_EQ(d.Glwj.text(), "setup.exe");
        EXPECT_TRUE(d.scwj.visible());
        EXPECT_TRUE(d.scwj.ticked()) << "ticked by the associated-file default";
        EXPECT_EQ(d.Jstxt.text(), "30");
        d.Ljsc.click();
    });

    EXPECT_FALSE(fs::exists(e / "autorun.inf"));
    EXPECT_FALSE(fs::exists(e / "setup.exe"));
    EXPECT_EQ(log(), gbkRecord("e:\\autorun.inf") + gbkRecord("e:\\setup.exe"));
}

TEST_F(ThreatDialogTest, DeleteNowLogsWhatWentAndNamesWhatStayedBeforeItCloses) {
    enum class Mark { None, WormAttributes, HeldOpen };
    struct Case {
        const char* name;
        bool alsoProgram;
        bool keepLog;
        Mark autorun, program;
        bool autorunGone, programGone;
        int records;
    };
    const Case cases[] = {
        {"file only, log on", false, true, Mark::None, Mark::None, true, false, 1},
        {"both, log off", true, false, Mark::None, Mark::None, true, true, 0},
        {"both read-only, hidden and system", true, true, Mark::WormAttributes,
         Mark::WormAttributes, true, true, 2},
        {"the file held by another program", true, true, Mark::HeldOpen, Mark::None, false, true,
         1},
        {"the program held by another program", true, true, Mark::None, Mark::HeldOpen, true, false,
         1},
    };
    const std::string held = "另一个程序正在使用此文件，进程无法访问。";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(e);
        fs::remove_all(h.quarantineFolder());
        fs::remove(logFile());
        writeFile(e / "autorun.inf", "open=run.exe\r\n");
        writeFile(e / "run.exe", "MZ");
        for (auto [mark, file] :
             {std::pair{c.autorun, e / "autorun.inf"}, std::pair{c.program, e / "run.exe"}}) {
            h.removalFiles.release(file);
            if (mark == Mark::WormAttributes) {
                makeReadOnly(file);
                h.removalFiles.setDosAttributes(file, removal::kHidden | removal::kSystem);
            }
            if (mark == Mark::HeldOpen) h.removalFiles.holdOpen(file);
        }
        h.guard.form1().Jlrz.setValue(c.keepLog ? 1 : 0);
        std::string stayed = !c.autorunGone                    ? "e:\\autorun.inf"
                             : !c.programGone && c.alsoProgram ? "e:\\run.exe"
                                                               : "";
        if (!stayed.empty()) {
            h.host.expectMessageBox("未能删除以下文件：\r\n" + stayed + "：" + held,
                                    ui::MsgAnswer::Ok);
        }

        openThreatDialog([&](Form2& d) {
            d.scwj.setValue(c.alsoProgram ? 1 : 0);
            d.Ljsc.click();
        });

        EXPECT_TRUE(h.host.allExpectationsMet());
        if (!stayed.empty()) {
            EXPECT_EQ(h.host.boxes().back().title, "错误");
        }
        EXPECT_EQ(!fs::exists(e / "autorun.inf"), c.autorunGone);
        EXPECT_EQ(!fs::exists(e / "run.exe"), c.programGone);
        std::string lines = log();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), c.records);
        int removed = c.autorunGone + (c.alsoProgram && c.programGone);
        EXPECT_EQ(
            std::distance(fs::directory_iterator(h.quarantineFolder()), fs::directory_iterator()),
            removed)
            << "a copy of each file that went, of no other";
    }
}

TEST_F(ThreatDialogTest, WithoutAnOpenLineOrAnExecuteKeyTheProgramIsUnknownAndNeverDeleted) {
    h.guard.form1().Mrgl.setValue(1);
    for (const char* text :
         {"[autorun]\r\nOPEN=setup.exe\r\n", "[autorun]\r\n open=setup.exe", "open=\r\n"}) {
        SCOPED_TRACE(text);
        writeFile(e / "autorun.inf", text);
        writeFile(e / "setup.exe", "MZ");
        openThreatDialog([](Form2& d) {
            EXPECT_EQ(d.Glwj.text(), "无法获取");
            EXPECT_FALSE(d.scwj.visible());
            d.Ljsc.click();
        });
        EXPECT_FALSE(fs::exists(e / "autorun.inf"));
        EXPECT_TRUE(fs::exists(e / "setup.exe"));
    }
    // A folder standing where the file was read gives nothing to read either.
    fs::create_directory(e / "autorun.inf");
    openThreatDialog([](Form2& d) {
        EXPECT_EQ(d.Glwj.text(), "无法获取");
        d.Hl.click();
    });
}

TEST_F(ThreatDialogTest, WithoutAnOpenLineTheExecuteKeysNameTheProgramAndItsFilesOnTheStick) {
    h.guard.form1().Mrgl.setValue(1);
    const std::string command = "RuNdLl32.EXE .\\RECYCLER\\S-5-3-42\\jwgkvsq.vmx,ahaezedrn";
    writeFile(e / "autorun.inf",
              "[AutoRun\nicon=%SystemRoot%\\system32\\SHELL32.dll,4\n"
              "shell\\open\\command=" +
                  command + "\nshellexecute=" + command + "\n");
    writeFile(e / "RECYCLER" / "S-5-3-42" / "jwgkvsq.vmx", "MZ payload");
    writeFile(e / "ahaezedrn.txt", "the user's own");
    openThreatDialog([&](Form2& d) {
        EXPECT_EQ(d.Glwj.text(), command) << "the whole command";
        EXPECT_TRUE(d.scwj.visible());
        d.Ljsc.click();
    });
    EXPECT_FALSE(fs::exists(e / "autorun.inf"));
    EXPECT_FALSE(fs::exists(e / "RECYCLER" / "S-5-3-42" / "jwgkvsq.vmx"));
    EXPECT_TRUE(fs::exists(e / "ahaezedrn.txt"));
    EXPECT_EQ(log(),
              gbkRecord("e:\\autorun.inf") + gbkRecord("e:\\RECYCLER\\S-5-3-42\\jwgkvsq.vmx"));

    // A command that names nothing on the stick offers nothing to delete.
    writeFile(e / "autorun.inf", "[autorun]\r\nshellexecute=cmd.exe /c start gone.exe\r\n");
    openThreatDialog([](Form2& d) {
        EXPECT_EQ(d.Glwj.text(), "cmd.exe /c start gone.exe");
        EXPECT_FALSE(d.scwj.visible());
        d.Hl.click();
    });

    // Where a line begins with open=, it alone counts, as it always has.
    writeFile(e / "autorun.inf", "[autorun]\r\nopen=setup.exe /auto\r\nshellexecute=setup.exe\r\n");
    writeFile(e / "setup.exe", "MZ");
    openThreatDialog([](Form2& d) {
        EXPECT_EQ(d.Glwj.text(), "setup.exe /auto");
        EXPECT_FALSE(d.scwj.visible()) << "\"setup.exe /auto\" is no file";
        d.Ljsc.click();
    });
    EXPECT_TRUE(fs::exists(e / "setup.exe"));
}

TEST_F(ThreatDialogTest, TheCountdownDeletesOnTheTickThatFindsZeroOnlyWithTimeOutHandling) {
    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    openThreatDialog([this](Form2& d) {
        h.host.advance(1000);
        EXPECT_EQ(d.Jstxt.text(), "29");
        h.host.advance(29000);
        EXPECT_EQ(d.Jstxt.text(), "0");
        EXPECT_TRUE(fs::exists(e / "autorun.inf")) << "0 is shown for a whole second";
        h.host.advance(1000);
    });
    EXPECT_FALSE(fs::exists(e / "autorun.inf"));
    EXPECT_EQ(log(), gbkRecord("e:\\autorun.inf"));

    // The next opening starts afresh; without time-out handling it waits for the user.
    h.guard.form1().Cscl.setValue(0);
    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    openThreatDialog([this](Form2& d) {
        EXPECT_EQ(d.Jstxt.text(), "30");
        h.host.advance(120000);
        EXPECT_EQ(d.Jstxt.text(), "30");
        EXPECT_TRUE(fs::exists(e / "autorun.inf"));
        d.Hl.click();
    });
    EXPECT_TRUE(fs::exists(e / "autorun.inf"));
}

TEST_F(ThreatDialogTest, IgnoreAppendsTheDriveLetterEvenWhenItIsListedAlready) {
    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    h.guard.form1().Yhl.setText("fe");
    openThreatDialog([](Form2& d) { d.Hl.click(); });
    EXPECT_EQ(h.guard.form1().Yhl.text(), "fee");
    EXPECT_TRUE(fs::exists(e / "autorun.inf"));
    EXPECT_EQ(log(), "");
}

TEST_F(ThreatDialogTest, ANameThatLeadsOffTheDriveDeletesNothingOutsideIt) {
    fs::path c = h.temp.path() / "c";
    fs::path outside = h.temp.path() / "outside";
    writeFile(c / "sentinel.txt", "keep");
    writeFile(outside / "sentinel.txt", "keep");
    fs::create_directory_symlink(outside, e / "linked");
    fs::create_symlink(outside / "sentinel.txt", e / "alias.exe");
    writeFile(e / "real.exe", "MZ");
    fs::create_symlink(e / "real.exe", e / "inside.exe");  // a link that stays on the drive
    h.guard.form1().Mrgl.setValue(1);

    for (const char* name : {"..\\outside\\sentinel.txt", "..\\..\\outside\\sentinel.txt",
                             "c:\\sentinel.txt", "\\\\?\\c:\\sentinel.txt", "linked\\sentinel.txt",
                             "alias.exe", "inside.exe", "con", "sentinel.txt:stream", "*.txt"}) {
        SCOPED_TRACE(name);
        fs::remove(logFile());
        writeFile(e / "autorun.inf", std::string("open=") + name + "\r\n");
        openThreatDialog([&](Form2& d) {
            EXPECT_EQ(d.Glwj.text(), name) << "the dialog still shows what the file says";
            EXPECT_FALSE(d.scwj.visible()) << "but offers nothing it would not remove";
            d.Ljsc.click();
        });
        EXPECT_FALSE(fs::exists(e / "autorun.inf"));
        EXPECT_EQ(readFile(c / "sentinel.txt"), "keep");
        EXPECT_EQ(readFile(outside / "sentinel.txt"), "keep");
        EXPECT_TRUE(fs::is_symlink(e / "alias.exe"));
        EXPECT_TRUE(fs::is_symlink(e / "inside.exe"));
        EXPECT_EQ(readFile(e / "real.exe"), "MZ");
        EXPECT_EQ(log(), gbkRecord("e:\\autorun.inf"));
    }
}

TEST_F(ThreatDialogTest, AHugeFileWithoutLineBreaksIsReadOnlyAtItsStart) {
    writeFile(e / "autorun.inf", std::string(3u << 20, 'x') + "\r\nopen=late.exe\r\n");
    openThreatDialog([](Form2& d) {
        EXPECT_EQ(d.Glwj.text(), "无法获取") << "the line lies past the first megabyte";
        d.Ljsc.click();
    });
    EXPECT_FALSE(fs::exists(e / "autorun.inf"));
}

TEST_F(ThreatDialogTest, BothDialogsPutThemselvesOnTopWhenPainted) {
    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    openThreatDialog([](Form2& d) {
        d.paint();
        d.Hl.click();
    });
    Form5& list = h.guard.monitorWindows().form5();
    list.paint();
    EXPECT_EQ(h.host.topmostRequests(), (std::vector<std::string>{"Form2", "Form5"}));
}

TEST_F(ThreatDialogTest, ADialogWhoseStickWasSwappedForAnotherTouchesNothingOnIt) {
    // While a dialog waits, its stick is pulled out and the user's own is plugged in under
    // the same letter, holding files of the same names.
    writeFile(e / "autorun.inf", "open=setup.exe\r\n");
    fs::path own = h.temp.path() / "own stick";
    for (const char* name : {"autorun.inf", "setup.exe", "docs.exe", "USB.lnk"}) {
        writeFile(own / name, "the user's");
    }
    fs::create_directory(own / "docs");
    auto swapSticks = [&] {
        h.files.removeDrive('e');
        h.files.addDrive('e', DriveType::Removable, own);
    };
    auto expectTold = [&] {
        h.host.expectMessageBox(monitor::kDriveChangedText, ui::MsgAnswer::Ok);
    };

    h.guard.form1().Mrgl.setValue(1);
    openThreatDialog([&](Form2& d) {
        swapSticks();
        expectTold();
        h.host.advance(31000);  // the countdown runs out
        EXPECT_TRUE(h.host.allExpectationsMet());
        (void)d;
    });

    // The list the monitor's pass fills for a look-alike.
    h.files.removeDrive('e');
    h.files.addDrive('e', DriveType::Removable, e);
    fs::remove(e / "autorun.inf");
    fs::create_directory(e / "docs");
    writeFile(e / "docs.exe", "MZ the worm");
    h.host.expectModal("Form5", [&](ui::Form& f) {
        EXPECT_EQ(static_cast<Form5&>(f).List1.items(), std::vector<std::string>{"e:\\docs.exe"});
        swapSticks();
        expectTold();
        static_cast<Form5&>(f).Command4.click();
    });
    h.guard.monitor().tick();

    h.files.removeDrive('e');
    h.files.addDrive('e', DriveType::Removable, e);
    monitor::ShortcutWorm worm;
    worm.root = "e:\\";
    worm.shortcuts.push_back(
        {"e:\\USB.lnk", "cmd.exe /c start docs & setup.exe", {"e:\\setup.exe"}});
    worm.hiddenItems.push_back("e:\\docs");
    h.host.expectModal("Form7", [&](ui::Form& f) {
        swapSticks();
        expectTold();
        static_cast<Form7&>(f).Command1.click();
    });
    h.guard.monitorWindows().showShortcutWorm(worm);

    EXPECT_TRUE(h.host.allExpectationsMet());
    for (const char* name : {"autorun.inf", "setup.exe", "docs.exe", "USB.lnk"}) {
        EXPECT_EQ(readFile(own / name), "the user's") << name;
    }
    EXPECT_FALSE(fs::exists(h.quarantineFolder())) << "nothing was taken";
    EXPECT_EQ(log(), "");
}

class SuspiciousFilesTest : public ThreatDialogTest {
protected:
    SuspiciousFilesTest() {
        for (const char* name : {"docs.exe", "music.exe", "photos.com"}) writeFile(e / name, "MZ");
    }

    // Fills the list as the scan does, then opens it; `answer` plays the user.
    void openList(std::function<void(Form5&)> answer) {
        Form5& dialog = h.guard.monitorWindows().form5();
        dialog.Dir1.setPath("e:\\");
        for (const char* path : {"e:\\docs.exe", "e:\\music.exe", "e:\\photos.com"}) {
            dialog.List1.addItem(path);
        }
        h.host.expectModal("Form5", [answer](ui::Form& f) { answer(static_cast<Form5&>(f)); });
        h.guard.monitorWindows().showSuspiciousFiles();
        EXPECT_FALSE(h.guard.monitorWindows().form5Loaded())
            << "the dialog closed and its list with it";
    }
};

const std::string kMusicHeld =
    "未能删除以下文件：\r\ne:\\music.exe：另一个程序正在使用此文件，进程无法访问。";

TEST_F(SuspiciousFilesTest, DeleteFileTakesALineOnlyOnceItsFileIsGone) {
    makeReadOnly(e / "docs.exe");
    h.removalFiles.holdOpen(e / "music.exe");
    openList([this](Form5& d) {
        d.Command1.click();
        EXPECT_EQ(d.List1.listCount(), 3) << "nothing selected, nothing done";
        d.List1.setListIndex(1);
        h.host.expectMessageBox(kMusicHeld, ui::MsgAnswer::Ok);
        d.Command1.click();
        EXPECT_TRUE(h.host.allExpectationsMet());
        EXPECT_EQ(h.host.boxes().back().title, "错误");
        EXPECT_TRUE(fs::exists(e / "music.exe"));
        EXPECT_EQ(d.List1.listCount(), 3) << "the line stays with its file";
        d.List1.setListIndex(0);
        d.Command1.click();
        EXPECT_FALSE(fs::exists(e / "docs.exe")) << "read-only is no obstacle";
        d.List1.setListIndex(1);
        d.Command1.click();
        EXPECT_EQ(d.List1.items(), std::vector<std::string>{"e:\\music.exe"});
        EXPECT_TRUE(h.guard.monitorWindows().form5Loaded());
        h.removalFiles.release(e / "music.exe");
        d.List1.setListIndex(0);
        d.Command1.click();
    });
    for (const char* name : {"docs.exe", "music.exe", "photos.com"}) {
        EXPECT_FALSE(fs::exists(e / name)) << name;
    }
    EXPECT_EQ(log(), "") << "this dialog keeps no log";
}

TEST_F(SuspiciousFilesTest, DeleteAllClosesOnlyWhenEveryFileWentAndNamesThoseThatStayed) {
    h.removalFiles.holdOpen(e / "music.exe");
    openList([this](Form5& d) {
        h.host.expectMessageBox(kMusicHeld, ui::MsgAnswer::Ok);
        d.Command4.click();
        EXPECT_TRUE(h.host.allExpectationsMet());
        EXPECT_EQ(d.List1.items(), std::vector<std::string>{"e:\\music.exe"});
        EXPECT_FALSE(fs::exists(e / "docs.exe"));
        EXPECT_FALSE(fs::exists(e / "photos.com"));
        h.removalFiles.release(e / "music.exe");
        d.Command4.click();
    });
    EXPECT_FALSE(fs::exists(e / "music.exe"));
    EXPECT_EQ(log(), "");
}

TEST_F(SuspiciousFilesTest, LeavingThemOrTurningTheScanOffDeletesNothing) {
    openList([](Form5& d) { d.Command3.click(); });
    EXPECT_EQ(h.guard.form1().Upcrsm.value(), 1);
    openList([](Form5& d) { d.Command2.click(); });
    EXPECT_EQ(h.guard.form1().Upcrsm.value(), 0);
    for (const char* name : {"docs.exe", "music.exe", "photos.com"}) {
        EXPECT_TRUE(fs::exists(e / name)) << name;
    }
}

TEST_F(SuspiciousFilesTest, AnEmptyListIsNeverShown) {
    h.guard.monitorWindows().form5().Dir1.setPath("e:\\");
    h.guard.monitorWindows().showSuspiciousFiles();  // no modal expected
    EXPECT_TRUE(h.guard.monitorWindows().form5Loaded());
}

}  // namespace
}  // namespace qv
