#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "common/posix/DriveTableRemovalFiles.h"
#include "common/worms/tests/ShortcutMaker.h"
#include "filedir/browser/BrowserFiles.h"
#include "filedir/browser/FolderLoad.h"
#include "filedir/tests/DriveTableFiles.h"

namespace fs = std::filesystem;
using namespace qv::filedir;

namespace {

Entry folder(std::string name, std::uint32_t a = 0) {
    return {std::move(name), kDirectory | a, 0, ""};
}
Entry file(std::string name, std::uint32_t a = kArchive) {
    return {std::move(name), a, 0, ""};
}

TEST(Marks, LookAlikesAndRootShortcuts) {
    struct Case {
        const char* name;
        bool root;
        Mark want;
    };
    std::vector<Entry> entries{folder("Docs", kHidden | kSystem), folder("music")};
    for (const Case& c :
         {Case{"docs.exe", false, Mark::LookAlike}, Case{"DOCS.EXE", true, Mark::LookAlike},
          Case{"Music.com", true, Mark::LookAlike}, Case{"docs.exe.txt", true, Mark::None},
          Case{"photos.exe", true, Mark::None}, Case{"docs.bat", true, Mark::None},
          Case{"Docs.lnk", true, Mark::Shortcut}, Case{"Docs.lnk", false, Mark::None}}) {
        SCOPED_TRACE(c.name);
        std::vector<Entry> all = entries;
        all.push_back(file(c.name));
        EXPECT_EQ(marksFor(all, c.root).back(), c.want);
        EXPECT_EQ(marksFor(all, c.root)[0], Mark::None) << "a folder is never marked";
    }
}

TEST(Names, ReservedDevicesAttributesAndPaths) {
    for (const char* n : {"con", "CON.txt", "nul", "com1", "LPT9.dat", "aux"})
        EXPECT_TRUE(isReservedDeviceName(n)) << n;
    for (const char* n : {"console", "com0", "com10", "lpt", "docs", "con_x"})
        EXPECT_FALSE(isReservedDeviceName(n)) << n;
    EXPECT_EQ(attributeText(kHidden | kSystem | kDirectory), "-HS-");
    EXPECT_EQ(attributeText(kReadOnly | kArchive), "R--A");
    EXPECT_EQ(childPath("e:\\", "docs"), "e:\\docs");
    EXPECT_EQ(childPath("e:\\docs", "a"), "e:\\docs\\a");
    EXPECT_EQ(parentPath("e:\\docs\\a"), "e:\\docs");
    EXPECT_EQ(parentPath("e:\\docs"), "e:\\");
    EXPECT_EQ(parentPath("e:\\"), "e:\\");
}

class StickTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root / "data");
        fs::create_directories(stick / "docs");
        fs::create_directories(stick / "photos");
        fs::create_directories(stick / "plain");
        fs::create_directories(outside / "secret");
        std::ofstream(stick / "docs.exe") << "MZ";
        fs::create_directory_symlink(outside, stick / "away");
        files.addDrive('e', 1, stick);
        files.setAttr("e:\\docs", kHidden | kSystem | kReadOnly);
        files.setAttr("e:\\photos", kHidden);
        files.setAttr("e:\\away", kHidden | kSystem);
        files.setAttr("e:\\docs.exe", kArchive);
    }
    void TearDown() override {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(root, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
        fs::remove_all(root, ec);
    }
    std::vector<Entry> listing(const std::string& at) {
        std::vector<Entry> out;
        EXPECT_TRUE(listFolder(files, at, out).ok());
        sortEntries(out);
        return out;
    }
    const fs::path root = fs::temp_directory_path() /
                          ("qv_filedir_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    const fs::path stick = root / "stick";
    const fs::path outside = root / "outside";
    test::DriveTableFiles files;
    // Deleting goes through the removal over the same drives; the guard's data folder is
    // the current directory of the drive table, its quarantine "隔离区" there.
    qv::posix::DriveTableRemovalFiles removalFiles{
        root / "data", [this](const std::string& path) { return files.hostPathOnDrive(path); }};
    qv::removal::DriveFileRemoval removal{removalFiles, "隔离区"};
};

TEST(RestoreAllStartTest, AStickGoesAtOnceAnotherDriveAsksAndWindowsOwnDriveIsRefused) {
    using Action = RestoreAllStart::Action;
    EXPECT_EQ(restoreAllStart("e:\\", 1, 'C').action, Action::Go);
    for (int type : {0, 2, 3, 5}) {
        RestoreAllStart start = restoreAllStart("d:\\", type, 'c');
        EXPECT_EQ(start.action, Action::Ask) << type;
        EXPECT_EQ(start.text.rfind("d:\\ 不是可移动磁盘。", 0), 0u) << start.text;
    }
    for (int type : {1, 2}) {
        RestoreAllStart start = restoreAllStart("C:\\", type, 'c');
        EXPECT_EQ(start.action, Action::Refuse) << type;
        EXPECT_NE(start.text.find("是 Windows 所在的磁盘"), std::string::npos);
    }
    EXPECT_EQ(restoreAllStart("c:\\", 2, 0).action, Action::Ask) << "Windows' drive unknown";
}

TEST_F(StickTest, RestoreAllClearsHiddenAndSystemOfRootFoldersOnlyAndKeepsTheRest) {
    std::vector<Entry> entries = listing("e:\\");
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(marksFor(entries, true).back(), Mark::LookAlike);

    RestoreAllReport report = restoreAll(files, "e:\\", entries);
    EXPECT_EQ(report.changed, 2) << "docs and photos; the link and the plain folder untouched";
    EXPECT_EQ(describe(report),
              "已还原 2 个隐藏文件夹。\r\n以下 1 个未能还原：\r\n"
              "away：是链接或交接点，可能通向本盘以外，不予还原");
    qv::Status unread = qv::Status::success();
    EXPECT_EQ(*files.attributes("e:\\docs", unread), kDirectory | kReadOnly) << "read-only kept";
    EXPECT_EQ(*files.attributes("e:\\photos", unread), kDirectory);
    EXPECT_EQ(*files.attributes("e:\\away", unread) & (kHidden | kSystem), kHidden | kSystem);

    // A second pass finds nothing more to do and writes nothing.
    int before = files.writes;
    EXPECT_EQ(restoreAll(files, "e:\\", listing("e:\\")).changed, 0);
    EXPECT_EQ(files.writes, before);

    // What systems keep hidden of their own accord stays hidden.
    for (const char* own : {"System Volume Information", "$RECYCLE.BIN", "FOUND.000"}) {
        fs::create_directory(stick / own);
        files.setAttr(std::string("e:\\") + own, kHidden | kSystem);
    }
    EXPECT_EQ(restoreAll(files, "e:\\", listing("e:\\")).changed, 0);
    EXPECT_EQ(*files.attributes("e:\\FOUND.000", unread), kDirectory | kHidden | kSystem);
}

TEST_F(StickTest, NothingIsFollowedOffTheDrive) {
    std::vector<Entry> out;
    EXPECT_FALSE(listFolder(files, "e:\\away", out).ok());
    EXPECT_FALSE(listFolder(files, "e:\\away\\secret", out).ok());
    EXPECT_FALSE(listFolder(files, "e:\\..\\outside", out).ok());
    Entry link = folder("away", kReparsePoint | kHidden);
    qv::Status r = restore(files, "e:\\", link);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.description().find("链接"), std::string::npos);
    EXPECT_FALSE(files.setAttributes("e:\\away\\secret", 0).ok());
    EXPECT_TRUE(deleteEntry(removal, "e:\\", link).error);
    EXPECT_TRUE(deleteEntry(removal, "e:\\away", file("secret")).error);
    EXPECT_TRUE(fs::exists(outside / "secret"));
}

