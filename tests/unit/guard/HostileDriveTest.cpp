// Drives an attacker would make, each one row of a table: the monitor pass, the threat
// dialog's deletion (with its program), the suspicious-file dialog's deletion, immunisation
// and the emergency cleaner run over it, and nothing outside the drive may change. Every
// file removed is in the quarantine byte for byte, and every record of the log names one
// of them. A root of 100,000 folders has a test of its own, which reports how long the
// pass took. Shortcuts an attacker would make have a table of their own.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/removal/DriveFileRemoval.h"
#include "common/removal/QuarantineRestore.h"
#include "common/removal/RemovalTexts.h"
#include "common/worms/tests/ShortcutMaker.h"
#include "guard/main_window/Form1.h"
#include "guard/monitor/Form2.h"
#include "guard/monitor/Form5.h"
#include "guard/monitor/Form7.h"
#include "guard/monitor/ShortcutCleaning.h"
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
    std::function<void(const fs::path& root, const fs::path& outside, test::GuardHarness& h)> make;
    // What the threat dialog must show as the program, or "" for "无法获取".
    std::string program;
    bool autorunDeleted = true;
    // What the threat dialog and the cleaner tell of the autorun.inf when it stays.
    std::string autorunStays = "";
    // Checks of the row's own, once the pass, immunisation and the cleaner are done.
    std::function<void(test::GuardHarness& h, const fs::path& root)> check = nullptr;
};

const std::string kLong(240, 'L');
const std::string kImmunisationRefused =
    "免疫失败！原因：当文件已存在时，无法创建该文件。\r\n请选择强制免疫再次尝试";
const std::string kWormAttributes = "[autorun]\r\nopen=setup.exe\r\nicon=setup.exe,0\r\n";

// A file as a worm leaves it: read-only, hidden and system.
void plantWormFile(test::GuardHarness& h, const fs::path& file, const std::string& bytes) {
    writeFile(file, bytes);
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    h.removalFiles.setDosAttributes(file, removal::kHidden | removal::kSystem);
}

std::vector<removal::QuarantineEntry> quarantined(test::GuardHarness& h) {
    removal::Quarantine quarantine(h.removalFiles, "隔离区");
    Status failure = Status::success();
    auto entries = quarantine.entries(failure);
    return entries ? *entries : std::vector<removal::QuarantineEntry>{};
}

// The bytes the quarantine keeps in its entry `name`; nullopt when they cannot be read.
std::optional<std::string> keptBytes(test::GuardHarness& h, const std::string& name) {
    removal::Quarantine quarantine(h.removalFiles, "隔离区");
    std::string bytes;
    Status read = quarantine.read(
        name, [](const removal::EntryHeader&) { return Status::success(); },
        [&](std::string_view piece) {
            bytes += piece;
            return Status::success();
        });
    if (!read.ok()) return std::nullopt;
    return bytes;
}

std::vector<std::string> quarantinedPaths(test::GuardHarness& h) {
    std::vector<std::string> paths;
    for (const removal::QuarantineEntry& entry : quarantined(h)) {
        paths.push_back(entry.header ? entry.header->originalPath : "(damaged)");
    }
    return paths;
}

// The paths of Rz.log's records, as UTF-8.
std::vector<std::string> loggedPaths(test::GuardHarness& h) {
    const std::string deleted = posix::utf8ToCodePage("成功删除", "GBK");
    const std::string separator = "    " + posix::utf8ToCodePage("——", "GBK");
    std::string log = readFile(h.currentDirectory() / "Rz.log");
    std::vector<std::string> paths;
    for (std::size_t at = 0; at < log.size();) {
        std::size_t end = log.find("\r\n", at);
        std::string line = log.substr(at, end - at);
        at = end == std::string::npos ? log.size() : end + 2;
        EXPECT_TRUE(line.starts_with(deleted)) << line;
        line = line.substr(deleted.size(), line.find(separator) - deleted.size());
        paths.push_back(posix::codePageToUtf8(line, "GBK"));
    }
    return paths;
}

