// The guard's main loop on drives made of temporary folders: the insertion check and its
// toast, the monitor pass over each kind of drive, one scan at a time, the look-alike scan,
// the score and its switches, and the protection settings file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "guard/main_window/Form1.h"
#include "guard/monitor/Form2.h"
#include "guard/monitor/Form5.h"
#include "guard/monitor/Tips.h"
#include "guard/shell/Form3.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GuardHarness.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using platform::DriveType;
using test::readFile;
using test::writeFile;

int lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class MonitorTest : public ::testing::Test {
protected:
    Form1& main() { return h.guard.form1(); }
    std::string log() const {
        fs::path file = h.currentDirectory() / "Rz.log";
        return fs::exists(file) ? readFile(file) : "";
    }
    std::string toast() const {
        Tips* tips = h.guard.monitorWindows().tipsIfLoaded();
        return tips ? tips->Label1.caption() : "(closed)";
    }
    // A removable stick as worms leave it: autorun.inf, a hidden-away folder and its twin.
    fs::path plugInfectedStick(char letter) {
        fs::path stick = h.addDrive(letter, DriveType::Removable);
        writeFile(stick / "autorun.inf", "[autorun]\r\nopen=setup.exe\r\n");
        writeFile(stick / "setup.exe", "MZ");
        fs::create_directory(stick / "docs");
        writeFile(stick / "docs.exe", "MZ");
        return stick;
    }
    void realTimeMode() { main().Ssms.click(); }

    test::GuardHarness h;
};

TEST_F(MonitorTest, AnInsertedStickIsFoundAskedAboutLoggedAndItsLookAlikeListed) {
    h.guard.start();
    h.host.advance(1500 + 2400);  // the first look counts c as new; its toast comes and goes
    EXPECT_EQ(toast(), "(closed)");
    fs::path e = plugInfectedStick('e');
    EXPECT_EQ(main().xcptxt.text(), "c");

    h.host.expectModal("Form2", [&](ui::Form& form) {
        auto& dialog = static_cast<Form2&>(form);
        EXPECT_EQ(toast(), kToastScanning);
        EXPECT_EQ(dialog.Szwz.text(), "e:\\autorun.inf");
        EXPECT_EQ(dialog.Glwj.text(), "setup.exe");
        dialog.Ljsc.click();
        EXPECT_FALSE(fs::exists(e / "autorun.inf"));
    });
    h.host.expectModal("Form5", [&](ui::Form& form) {
        auto& dialog = static_cast<Form5&>(form);
        EXPECT_EQ(dialog.Dir1.path(), "e:\\");
        EXPECT_EQ(dialog.List1.items(), std::vector<std::string>{"e:\\docs.exe"});
        dialog.Command3.click();
    });
    h.host.advance(1500);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(main().xcptxt.text(), "ce");
    EXPECT_EQ(lines(log()), 1);
    EXPECT_TRUE(fs::exists(e / "setup.exe")) << "the program goes only when asked for";
    EXPECT_TRUE(fs::exists(e / "docs.exe"));

    h.host.advance(1200);
    EXPECT_EQ(toast(), kToastScanDone);
    h.host.advance(1200);
    EXPECT_EQ(toast(), "(closed)");
    h.host.advance(15000);  // smart mode: nothing more without a new drive
}

TEST_F(MonitorTest, AutomaticHandlingDeletesLogsAndSaysOnlyWhatReallyHappened) {
    main().Zdcl.setValue(1);
    main().Jlrz.setValue(0);
    main().Upcrsm.setValue(0);
    fs::path e = h.addDrive('e', DriveType::Removable);
    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    h.guard.start();
    h.host.advance(1500);  // the score moved: the monitor also runs every 1.8 s
    EXPECT_FALSE(fs::exists(e / "autorun.inf"));
    EXPECT_EQ(lines(log()), 1) << "written whatever the log option says";
    EXPECT_EQ(toast(), kToastDeleting);
    h.host.advance(1200);
    EXPECT_EQ(toast(), kToastDeleted);

    // A file another program holds is not called handled, writes no record and leaves no
    // copy behind, tick after tick.
    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    h.removalFiles.holdOpen(e / "autorun.inf");
    h.host.advance(1200 + 1800);
    EXPECT_TRUE(fs::exists(e / "autorun.inf"));
    EXPECT_EQ(toast(), kToastDeleteFailed);
    h.host.advance(1200);
    EXPECT_EQ(toast(), kToastDeleteFailed);
    EXPECT_EQ(lines(log()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(h.quarantineFolder()), fs::directory_iterator()),
              1)
        << "only the copy of the file that went";
}