TEST_F(StickTest, DeleteTakesFilesOnlyKeepsTheirCopyAndTellsWhatFailed) {
    EXPECT_TRUE(deleteEntry(removal, "e:\\", folder("plain")).error);
    EXPECT_TRUE(fs::exists(stick / "plain"));
    fs::permissions(stick / "docs.exe", fs::perms::owner_write, fs::perm_options::remove);
    Told deleted = deleteEntry(removal, "e:\\", file("docs.exe"));
    EXPECT_FALSE(deleted.error);
    EXPECT_EQ(deleted.text, "已删除“docs.exe”。\r\n副本保存在隔离区，可从“隔离区”恢复。");
    EXPECT_FALSE(fs::exists(stick / "docs.exe")) << "read-only is no obstacle";
    EXPECT_EQ(
        std::distance(fs::directory_iterator(root / "data" / "隔离区"), fs::directory_iterator()),
        1);

    std::ofstream(stick / "held.exe") << "MZ";
    removalFiles.holdOpen(stick / "held.exe");
    Told held = deleteEntry(removal, "e:\\", file("held.exe"));
    EXPECT_TRUE(held.error);
    EXPECT_EQ(held.text, "无法删除“held.exe”：另一个程序正在使用此文件，进程无法访问。");
    EXPECT_TRUE(fs::exists(stick / "held.exe"));
}