// The bytes of every file of the drive up to `limit` bytes (its size alone for a larger
// one), by the drive path the guard names it by.
std::map<std::string, std::string> snapshot(const fs::path& root, std::uintmax_t limit) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_symlink()) {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file()) continue;
        std::string path = "e:\\" + fs::relative(it->path(), root).string();
        std::replace(path.begin(), path.end(), '/', '\\');
        std::uintmax_t size = it->file_size();
        files[path] = size <= limit ? readFile(it->path()) : "(" + std::to_string(size) + " bytes)";
    }
    return files;
}

const HostileDrive kDrives[] = {
    {"a 101 MiB autorun.inf, too large to keep a copy of",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         writeFile(root / "autorun.inf", "[autorun]\r\nopen=big.exe\r\n");
         fs::resize_file(root / "autorun.inf", 101u << 20);  // sparse
     },
     "big.exe", false,
     "未能删除以下文件：\r\ne:\\autorun.inf：" + std::string(removal::kTooLargeReason) + "。"},
    {"no line break at all",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         writeFile(root / "autorun.inf", "open=" + std::string(3u << 20, 'x'));
     },
     std::string((1u << 20) - 5, 'x')},  // only the first megabyte is read
    {"binary junk before the line",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         writeFile(root / "autorun.inf", std::string("\x00\x01\xff\xfe\x81\x40", 6) +
                                             std::string(5000, '\x90') + "\r\nopen=padded.exe\r\n");
         writeFile(root / "padded.exe", "MZ");
     },
     "padded.exe"},
    {"UTF-16LE, read as text from its byte-order mark",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         writeFile(root / "autorun.inf", utf16le("[autorun]\r\nopen=wide.exe\r\n"));
     },
     "wide.exe"},
    {"100,000 blanks of padding in the execute key's command",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         writeFile(root / "autorun.inf", "[autorun]\nshellexecute=cmd.exe /c" +
                                             std::string(100000, ' ') + "start pad.exe\n");
         writeFile(root / "pad.exe", "MZ padded");
     },
     "cmd.exe /c" + std::string(100000, ' ') + "start pad.exe", true, "",
     [](test::GuardHarness& h, const fs::path& root) {
         EXPECT_FALSE(fs::exists(root / "pad.exe")) << "the program the padding hid goes too";
         EXPECT_EQ(loggedPaths(h), (std::vector<std::string>{"e:\\autorun.inf", "e:\\pad.exe"}));
     }},
    {"a name climbing off the drive",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         writeFile(root / "autorun.inf", "open=..\\..\\outside\\sentinel.txt\r\n");
     },
     "..\\..\\outside\\sentinel.txt"},
    {"another drive's file",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         writeFile(root / "autorun.inf", "open=c:\\sentinel.txt\r\n");
     },
     "c:\\sentinel.txt"},
    {"a device path",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         writeFile(root / "autorun.inf", "open=\\\\?\\c:\\sentinel.txt\r\n");
     },
     "\\\\?\\c:\\sentinel.txt"},
    {"a reserved device name",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         writeFile(root / "autorun.inf", "open=con\r\n");
     },
     "con"},
    {"a stream",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         writeFile(root / "autorun.inf", "open=x:stream\r\n");
     },
     "x:stream"},
    {"a link leading off the drive",
     [](const fs::path& root, const fs::path& outside, test::GuardHarness&) {
         fs::create_directory_symlink(outside, root / "away");
         fs::create_symlink(outside / "sentinel.txt", root / "away.exe");
         writeFile(root / "autorun.inf", "open=away\\sentinel.txt\r\n");
     },
     "away\\sentinel.txt"},
    {"names longer than 260 characters",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         fs::path deep = root / kLong / kLong;
         fs::create_directories(deep);
         writeFile(deep / "x.exe", "MZ");
         writeFile(root / (kLong + ".exe"), "MZ");
         writeFile(root / "autorun.inf", "open=" + kLong + "\\" + kLong + "\\x.exe\r\n");
     },
     kLong + "\\" + kLong + "\\x.exe"},
    {"Chinese and other non-ANSI names",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         fs::create_directory(root / "我的文档");
         writeFile(root / "我的文档.exe", "MZ");
         fs::create_directory(root / "Ĳssel€");
         writeFile(root / "Ĳssel€.com", "MZ");
         writeFile(root / "autorun.inf", posix::utf8ToCodePage("open=病毒.exe\r\n", "GBK"));
         writeFile(root / "病毒.exe", "MZ");
     },
     "病毒.exe"},
    {"read-only, hidden and system: the autorun.inf, its program and a look-alike",
     [](const fs::path& root, const fs::path&, test::GuardHarness& h) {
         plantWormFile(h, root / "autorun.inf", kWormAttributes);
         plantWormFile(h, root / "setup.exe", "MZ\x90\x00\x03");
         fs::create_directory(root / "docs");
         plantWormFile(h, root / "docs.exe", "MZ docs");
     },
     "setup.exe", true, "",
     [](test::GuardHarness& h, const fs::path& root) {
         EXPECT_TRUE(fs::is_empty(root / "docs")) << "the folder itself stays";
         EXPECT_EQ(quarantinedPaths(h),
                   (std::vector<std::string>{"e:\\docs.exe", "e:\\setup.exe", "e:\\autorun.inf"}));
         EXPECT_EQ(loggedPaths(h), (std::vector<std::string>{"e:\\autorun.inf", "e:\\setup.exe"}))
             << "the threat dialog logs, the look-alike list does not";
     }},
    {"an autorun.inf another program holds without sharing its deletion",
     [](const fs::path& root, const fs::path&, test::GuardHarness& h) {
         writeFile(root / "autorun.inf", "open=x.exe\r\n");
         h.removalFiles.holdOpen(root / "autorun.inf");
     },
     "x.exe", false,
     "未能删除以下文件：\r\ne:\\autorun.inf：另一个程序正在使用此文件，进程无法访问。",
     [](test::GuardHarness& h, const fs::path&) {
         EXPECT_TRUE(quarantinedPaths(h).empty()) << "told, never kept";
         EXPECT_TRUE(loggedPaths(h).empty());
     }},
    {"a full quarantine",
     [](const fs::path& root, const fs::path&, test::GuardHarness& h) {
         // Five entries of 100 MiB from earlier removals (sparse: only their headers).
         for (int i = 1; i <= 5; ++i) {
             fs::path entry = h.quarantineFolder() / ("0000000000000000000" + std::to_string(i) +
                                                      std::string(removal::kEntryExtension));
             writeFile(entry, removal::encodeHeader({"c:\\earlier" + std::to_string(i),
                                                     "2020-01-01 00:00:00",
                                                     removal::kLargestQuarantinedFile}));
             fs::resize_file(entry, fs::file_size(entry) + removal::kLargestQuarantinedFile +
                                        removal::kTrailerSize);
         }
         writeFile(root / "autorun.inf", "open=setup.exe\r\n");
         writeFile(root / "setup.exe", "MZ");
     },
     "setup.exe", true, "",
     [](test::GuardHarness& h, const fs::path&) {
         EXPECT_EQ(quarantinedPaths(h),
                   (std::vector<std::string>{"e:\\setup.exe", "e:\\autorun.inf", "c:\\earlier5",
                                             "c:\\earlier4", "c:\\earlier3", "c:\\earlier2"}))
             << "the oldest went first, no more than needed";
         std::uint64_t kept = 0;
         for (const removal::QuarantineEntry& entry : quarantined(h)) kept += entry.storedBytes;
         EXPECT_LE(kept, removal::kQuarantineCapacity);
     }},
    {"a restore over a file that is there again",
     [](const fs::path& root, const fs::path&, test::GuardHarness&) {
         writeFile(root / "autorun.inf", "open=setup.exe\r\n");
         writeFile(root / "setup.exe", "the user's own setup");
     },
     "setup.exe", true, "",
     [](test::GuardHarness& h, const fs::path& root) {
         writeFile(root / "setup.exe", "a newer setup");
         removal::DriveFileRemoval removal(h.removalFiles, "隔离区");
         const std::string entry = quarantined(h).at(0).name;
         std::vector<std::string> asked;
         auto answer = [&](bool replace) {
             return [&asked, replace](const std::string& path) {
                 asked.push_back(path);
                 return replace;
             };
         };
         EXPECT_EQ(removal::restoreEntry(removal, entry, answer(false)).outcome,
                   removal::RestoreResult::Outcome::Declined);
         EXPECT_EQ(readFile(root / "setup.exe"), "a newer setup");
         EXPECT_EQ(removal::restoreEntry(removal, entry, answer(true)).outcome,
                   removal::RestoreResult::Outcome::Restored);
         EXPECT_EQ(readFile(root / "setup.exe"), "the user's own setup");
         EXPECT_EQ(asked, (std::vector<std::string>{"e:\\setup.exe", "e:\\setup.exe"}));
         EXPECT_EQ(quarantinedPaths(h),
                   (std::vector<std::string>{"e:\\setup.exe", "e:\\autorun.inf"}))
             << "the newer file took the restored one's place in the quarantine";
     }},
};