// In smart mode no later pass corrects the toast: what it says after a pass must hold.
TEST_F(MonitorTest, AFailedRemovalStaysToldWhenALaterOneOfThePassSucceeds) {
    main().Zdcl.setValue(1);
    main().Upcrsm.setValue(0);
    fs::path e = h.addDrive('e', DriveType::Removable);
    fs::path f = h.addDrive('f', DriveType::Removable);
    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    writeFile(f / "autorun.inf", "open=x.exe\r\n");
    h.removalFiles.holdOpen(e / "autorun.inf");
    h.guard.start();
    main().Jstm.setEnabled(false);  // the insertion check's pass only
    h.host.advance(1500);
    EXPECT_TRUE(fs::exists(e / "autorun.inf"));
    EXPECT_FALSE(fs::exists(f / "autorun.inf"));
    EXPECT_EQ(toast(), kToastDeleteFailed);
    h.host.advance(1200);
    EXPECT_EQ(toast(), kToastDeleteFailed);
}

TEST_F(MonitorTest, ALetterTakenByAnotherKindOfDriveIsAskedAfresh) {
    main().Zdcl.setValue(1);
    main().Upcrsm.setValue(0);
    fs::path stick = h.addDrive('e', DriveType::Removable);
    h.guard.start();
    main().Jstm.setEnabled(false);  // a pass only when a drive is added, no announcement
    h.host.advance(1500);

    // The stick goes, and a network share takes its letter: no network drive is examined.
    h.files.removeDrive('e');
    h.host.advance(1500);
    fs::path share = h.temp.path() / "share";
    fs::create_directories(share);
    writeFile(share / "autorun.inf", "open=x.exe\r\n");
    h.files.addDrive('e', DriveType::Network, share);
    h.host.advance(1500);
    EXPECT_TRUE(fs::exists(share / "autorun.inf"));

    // And back: a stick at the share's letter is.
    h.files.removeDrive('e');
    h.host.advance(1500);
    writeFile(stick / "autorun.inf", "open=x.exe\r\n");
    h.files.addDrive('e', DriveType::Removable, stick);
    h.host.advance(1500);
    EXPECT_FALSE(fs::exists(stick / "autorun.inf"));
}

TEST_F(MonitorTest, ARecordThatCannotBeWrittenIsToldOnceARunAndTheDeletionsStand) {
    main().Zdcl.setValue(1);
    main().Upcrsm.setValue(0);
    fs::create_directory(h.currentDirectory() / "Rz.log");  // no file can be written there
    fs::path e = h.addDrive('e', DriveType::Removable);
    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    h.host.expectMessageBox(
        "防护日志无法写入，这次删除没有记录下来：\r\nC:\\ProgramData\\QVu盘卫士\\Rz.log\r\n"
        "原因：拒绝访问。\r\n本次运行中再有记录无法写入时，不再提示。",
        ui::MsgAnswer::Ok);
    h.guard.start();
    h.host.advance(1500);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(h.host.boxes().at(0).title, "提示");
    EXPECT_FALSE(fs::exists(e / "autorun.inf"));

    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    h.host.advance(1800);
    EXPECT_FALSE(fs::exists(e / "autorun.inf")) << "deleted again";
    EXPECT_EQ(h.host.boxes().size(), 1u) << "told once a run";
}

TEST_F(MonitorTest, EachKindOfDriveGetsItsOwnTreatment) {
    main().Zdcl.setValue(1);  // never applies to a fixed disk
    writeFile(h.temp.path() / "c" / "autorun.inf", "open=x.exe\r\n");
    h.addDrive('f', DriveType::CdRom);
    fs::path n = h.addDrive('n', DriveType::Network);
    writeFile(n / "autorun.inf", "open=x.exe\r\n");
    fs::path r = h.addDrive('r', DriveType::RamDisk);
    writeFile(r / "autorun.inf", "open=x.exe\r\n");
    h.guard.start();
    realTimeMode();

    // First pass: c asks, f tells once and is ignored from then on, n is never looked at,
    // r asks.
    h.host.expectModal("Form2", [](ui::Form& f) { f.requestClose(ui::CloseReason::UserClose); });
    h.host.expectMessageBox("发现光盘 f:\\ 建议用杀毒软件进行杀毒后再使用！", ui::MsgAnswer::Ok);
    h.host.expectModal("Form2", [](ui::Form& f) {
        EXPECT_EQ(static_cast<Form2&>(f).Szwz.text(), "r:\\autorun.inf");
        static_cast<Form2&>(f).Hl.click();
    });
    h.host.advance(1800);
    EXPECT_TRUE(h.host.allExpectationsMet());
    ASSERT_EQ(h.host.boxes().size(), 1u);
    EXPECT_EQ(h.host.boxes()[0].title, "发现光盘");
    EXPECT_EQ(main().Yhl.text(), "fr");

    // Second pass: the closed dialog comes back for c; f and r are ignored now.
    h.host.expectModal("Form2", [](ui::Form& f) { static_cast<Form2&>(f).Hl.click(); });
    h.host.advance(1800);
    EXPECT_EQ(main().Yhl.text(), "frc");
    h.host.advance(1800 * 3);  // nothing more is expected
    EXPECT_TRUE(fs::exists(n / "autorun.inf"));
}

