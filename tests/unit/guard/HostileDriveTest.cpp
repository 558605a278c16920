// Drives an attacker would make, each one row of a table: the monitor pass, the threat
// dialog's deletion (with its program), the suspicious-file dialog's deletion, immunisation
// and the emergency cleaner run over it, and nothing outside the drive may change. A root
// of 100,000 folders has a test of its own, which reports how long the pass took.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "guard/main_window/Form1.h"
#include "guard/monitor/Form2.h"
#include "guard/monitor/Form5.h"
#include "guard/platform/posix/AnsiText.h"
#include "tests/support/FileBytes.h"
#include "tests/support/GuardHarness.h"
#include "tests/unit/guard/ProtectionTest.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using platform::DriveType;
using test::readFile;
using test::writeFile;

std::string utf16le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) out += std::string{c, '\0'};
    return out;
}

struct HostileDrive {
    const char* name;
    // Makes the drive's content in `root`; `outside` is a folder beside the drive.
    std::function<void(const fs::path& root, const fs::path& outside)> make;
    // What the threat dialog must show as the program, or "" for "无法获取".
    std::string program;
    bool autorunDeleted = true;
};

const std::string kLong(240, 'L');
const std::string kImmunisationRefused =
    "免疫失败！原因：当文件已存在时，无法创建该文件。\r\n请选择强制免疫再次尝试";

const HostileDrive kDrives[] = {
    {"a 100 MB autorun.inf",
     [](const fs::path& root, const fs::path&) {
         writeFile(root / "autorun.inf", "[autorun]\r\nopen=big.exe\r\n");
         fs::resize_file(root / "autorun.inf", 100u << 20);
     },
     "big.exe"},
    {"no line break at all",
     [](const fs::path& root, const fs::path&) {
         writeFile(root / "autorun.inf", "open=" + std::string(3u << 20, 'x'));
     },
     std::string((1u << 20) - 5, 'x')},  // only the first megabyte is read
    {"binary junk before the line",
     [](const fs::path& root, const fs::path&) {
         writeFile(root / "autorun.inf", std::string("\x00\x01\xff\xfe\x81\x40", 6) +
                                             std::string(5000, '\x90') + "\r\nopen=padded.exe\r\n");
         writeFile(root / "padded.exe", "MZ");
     },
     "padded.exe"},
    {"UTF-16LE",
     [](const fs::path& root, const fs::path&) {
         writeFile(root / "autorun.inf", utf16le("[autorun]\r\nopen=wide.exe\r\n"));
     },
     ""},
    {"a name climbing off the drive",
     [](const fs::path& root, const fs::path&) {
         writeFile(root / "autorun.inf", "open=..\\..\\outside\\sentinel.txt\r\n");
     },
     "..\\..\\outside\\sentinel.txt"},
    {"another drive's file",
     [](const fs::path& root, const fs::path&) {
         writeFile(root / "autorun.inf", "open=c:\\sentinel.txt\r\n");
     },
     "c:\\sentinel.txt"},
    {"a device path",
     [](const fs::path& root, const fs::path&) {
         writeFile(root / "autorun.inf", "open=\\\\?\\c:\\sentinel.txt\r\n");
     },
     "\\\\?\\c:\\sentinel.txt"},
    {"a reserved device name",
     [](const fs::path& root, const fs::path&) { writeFile(root / "autorun.inf", "open=con\r\n"); },
     "con"},
    {"a stream",
     [](const fs::path& root, const fs::path&) {
         writeFile(root / "autorun.inf", "open=x:stream\r\n");
     },
     "x:stream"},
    {"a link leading off the drive",
     [](const fs::path& root, const fs::path& outside) {
         fs::create_directory_symlink(outside, root / "away");
         fs::create_symlink(outside / "sentinel.txt", root / "away.exe");
         writeFile(root / "autorun.inf", "open=away\\sentinel.txt\r\n");
     },
     "away\\sentinel.txt"},
    {"names longer than 260 characters",
     [](const fs::path& root, const fs::path&) {
         fs::path deep = root / kLong / kLong;
         fs::create_directories(deep);
         writeFile(deep / "x.exe", "MZ");
         writeFile(root / (kLong + ".exe"), "MZ");
         writeFile(root / "autorun.inf", "open=" + kLong + "\\" + kLong + "\\x.exe\r\n");
     },
     kLong + "\\" + kLong + "\\x.exe"},
    {"Chinese and other non-ANSI names",
     [](const fs::path& root, const fs::path&) {
         fs::create_directory(root / "我的文档");
         writeFile(root / "我的文档.exe", "MZ");
         fs::create_directory(root / "Ĳssel€");
         writeFile(root / "Ĳssel€.com", "MZ");
         writeFile(root / "autorun.inf", posix::utf8ToCodePage("open=病毒.exe\r\n", "GBK"));
         writeFile(root / "病毒.exe", "MZ");
     },
     "病毒.exe"},
    {"a read-only autorun.inf",
     [](const fs::path& root, const fs::path&) {
         writeFile(root / "autorun.inf", "open=x.exe\r\n");
         fs::permissions(root / "autorun.inf", fs::perms::owner_write, fs::perm_options::remove);
     },
     "x.exe", false},
};