// Files that no pass may touch: one in a folder outside every drive (returned, for the
// drive's links to point at) and one on the system drive c:.
fs::path plantSentinels(test::GuardHarness& h) {
    fs::path outside = h.temp.path() / "outside";
    writeFile(outside / "sentinel.txt", "keep");
    writeFile(h.temp.path() / "c" / "sentinel.txt", "keep");
    return outside;
}

TEST(HostileDriveTest, NoDriveAnAttackerMakesCrashesTheGuardOrReachesOutsideIt) {
    for (const HostileDrive& drive : kDrives) {
        SCOPED_TRACE(drive.name);
        test::GuardHarness h;
        const fs::path outside = plantSentinels(h);
        fs::path e = h.addDrive('e', DriveType::Removable);
        drive.make(e, outside, h);
        const std::map<std::string, std::string> before = snapshot(e, 4u << 20);
        h.guard.form1().Mrgl.setValue(1);  // the dialog also deletes the program it names
        h.guard.start();

        h.host.expectModal("Form2", [&](ui::Form& f) {
            auto& dialog = static_cast<Form2&>(f);
            EXPECT_TRUE(dialog.Glwj.text() == (drive.program.empty() ? "无法获取" : drive.program))
                << dialog.Glwj.text().substr(0, 80);
            if (!drive.autorunStays.empty()) {
                h.host.expectMessageBox(drive.autorunStays, ui::MsgAnswer::Ok);
            }
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
        std::string cleaned = "紧急杀毒完成！共删除 0 个文件。";
        if (!drive.autorunStays.empty()) cleaned += "\r\n" + drive.autorunStays;
        h.host.expectMessageBox(cleaned, ui::MsgAnswer::Ok);
        f.Command7.click();
        h.host.advance(5 * 1888);
        EXPECT_TRUE(h.host.allExpectationsMet());
        EXPECT_EQ(fs::is_directory(e / "autorun.inf" / "con"), drive.autorunDeleted);

        // What went is kept byte for byte, each once; what is logged went.
        std::set<std::string> kept;
        for (const removal::QuarantineEntry& entry : quarantined(h)) {
            ASSERT_TRUE(entry.header) << entry.name;
            const std::string& path = entry.header->originalPath;
            EXPECT_TRUE(kept.insert(path).second) << path << " kept twice";
            auto was = before.find(path);
            if (was == before.end()) continue;  // not of this drive
            std::string relative = path.substr(3);
            std::replace(relative.begin(), relative.end(), '\\', '/');
            EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(e / relative)))
                << path << " is kept and still there";
            EXPECT_TRUE(keptBytes(h, entry.name) == was->second)
                << path << " is not kept byte for byte";
        }
        for (const std::string& path : loggedPaths(h)) {
            EXPECT_TRUE(kept.contains(path)) << path << " is logged but was not removed";
        }
        if (drive.check) drive.check(h, e);
        EXPECT_EQ(readFile(outside / "sentinel.txt"), "keep");
        EXPECT_EQ(readFile(h.temp.path() / "c" / "sentinel.txt"), "keep");
    }
}