// A worm names its files with characters that show as nothing or turn the text around;
// the browser's notices write them out, as it acts on the true name.
TEST_F(StickTest, NoticesWriteOutTheCharactersANameHides) {
    const std::string blank = "\xC2\xA0", turned = "photo\xE2\x80\xAEgpj.exe";
    fs::create_directories(stick / blank);
    std::ofstream(stick / turned) << "MZ";
    EXPECT_EQ(deleteEntry(removal, "e:\\", folder(blank)).text,
              "“[U+00A0]”不是普通文件，文件浏览器只删除文件。");
    Told deleted = deleteEntry(removal, "e:\\", file(turned));
    EXPECT_EQ(deleted.text,
              "已删除“photo[U+202E]gpj.exe”。\r\n副本保存在隔离区，可从“隔离区”恢复。");
    EXPECT_FALSE(fs::exists(stick / turned));
}

TEST_F(StickTest, AFailedRestoreIsNamedInTheReport) {
    std::vector<Entry> entries = listing("e:\\");
    fs::remove(stick / "photos");  // gone between the listing and the action
    RestoreAllReport report = restoreAll(files, "e:\\", entries);
    EXPECT_EQ(report.changed, 1);
    ASSERT_EQ(report.failures.size(), 2u) << "the link named first, then photos";
    EXPECT_NE(describe(report).find("photos"), std::string::npos);
    EXPECT_NE(report.failures[1].find("系统找不到指定的文件"), std::string::npos)
        << "with the system's reason: " << report.failures[1];
}

// A root of many hidden folders is restored a piece at a time; the pieces come to what one
// step does, and only the hidden folders count.
TEST_F(StickTest, RestoringARootAPieceAtATimeComesToTheSame) {
    for (int i = 0; i < 7; ++i) {
        fs::create_directories(stick / ("hidden" + std::to_string(i)));
        ASSERT_TRUE(
            files.setAttributes("e:\\hidden" + std::to_string(i), kDirectory | kHidden | kSystem)
                .ok());
    }
    std::vector<Entry> entries = listing("e:\\");
    RestoreAllRun run("e:\\", entries);
    const std::size_t hidden = run.total();
    EXPECT_GE(hidden, 7u);
    std::vector<std::size_t> pieces;
    while (run.step(files, 3)) pieces.push_back(run.done());
    pieces.push_back(run.done());
    EXPECT_EQ(pieces.back(), hidden);
    EXPECT_EQ(pieces.front(), 3u);
    EXPECT_EQ(run.report().changed, static_cast<int>(hidden)) << "the link is named, not counted";
    qv::Status unread = qv::Status::success();
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(*files.attributes("e:\\hidden" + std::to_string(i), unread) & (kHidden | kSystem),
                  0u);
    }
    EXPECT_FALSE(run.step(files, 3)) << "nothing left";
}

TEST(RestoreAllReportTest, ManyFailuresAreCountedAndABrokenListingIsTold) {
    RestoreAllReport report;
    for (int i = 0; i < 30; ++i)
        report.failures.push_back("d" + std::to_string(i) + "：拒绝访问。");
    report.unread = "由于 I/O 设备错误，无法运行此项请求。";
    const std::string text = describe(report);
    EXPECT_NE(text.find("以下 30 个未能还原"), std::string::npos);
    EXPECT_NE(text.find("\r\nd19："), std::string::npos);
    EXPECT_EQ(text.find("d20："), std::string::npos);
    EXPECT_NE(text.find("……另有 10 个"), std::string::npos);
    EXPECT_NE(
        text.find(
            "根目录没能读完（由于 I/O 设备错误，无法运行此项请求），其后的隐藏文件夹没有还原。"),
        std::string::npos);
}