TEST_F(MonitorTest, TheIgnoreListIsCaseSensitiveAndAnImmunisedDriveIsNoThreat) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    fs::path g = h.addDrive('g', DriveType::Removable);
    fs::create_directories(g / "autorun.inf" / "con");
    h.guard.start();
    main().Zdcl.setValue(1);
    main().Yhl.setText("E");
    h.host.advance(1500);
    EXPECT_FALSE(fs::exists(e / "autorun.inf")) << "an upper-case E protects nothing";

    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    main().Yhl.setText("e");
    realTimeMode();
    h.host.advance(1800 * 2);
    EXPECT_TRUE(fs::exists(e / "autorun.inf"));
    EXPECT_TRUE(fs::is_directory(g / "autorun.inf"));
}

TEST_F(MonitorTest, LookAlikesFollowTheFolderOrderExeBeforeComPerDrive) {
    fs::path e = h.addDrive('e', DriveType::Removable);
    for (const char* folder : {"Zeta", "alpha", "Music", "x.exe", "empty"}) {
        fs::create_directory(e / folder);
    }
    for (const char* file : {"alpha.com", "alpha.exe", "Music.EXE", "zeta.com", "setup.exe"}) {
        writeFile(e / file, "MZ");
    }
    fs::path g = h.addDrive('g', DriveType::Removable);
    fs::create_directory(g / "photos");
    writeFile(g / "photos.exe", "MZ");
    h.guard.start();

    h.host.expectModal("Form5", [](ui::Form& f) {
        EXPECT_EQ(static_cast<Form5&>(f).List1.items(),
                  (std::vector<std::string>{"e:\\alpha.exe", "e:\\alpha.com", "e:\\Music.exe",
                                            "e:\\Zeta.com"}));
        static_cast<Form5&>(f).Command4.click();
    });
    h.host.expectModal("Form5", [](ui::Form& f) {
        EXPECT_EQ(static_cast<Form5&>(f).List1.items(), std::vector<std::string>{"g:\\photos.exe"});
        static_cast<Form5&>(f).Command2.click();  // the scan goes off, the file stays
    });
    h.host.advance(1500);
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_FALSE(fs::exists(e / "alpha.exe"));
    EXPECT_TRUE(fs::exists(e / "setup.exe"));
    EXPECT_TRUE(fs::exists(g / "photos.exe"));
    EXPECT_EQ(main().df.caption(), "88");
    h.host.advance(1800 * 3);  // the score started the monitor; the scan stays off
}

TEST_F(MonitorTest, TheLookAlikeScanSeesTheDriveAsTheDialogLeftIt) {
    main().Mrgl.setValue(1);
    fs::path e = h.addDrive('e', DriveType::Removable);
    writeFile(e / "autorun.inf", "open=docs.exe\r\n");
    for (const char* folder : {"docs", "music"}) fs::create_directory(e / folder);
    for (const char* file : {"docs.exe", "music.exe"}) writeFile(e / file, "MZ");
    h.guard.start();
    h.host.expectModal("Form2", [](ui::Form& f) { static_cast<Form2&>(f).Ljsc.click(); });
    h.host.expectModal("Form5", [](ui::Form& f) {
        EXPECT_EQ(static_cast<Form5&>(f).List1.items(), std::vector<std::string>{"e:\\music.exe"})
            << "the program the dialog deleted is not listed";
        static_cast<Form5&>(f).Command3.click();
    });
    h.host.advance(1500);
    EXPECT_FALSE(fs::exists(e / "docs.exe"));
}

TEST_F(MonitorTest, OneScanAtATimeWhileADialogWaits) {
    h.guard.start();
    h.host.advance(1500);
    realTimeMode();
    fs::path e = h.addDrive('e', DriveType::Removable);
    writeFile(e / "autorun.inf", "open=x.exe\r\n");
    h.host.advance(1500);  // the insertion check sees e; in real-time mode it only tells
    EXPECT_EQ(main().xcptxt.text(), "ce");

    h.host.expectModal("Form2", [&](ui::Form& f) {
        // Ticks keep falling due while the dialog waits: none of them scans or looks.
        h.addDrive('g', DriveType::Removable);
        h.host.advance(10000);
        EXPECT_EQ(main().xcptxt.text(), "ce");
        static_cast<Form2&>(f).Hl.click();
    });
    h.host.advance(300);
    EXPECT_TRUE(h.host.allExpectationsMet());
    h.host.advance(1500);
    EXPECT_EQ(main().xcptxt.text(), "ceg") << "the drive added meanwhile is still new";
}