// Shortcuts an attacker would make, each one row: the monitor pass reads them, shows the
// worm's ones and cleans them from the dialog; nothing outside the drive may change, every
// removed file is in the quarantine byte for byte, every logged one was removed.
struct HostileShortcuts {
    const char* name;
    // Makes the drive's content in `root`; `outside` is a folder beside the drive.
    std::function<void(const fs::path& root, const fs::path& outside, test::GuardHarness& h)> make;
    // The notice after "立即清除", or "" when no worm's shortcut is to be found.
    std::string notice;
    std::function<void(Form7& dialog)> checkDialog = nullptr;
    std::function<void(test::GuardHarness& h, const fs::path& root)> check = nullptr;
};

const std::string kCmd = "C:\\WINDOWS\\system32\\cmd.exe";

// The wording is ShortcutWormTest's to check; here only the counts matter.
std::string cleaned(int shortcuts, int payloads, int shown) {
    monitor::CleaningReport report;
    report.shortcutsRemoved = shortcuts;
    report.payloadsRemoved = payloads;
    report.itemsShown = shown;
    return monitor::cleaningNotice(report);
}

// A hidden folder "docs" with the user's file, which a worm's shortcut stands in for.
void hiddenDocs(test::GuardHarness& h, const fs::path& root) {
    writeFile(root / "docs" / "a.txt", "the user's");
    h.removalFiles.setDosAttributes(root / "docs", removal::kHidden | removal::kSystem);
}