TEST_F(StickTest, AHugeFolderIsReadInPiecesThenSortedAndMarked) {
    fs::create_directories(stick / "big");
    for (int i = 0; i < 3000; ++i) fs::create_directory(stick / "big" / ("d" + std::to_string(i)));
    for (int i = 0; i < 3000; i += 1000)
        std::ofstream(stick / "big" / ("d" + std::to_string(i) + ".exe"));
    files.setAttr("e:\\big\\d7", kHidden | kSystem);

    FolderLoad load;
    ASSERT_TRUE(load.start(files, "e:\\big").ok());
    int pieces = 0;
    while (load.step(500)) {
        ++pieces;
        EXPECT_LE(load.entries().size(), std::size_t(500 * pieces));
        EXPECT_TRUE(load.marks().empty());
        EXPECT_EQ(load.statusText().rfind("正在读取", 0), 0u);
    }
    EXPECT_EQ(pieces, 6);
    EXPECT_FALSE(load.loading());
    ASSERT_EQ(load.entries().size(), 3003u);
    EXPECT_TRUE(load.entries()[2999].isFolder());
    EXPECT_EQ(load.entries()[3000].name, "d0.exe") << "folders first, then files";
    EXPECT_EQ(load.statusText(), "共 3003 项，隐藏 1 项，可疑 3 项");

    // A folder that cannot be opened leaves the one shown as it was.
    EXPECT_FALSE(load.start(files, "e:\\away").ok());
    EXPECT_EQ(load.folder(), "e:\\big");
    EXPECT_EQ(load.entries().size(), 3003u);
}

TEST_F(StickTest, RootShortcutsAreReadAFewAtATimeAndTheWormsOnesMarked) {
    using qv::worms::test::makeShortcut;
    using qv::worms::test::shortcutTo;
    const std::string cmd = "C:\\WINDOWS\\system32\\cmd.exe";
    std::ofstream(stick / "docs.lnk", std::ios::binary)
        << makeShortcut(shortcutTo(cmd, "/c start docs.exe & explorer docs"));
    std::ofstream(stick / "photos.lnk", std::ios::binary)
        << makeShortcut(shortcutTo("E:\\photos\\run.exe"));  // beside the hidden photos
    std::ofstream(stick / "plain.lnk", std::ios::binary)
        << makeShortcut(shortcutTo("E:\\plain\\run.exe"));  // plain is not hidden
    std::ofstream(stick / "thesis.lnk", std::ios::binary)
        << makeShortcut(shortcutTo("E:\\docs\\thesis.docx"));
    for (int i = 0; i < 40; ++i) {
        std::ofstream(stick / ("user" + std::to_string(i) + ".lnk"), std::ios::binary)
            << makeShortcut(shortcutTo("E:\\plain\\file" + std::to_string(i) + ".txt"));
    }
    std::ofstream(stick / "plain" / "inner.lnk", std::ios::binary)
        << makeShortcut(shortcutTo(cmd, "/c x"));

    FolderLoad load;
    ASSERT_TRUE(load.start(files, "e:\\").ok());
    EXPECT_TRUE(load.step(100000)) << "every entry in, the shortcuts still to read";
    EXPECT_FALSE(load.loading());
    EXPECT_EQ(files.reads, 0);
    int steps = 1;
    while (load.step(100000)) {
        ++steps;
        EXPECT_EQ(load.statusText().rfind("正在检查快捷方式", 0), 0u) << load.statusText();
        EXPECT_LE(files.reads, int(FolderLoad::kShortcutsPerStep) * (steps - 1));
    }
    EXPECT_EQ(files.reads, 44) << "the root's shortcuts, nothing else";
    std::map<std::string, Mark> marked;
    for (std::size_t i = 0; i < load.entries().size(); ++i) {
        marked[load.entries()[i].name] = load.marks()[i];
    }
    EXPECT_EQ(marked["docs.lnk"], Mark::WormShortcut);
    EXPECT_EQ(marked["photos.lnk"], Mark::WormShortcut);
    EXPECT_EQ(marked["plain.lnk"], Mark::Shortcut);
    EXPECT_EQ(marked["thesis.lnk"], Mark::Shortcut);
    EXPECT_EQ(marked["user7.lnk"], Mark::Shortcut);

    // Every hidden item shown again ("全部还原"): the shortcut that opens a folder and runs a
    // program of the stick is still the worm's; the one that only stood in for a hidden
    // folder is a plain shortcut now.
    for (const char* item : {"e:\\docs", "e:\\photos", "e:\\away"}) files.setAttr(item, 0);
    ASSERT_TRUE(load.start(files, "e:\\").ok());
    while (load.step(100000)) {
    }
    marked.clear();
    for (std::size_t i = 0; i < load.entries().size(); ++i) {
        marked[load.entries()[i].name] = load.marks()[i];
    }
    EXPECT_EQ(marked["docs.lnk"], Mark::WormShortcut);
    EXPECT_EQ(marked["photos.lnk"], Mark::Shortcut);

    ASSERT_TRUE(load.start(files, "e:\\plain").ok());
    EXPECT_FALSE(load.step(100000)) << "no shortcut is read outside a root";
    EXPECT_EQ(load.marks().at(0), Mark::None);
}

}  // namespace