TEST_F(MonitorTest, TheSettingsLineDecidesScoreModeAndMonitorAtStartUp) {
    struct Case {
        const char* line;
        const char* score;
        bool realTime;
        bool monitorRunning;
        bool warning;
    };
    const Case cases[] = {
        {"011111\r\n", "58", false, true, false},
        {"111101\r\n", "98", true, true, false},
        {"000000\r\n", "10", true, false, true},
        {"1", "98", false, false, false},
        {"", "98", false, false, false},
        {"1111x10\r\n000000", "98", false, false, false},
        // A GBK character (two bytes in the file) is one position: 5 and 6 are the zeros.
        {"\xd6\xd0"
         "11100\r\n",
         "88", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        test::GuardHarness fresh;
        writeFile(fresh.currentDirectory() / "QVset.ini", c.line);
        fresh.guard.start();
        Form1& f = fresh.guard.form1();
        EXPECT_EQ(f.df.caption(), c.score);
        EXPECT_EQ(f.Ssms.value(), c.realTime);
        EXPECT_EQ(f.Znms.value(), !c.realTime);
        EXPECT_EQ(f.Jstm.running(), c.monitorRunning);
        EXPECT_EQ(fresh.guard.form3().Image2.visible(), c.warning);
        EXPECT_EQ(fresh.guard.form3().Image1.toolTip(),
                  c.warning ? kProtectionOffTip : kProtectionOnTip);
    }
}

TEST_F(MonitorTest, SavingWritesSixDigitsAndSaysSoOnlyWhenTheyAreWritten) {
    h.guard.start();
    fs::path file = h.currentDirectory() / "QVset.ini";
    h.host.expectMessageBox("防护设置保存成功！", ui::MsgAnswer::Ok);
    main().Command6.click();
    EXPECT_EQ(readFile(file), "111111\r\n");

    realTimeMode();
    main().Jcbdgp.setValue(0);
    h.host.expectMessageBox("防护设置保存成功！", ui::MsgAnswer::Ok);
    main().Command6.click();
    EXPECT_EQ(readFile(file), "110101\r\n");

    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    h.host.expectMessageBox("防护设置保存失败！拒绝访问。", ui::MsgAnswer::Ok);
    main().Command6.click();
    EXPECT_EQ(h.host.boxes().back().title, "错误");
    EXPECT_EQ(readFile(file), "110101\r\n") << "the previous settings are kept whole";
}

TEST_F(MonitorTest, TheScoreFollowsTheOptionsAndDecidesTheMonitorInEitherMode) {
    h.guard.start();
    Form1& f = main();
    f.Jcbdgp.setValue(0);
    EXPECT_EQ(f.df.caption(), "98") << "the optical-drive option carries no weight";
    EXPECT_FALSE(f.Jstm.running());

    h.host.expectMessageBox("你确认关闭所有防护？", ui::MsgAnswer::Cancel);
    f.Command5.click();
    EXPECT_EQ(f.df.caption(), "98");
    h.host.expectMessageBox("你确认关闭所有防护？", ui::MsgAnswer::Ok);
    f.Command5.click();
    EXPECT_EQ(f.df.caption(), "20") << "the insertion scan keeps its weight";
    EXPECT_TRUE(f.Jstm.running()) << "any score but 10 starts the monitor, even in smart mode";
    f.Upcrsm.setValue(0);
    EXPECT_EQ(f.df.caption(), "10");
    EXPECT_FALSE(f.Jstm.running());
    EXPECT_TRUE(h.guard.form3().Image2.visible());

    f.Command4.click();
    EXPECT_EQ(f.df.caption(), "88");
    EXPECT_EQ(f.Jcbdgp.value(), 1);
    EXPECT_FALSE(h.guard.form3().Image2.visible());
    f.Znms.setValue(false);
    f.Ssms.click();
    f.Znms.click();
    EXPECT_FALSE(f.Jstm.running()) << "smart mode stops the monitor until the next change";
    h.guard.form3().Image2.click();
    EXPECT_EQ(f.df.caption(), "98");
    EXPECT_TRUE(f.Jstm.running());
}

}  // namespace
}  // namespace qv