std::string wormShortcut(const std::string& arguments) {
    return worms::test::makeShortcut(worms::test::shortcutTo(kCmd, arguments));
}

const HostileShortcuts kShortcutDrives[] = {
    {"a shortcut cut inside its item ID list",
     [](const fs::path& root, const fs::path&, test::GuardHarness& h) {
         hiddenDocs(h, root);
         writeFile(root / "docs.lnk", wormShortcut("/c start x.exe").substr(0, 100));
         writeFile(root / "x.exe", "MZ");
     },
     "", nullptr,
     [](test::GuardHarness&, const fs::path& root) {
         EXPECT_TRUE(fs::exists(root / "docs.lnk")) << "no shortcut Windows could follow";
     }},
    {"a shortcut cut inside its arguments",
     [](const fs::path& root, const fs::path&, test::GuardHarness& h) {
         hiddenDocs(h, root);
         std::string bytes = wormShortcut("/c start x.exe & explorer docs");
         writeFile(root / "docs.lnk", bytes.substr(0, bytes.size() - 4 - 30));
         writeFile(root / "x.exe", "MZ");
     },
     cleaned(1, 1, 1),
     [](Form7& dialog) {
         EXPECT_EQ(dialog.findings().shortcuts.at(0).command, kCmd + " /c start x.exe ")
             << "as far as the bytes go";
     }},
    {"an oversized shortcut: 65,535 characters of arguments, most past the read limit",
     [](const fs::path& root, const fs::path&, test::GuardHarness& h) {
         hiddenDocs(h, root);
         writeFile(root / "docs.lnk",
                   wormShortcut("/c start x.vbs" + std::string(65535 - 14, ' ')));
         writeFile(root / "x.vbs", "' worm");
     },
     cleaned(1, 1, 1),
     [](Form7& dialog) {
         EXPECT_NE(dialog.Text1.text().find("/c start x.vbs["), std::string::npos)
             << "the padding is written out";
         EXPECT_LT(dialog.Text1.text().size(), 2000u);
     }},
    {"an item ID list whose item never advances, beside a LinkInfo naming cmd.exe",
     [](const fs::path& root, const fs::path&, test::GuardHarness& h) {
         hiddenDocs(h, root);
         std::string bytes = wormShortcut("/c start x.exe");
         bytes.replace(78 + 20, 2, worms::test::le16(1));
         writeFile(root / "docs.lnk", bytes);
         writeFile(root / "x.exe", "MZ");
     },
     cleaned(1, 1, 1)},
    {"an item ID list overrunning the file",
     [](const fs::path& root, const fs::path&, test::GuardHarness& h) {
         hiddenDocs(h, root);
         std::string bytes = wormShortcut("/c start x.exe");
         bytes.replace(76, 2, worms::test::le16(0xFFF0));
         writeFile(root / "docs.lnk", bytes);
     },
     ""},
    {"targets and arguments that leave the drive",
     [](const fs::path& root, const fs::path& outside, test::GuardHarness& h) {
         hiddenDocs(h, root);
         const std::string away = outside.filename().string();
         writeFile(root / "USB.lnk", wormShortcut("/c start ..\\" + away +
                                                  "\\sentinel.txt & c:\\sentinel.txt & "
                                                  "\\\\?\\c:\\sentinel.txt & .\\..\\sentinel.txt"));
         worms::test::ShortcutSpec leaving;
         leaving.idList = leaving.linkInfo = false;
         leaving.relativePath = "..\\" + away + "\\evil.exe";
         writeFile(root / "docs.lnk", worms::test::makeShortcut(leaving));
         writeFile(outside / "evil.exe", "MZ");
     },
     cleaned(1, 0, 1),
     [](Form7& dialog) {
         ASSERT_EQ(dialog.findings().shortcuts.size(), 1u) << "a target off the drive is no twin's";
         EXPECT_TRUE(dialog.findings().shortcuts[0].payloads.empty());
     }},
    {"a worm's shortcut reached through a link off the drive",
     [](const fs::path& root, const fs::path& outside, test::GuardHarness& h) {
         hiddenDocs(h, root);
         writeFile(outside / "docs.lnk", wormShortcut("/c start x.exe"));
         fs::create_symlink(outside / "docs.lnk", root / "docs.lnk");
         fs::create_directory_symlink(outside, root / "away");
         h.removalFiles.setDosAttributes(root / "away", removal::kHidden);
     },
     "", nullptr,
     [](test::GuardHarness&, const fs::path& root) {
         EXPECT_TRUE(fs::is_symlink(fs::symlink_status(root / "docs.lnk")));
     }},
};