TEST(HostileDriveTest, NoDriveAnAttackerMakesCrashesTheGuardOrReachesOutsideIt) {
    for (const HostileDrive& drive : kDrives) {
        SCOPED_TRACE(drive.name);
        test::GuardHarness h;
        fs::path outside = h.temp.path() / "outside";
        writeFile(outside / "sentinel.txt", "keep");
        writeFile(h.temp.path() / "c" / "sentinel.txt", "keep");
        fs::path e = h.addDrive('e', DriveType::Removable);
        drive.make(e, outside);
        h.guard.form1().Mrgl.setValue(1);  // the dialog also deletes the program it names
        h.guard.start();

        h.host.expectModal("Form2", [&](ui::Form& f) {
            auto& dialog = static_cast<Form2&>(f);
            EXPECT_TRUE(dialog.Glwj.text() == (drive.program.empty() ? "无法获取" : drive.program))
                << dialog.Glwj.text().substr(0, 80);
            dialog.Ljsc.click();
        });
        bool listed = false;
        // Look-alikes, if any: one of them vanishes before "全部删除" reaches it.
        auto answerList = [&](ui::Form& f) {
            auto& dialog = static_cast<Form5&>(f);
            listed = true;
            std::error_code ec;
            fs::remove(e / (kLong + ".exe"), ec);
            dialog.Command4.click();
        };
        h.host.expectModal("Form5", answerList);
        h.host.advance(1500);
        if (!listed) {
            // No look-alikes on this drive: the scripted list dialog is not shown.
            EXPECT_FALSE(h.host.allExpectationsMet());
            h.guard.monitorWindows().form5().List1.addItem("e:\\nothing.exe");
            h.guard.monitorWindows().showSuspiciousFiles();
        }
        EXPECT_EQ(fs::exists(fs::symlink_status(e / "autorun.inf")), !drive.autorunDeleted);
        EXPECT_EQ(readFile(outside / "sentinel.txt"), "keep");
        EXPECT_EQ(readFile(h.temp.path() / "c" / "sentinel.txt"), "keep");
        for (const char* name : {"我的文档.exe", "Ĳssel€.com"}) EXPECT_FALSE(fs::exists(e / name));
        if (fs::exists(fs::symlink_status(e / "away.exe"))) {
            EXPECT_TRUE(fs::is_symlink(fs::symlink_status(e / "away.exe")));
        }
        // The next pass, in real time, neither crashes nor asks about what was handled.
        h.guard.form1().Cscl.setValue(0);
        if (!drive.autorunDeleted) {
            h.host.expectModal("Form2", [](ui::Form& f) { static_cast<Form2&>(f).Hl.click(); });
        }
        h.guard.form1().Ssms.click();
        h.host.advance(1800);

        // Immunisation and the cleaner over what is left; each says what it did.
        Form1& f = h.guard.form1();
        test::stopBackgroundScans(f);
        f.Command17.click();
        f.Drive2.setListIndex(1);  // e:, after c:
        h.host.expectMessageBox(drive.autorunDeleted ? "对e盘免疫成功！" : kImmunisationRefused,
                                ui::MsgAnswer::Ok);
        f.Command18.click();
        h.host.expectMessageBox("紧急杀毒完成！", ui::MsgAnswer::Ok);
        f.Command7.click();
        h.host.advance(5 * 1888);
        EXPECT_TRUE(h.host.allExpectationsMet());
        EXPECT_EQ(fs::is_directory(e / "autorun.inf" / "con"), drive.autorunDeleted);
        EXPECT_EQ(readFile(outside / "sentinel.txt"), "keep");
        EXPECT_EQ(readFile(h.temp.path() / "c" / "sentinel.txt"), "keep");
    }
}

TEST(HostileDriveTest, ARootOfAHundredThousandFoldersIsScannedAndItsBaitDeleted) {
    test::GuardHarness h;
    fs::path outside = h.temp.path() / "outside";
    writeFile(outside / "sentinel.txt", "keep");
    fs::path e = h.addDrive('e', DriveType::Removable);
    for (int i = 0; i < 100000; ++i) fs::create_directory(e / ("folder" + std::to_string(i)));
    writeFile(e / "folder99999.exe", "MZ");
    fs::create_directory_symlink(outside, e / "folder5.exe");  // a look-alike that is a link
    h.guard.start();

    std::string listed;
    h.host.expectModal("Form5", [&](ui::Form& f) {
        auto& dialog = static_cast<Form5&>(f);
        for (int i = 0; i < dialog.List1.listCount(); ++i) listed += dialog.List1.list(i) + ";";
        dialog.Command4.click();
    });
    auto started = std::chrono::steady_clock::now();
    h.host.advance(1500);
    double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    std::printf("insertion check and monitor pass over 100,000 root folders: %.0f ms\n", ms);
    RecordProperty("pass_ms", static_cast<int>(ms));
    EXPECT_TRUE(h.host.allExpectationsMet());
    EXPECT_EQ(listed, "e:\\folder99999.exe;");
    EXPECT_FALSE(fs::exists(e / "folder99999.exe"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(e / "folder5.exe")));
    EXPECT_EQ(readFile(outside / "sentinel.txt"), "keep");
}

}  // namespace
}  // namespace qv