TEST(HostileDriveTest, NoShortcutAnAttackerMakesCrashesTheGuardOrReachesOutsideIt) {
    for (const HostileShortcuts& drive : kShortcutDrives) {
        SCOPED_TRACE(drive.name);
        test::GuardHarness h;
        const fs::path outside = plantSentinels(h);
        fs::path e = h.addDrive('e', DriveType::Removable);
        drive.make(e, outside, h);
        const std::map<std::string, std::string> outsideBefore = snapshot(outside, 1u << 20);
        const std::map<std::string, std::string> before = snapshot(e, 1u << 20);
        h.guard.start();
        if (!drive.notice.empty()) {
            h.host.expectModal("Form7", [&](ui::Form& f) {
                auto& dialog = static_cast<Form7&>(f);
                if (drive.checkDialog) drive.checkDialog(dialog);
                h.host.expectMessageBox(drive.notice, ui::MsgAnswer::Ok);
                dialog.Command1.click();
            });
        }
        h.host.advance(1500);
        EXPECT_TRUE(h.host.allExpectationsMet());
        EXPECT_EQ(snapshot(outside, 1u << 20), outsideBefore);
        EXPECT_EQ(readFile(h.temp.path() / "c" / "sentinel.txt"), "keep");
        std::set<std::string> kept;
        for (const removal::QuarantineEntry& entry : quarantined(h)) {
            ASSERT_TRUE(entry.header);
            const std::string& path = entry.header->originalPath;
            EXPECT_TRUE(kept.insert(path).second) << path << " kept twice";
            ASSERT_TRUE(before.contains(path)) << path << " is not of the drive";
            EXPECT_TRUE(keptBytes(h, entry.name) == before.at(path))
                << path << " is not kept byte for byte";
        }
        for (const std::string& path : loggedPaths(h)) EXPECT_TRUE(kept.contains(path)) << path;
        if (drive.check) drive.check(h, e);
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
