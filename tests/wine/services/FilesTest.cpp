// Files and folders through the Win32 file system: what counts as a file, the marked folder
// and the folder a reserved device name makes, listings, deletes that never widen, and
// text in GBK saved in one step.

#include <gtest/gtest.h>

#include <algorithm>

#include "common/win32/UniqueHandle.h"
#include "guard/monitor/AutorunFile.h"
#include "guard/platform/win32/services/Win32FileSystem.h"
#include "tests/wine/tools/TestKit.h"

namespace {

using namespace qv::testkit;

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(folder.path().empty()); }
    // The UTF-8 path of `name` inside the test folder.
    std::string at(std::wstring_view name) const { return utf8(folder / name); }
    bool isFolder(const std::wstring& path) const {
        DWORD a = GetFileAttributesW(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
    }
    // Deletes `path`, asking again for a few seconds while it is refused. In fresh test
    // prefixes Wine has, for a moment after the tests before, named a new folder's file
    // otherwise than the path it was opened by, and the delete refused it as a file reached
    // through a link; a refusal that lasts still fails the test.
    qv::Status deleteSoon(const std::string& path) {
        qv::Status last = files.deleteFile(path);
        waitFor([&] { return last.ok() || (last = files.deleteFile(path)).ok(); }, 3s);
        return last;
    }

    TempFolder folder;
    qv::win32::Win32FileSystem files;
};

TEST_F(FilesTest, AStickPluggedInUnderALetterAnotherLeftIsToldFromIt) {
    TempFolder first{L"qv-first"}, second{L"qv-second"};
    auto letter = freeDriveLetter();
    ASSERT_TRUE(letter);
    std::optional<qv::platform::VolumeIdentity> before;
    {
        SimulatedDrive drive(*letter, DRIVE_REMOVABLE, first.path());
        ASSERT_TRUE(drive.ok());
        before = files.volumeIdentity(*letter);
        ASSERT_TRUE(before);
        EXPECT_EQ(files.volumeIdentity(static_cast<char>(*letter - 'a' + 'A')), before);
    }
    EXPECT_FALSE(files.volumeIdentity(*letter)) << "no drive, no identity";
    SimulatedDrive other(*letter, DRIVE_REMOVABLE, second.path());
    ASSERT_TRUE(other.ok());
    EXPECT_NE(files.volumeIdentity(*letter), before);
    other.remove();
    SimulatedDrive again(*letter, DRIVE_REMOVABLE, first.path());
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(files.volumeIdentity(*letter), before) << "the same stick plugged in again";
}

TEST_F(FilesTest, OnlyFilesExist) {
    ASSERT_TRUE(CreateDirectoryW((folder / L"autorun.inf").c_str(), nullptr));
    ASSERT_TRUE(writeBytes(folder / L"a.txt", "x"));
    EXPECT_FALSE(files.fileExists(at(L"autorun.inf")));
    EXPECT_TRUE(files.fileExists(at(L"a.txt")));
    EXPECT_FALSE(files.fileExists(at(L"missing.txt")));
    EXPECT_FALSE(files.fileExists(""));
    EXPECT_FALSE(files.fileExists(at(L"a.txt") + std::string(1, '\0') + "x"));
}

TEST_F(FilesTest, DeleteRemovesOneFileAndNothingElse) {
    ASSERT_TRUE(writeBytes(folder / L"a.exe", "x"));
    ASSERT_TRUE(writeBytes(folder / L"b.exe", "x"));
    ASSERT_TRUE(CreateDirectoryW((folder / L"dir").c_str(), nullptr));

    EXPECT_FALSE(files.deleteFile(at(L"*.exe")).ok());
    EXPECT_FALSE(files.deleteFile(at(L"?.exe")).ok());
    EXPECT_TRUE(files.fileExists(at(L"a.exe")));
    EXPECT_TRUE(files.fileExists(at(L"b.exe")));

    EXPECT_FALSE(files.deleteFile(at(L"dir")).ok());
    EXPECT_TRUE(isFolder(folder / L"dir"));

    qv::Status deleted = deleteSoon(at(L"a.exe"));
    EXPECT_TRUE(deleted.ok()) << deleted.description();
    EXPECT_FALSE(files.fileExists(at(L"a.exe")));
    EXPECT_TRUE(files.fileExists(at(L"b.exe")));
    auto missing = files.deleteFile(at(L"a.exe"));
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.description().empty());

    // A read-only file stays: its attributes are not changed to force the delete.
    ASSERT_TRUE(SetFileAttributesW((folder / L"b.exe").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(files.deleteFile(at(L"b.exe")).ok());
    EXPECT_TRUE(files.fileExists(at(L"b.exe")));
}

TEST_F(FilesTest, FoldersAreMadeAndRemovedOneAtATime) {
    EXPECT_TRUE(files.createDirectory(at(L"new")).ok());
    EXPECT_TRUE(isFolder(folder / L"new"));
    EXPECT_FALSE(files.createDirectory(at(L"a\\b")).ok());  // no parents made
    ASSERT_TRUE(writeBytes(folder / L"new\\f.txt", "x"));
    EXPECT_FALSE(files.removeDirectory(at(L"new")).ok());
    qv::Status deleted = deleteSoon(at(L"new\\f.txt"));
    EXPECT_TRUE(deleted.ok()) << deleted.description();
    EXPECT_TRUE(files.removeDirectory(at(L"new")).ok());
    EXPECT_FALSE(isFolder(folder / L"new"));
    EXPECT_FALSE(files.removeDirectory(at(L"new")).ok());
}

TEST_F(FilesTest, AMarkedFolderHoldsAFolderNamedAfterAReservedDeviceName) {
    auto letter = freeDriveLetter();
    ASSERT_TRUE(letter);
    SimulatedDrive drive(*letter, DRIVE_REMOVABLE, folder.path());
    ASSERT_TRUE(drive.ok());
    std::string root = utf8(drive.root());

    const qv::platform::DosAttributes marks{.readOnly = true, .hidden = true, .system = true};
    ASSERT_TRUE(files.createDirectoryAs(root + "autorun.inf", marks).ok());
    auto made = files.createDirectory(root + "autorun.inf\\con\\");
    EXPECT_TRUE(made.ok()) << made.description();
    EXPECT_TRUE(isFolder(L"\\\\?\\" + folder.path() + L"\\autorun.inf\\con"));
    // The marks read back, each of them (a folder made and then marked keeps no read-only
    // mark under Wine, and Wine's attrib keeps only the last flag it is given).
    auto outer = files.attributes(root + "autorun.inf");
    ASSERT_TRUE(outer);
    EXPECT_TRUE(outer->directory);
    EXPECT_EQ(outer->dos, marks);
    auto con = files.attributes(root + "autorun.inf\\con\\");
    ASSERT_TRUE(con);
    EXPECT_TRUE(con->directory);
    EXPECT_EQ(con->dos, qv::platform::DosAttributes{});
    EXPECT_FALSE(files.attributes(root + "autorun.inf\\none"));
    // A file can no longer be made where the folder stands, and the folder is no file.
    EXPECT_FALSE(files.fileExists(root + "autorun.inf"));
    EXPECT_FALSE(files.writeText(root + "autorun.inf", "[autorun]").ok());
    EXPECT_FALSE(files.removeDirectory(root + "autorun.inf").ok());  // not empty
    // Made a second time, the folder is reported as already there.
    auto again = files.createDirectory(root + "autorun.inf\\con\\");
    EXPECT_FALSE(again.ok());
    EXPECT_FALSE(again.description().empty());
    auto inside = files.listFolder(root + "autorun.inf");
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->folders, std::vector<std::string>{"con"});

    // One left half made, empty: it loses its read-only mark alone, and then can go.
    ASSERT_TRUE(files.createDirectoryAs(root + "half", marks).ok());
    inside = files.listFolder(root + "half");
    ASSERT_TRUE(inside);
    EXPECT_TRUE(inside->folders.empty() && inside->files.empty());
    qv::Status cleared = files.clearReadOnly(root + "half");
    EXPECT_TRUE(cleared.ok()) << cleared.description();
    auto half = files.attributes(root + "half");
    ASSERT_TRUE(half);
    EXPECT_EQ(half->dos, (qv::platform::DosAttributes{.hidden = true, .system = true}));
    EXPECT_TRUE(files.removeDirectory(root + "half").ok());
}

TEST_F(FilesTest, SubfoldersListsFoldersOnlyWithFullPaths) {
    for (const wchar_t* name : {L"beta", L"Alpha", L"中文", L"gamma.dir"}) {
        ASSERT_TRUE(CreateDirectoryW((folder / name).c_str(), nullptr));
    }
    ASSERT_TRUE(writeBytes(folder / L"file.txt", "x"));
    ASSERT_TRUE(writeBytes(folder / L"beta\\inner.txt", "x"));
    auto listed = files.subfolders(at(L""));  // with a trailing backslash
    ASSERT_TRUE(listed);
    std::string base = at(L"");
    std::vector<std::string> expected = {base + "Alpha", base + "beta", base + "gamma.dir",
                                         base + "中文"};
    EXPECT_EQ(*listed, expected);
    auto noSlash = files.subfolders(utf8(folder.path()));
    ASSERT_TRUE(noSlash);
    EXPECT_EQ(*noSlash, expected);

    EXPECT_EQ(files.subfolders(at(L"beta")), std::vector<std::string>{});
    EXPECT_EQ(files.subfolders(at(L"missing")), std::nullopt);
    EXPECT_EQ(files.subfolders(""), std::nullopt);
}

TEST_F(FilesTest, SubfoldersOfAnEmptyDriveRootIsAnEmptyList) {
    auto letter = freeDriveLetter();
    ASSERT_TRUE(letter);
    SimulatedDrive drive(*letter, DRIVE_REMOVABLE, folder.path());
    ASSERT_TRUE(drive.ok());
    EXPECT_EQ(files.subfolders(utf8(drive.root())), std::vector<std::string>{});
    ASSERT_TRUE(CreateDirectoryW((folder / L"sub").c_str(), nullptr));
    EXPECT_EQ(files.subfolders(utf8(drive.root())),
              std::vector<std::string>{utf8(drive.root()) + "sub"});
}

TEST_F(FilesTest, TextIsStoredInTheAnsiCodePage) {
    // The test prefix runs with a Chinese locale: the ANSI code page is GBK.
    ASSERT_EQ(GetACP(), 936u);
    const std::string text = "2026/12/8 14:03:59 发现病毒 e:\\autorun.inf\r\n";
    ASSERT_TRUE(files.writeText(at(L"Rz.log"), text).ok());
    EXPECT_EQ(readBytes(folder / L"Rz.log"), toGbk(text));
    EXPECT_EQ(files.readText(at(L"Rz.log")), text);

    ASSERT_TRUE(files.appendText(at(L"Rz.log"), "第二行\r\n").ok());
    EXPECT_EQ(readBytes(folder / L"Rz.log"), toGbk(text + "第二行\r\n"));

    // Replacing the content leaves no trace of the old one, and no stray files.
    ASSERT_TRUE(files.writeText(at(L"Rz.log"), "短").ok());
    EXPECT_EQ(readBytes(folder / L"Rz.log"), toGbk("短"));
    auto listed = files.subfolders(at(L""));
    ASSERT_TRUE(listed);
    WIN32_FIND_DATAW entry;
    qv::win32::UniqueFind search(FindFirstFileW((folder / L"*").c_str(), &entry));
    ASSERT_TRUE(search);
    std::vector<std::wstring> names;
    do {
        if (entry.cFileName[0] != L'.') names.push_back(entry.cFileName);
    } while (FindNextFileW(search.get(), &entry));
    EXPECT_EQ(names, std::vector<std::wstring>{L"Rz.log"});

    // A temporary left by a save killed half-way goes at the next save of its file; files
    // of other names stay.
    ASSERT_TRUE(writeBytes(folder / L"Rz.log.qvsave", "half"));
    ASSERT_TRUE(writeBytes(folder / L"qv1A2B.tmp", "other"));
    ASSERT_TRUE(files.writeText(at(L"Rz.log"), "长").ok());
    EXPECT_EQ(readBytes(folder / L"Rz.log"), toGbk("长"));
    EXPECT_FALSE(readBytes(folder / L"Rz.log.qvsave"));
    EXPECT_EQ(readBytes(folder / L"qv1A2B.tmp"), "other");
    ASSERT_TRUE(DeleteFileW((folder / L"qv1A2B.tmp").c_str()));

    // Appending creates the file when needed.
    ASSERT_TRUE(files.appendText(at(L"new.log"), "新").ok());
    EXPECT_EQ(readBytes(folder / L"new.log"), toGbk("新"));
    ASSERT_TRUE(writeGbkFile(folder / L"gbk.txt", "忽略列表\r\nD:\\Temp\r\n"));
    EXPECT_EQ(files.readText(at(L"gbk.txt")), "忽略列表\r\nD:\\Temp\r\n");
}

TEST_F(FilesTest, UnreadableAndUnwritableTextIsReportedNotGuessed) {
    EXPECT_EQ(files.readText(at(L"missing.txt")), std::nullopt);
    ASSERT_TRUE(CreateDirectoryW((folder / L"dir").c_str(), nullptr));
    EXPECT_EQ(files.readText(at(L"dir")), std::nullopt);
    EXPECT_FALSE(files.writeText(at(L"dir"), "x").ok());
    EXPECT_TRUE(isFolder(folder / L"dir"));
    EXPECT_FALSE(files.appendText(at(L"dir"), "x").ok());
    EXPECT_FALSE(files.writeText(at(L"no\\such\\folder.txt"), "x").ok());

    ASSERT_TRUE(writeBytes(folder / L"ro.txt", "old"));
    ASSERT_TRUE(SetFileAttributesW((folder / L"ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    auto refused = files.writeText(at(L"ro.txt"), "new");
    EXPECT_FALSE(refused.ok());
    EXPECT_FALSE(refused.description().empty());
    EXPECT_EQ(readBytes(folder / L"ro.txt"), "old");

    EXPECT_EQ(files.readText(at(L"empty.txt")), std::nullopt);
    ASSERT_TRUE(writeBytes(folder / L"empty.txt", ""));
    EXPECT_EQ(files.readText(at(L"empty.txt")), "");
}

TEST_F(FilesTest, DevicesAreNotReadAsText) {
    // A hostile name must not make the guard read from a device and hang.
    EXPECT_EQ(files.readText(at(L"con")), std::nullopt);
    EXPECT_EQ(files.readText("\\\\.\\pipe\\qv-none"), std::nullopt);
}

TEST_F(FilesTest, ReadTextStartReadsOnlyTheFirstBytes) {
    ASSERT_TRUE(writeBytes(folder / L"big.inf", std::string(300000, 'x') + "\r\nopen=late.exe"));
    auto start = files.readTextStart(at(L"big.inf"), 1000);
    ASSERT_TRUE(start);
    EXPECT_EQ(*start, std::string(1000, 'x'));
    ASSERT_TRUE(writeGbkFile(folder / L"short.inf", "open=病毒.exe"));
    EXPECT_EQ(files.readTextStart(at(L"short.inf"), 1u << 20), "open=病毒.exe");
    EXPECT_EQ(files.readTextStart(at(L"missing.inf"), 10), std::nullopt);
    EXPECT_EQ(files.readTextStart("con", 10), std::nullopt) << "a device is never read";
}

// The protection log's line as the real services write it: GBK, the dashes A1 AA.
TEST_F(FilesTest, AppendedLogRecordIsGbk) {
    std::string log = at(L"Rz.log");
    ASSERT_TRUE(files.appendText(log, "成功删除e:\\autorun.inf    ——2026/12/8 14:03:59\r\n").ok());
    EXPECT_EQ(readBytes(folder / L"Rz.log"),
              "\xB3\xC9\xB9\xA6\xC9\xBE\xB3\xFD"
              "e:\\autorun.inf    \xA1\xAA\xA1\xAA"
              "2026/12/8 14:03:59\r\n");
}

// What the shortcut scan and its cleaning ask of a stick: the hidden and system entries of
// its root and its shortcuts with their stamps in the one listing, a file's first bytes as
// they are, hidden and system cleared on one entry only (never through a link), and the
// bus, which Wine's drives do not tell.
TEST_F(FilesTest, AWormsHiddenItemsAreListedReadAndShownAgainOneByOne) {
    auto letter = freeDriveLetter();
    ASSERT_TRUE(letter);
    SimulatedDrive drive(*letter, DRIVE_REMOVABLE, folder.path());
    ASSERT_TRUE(drive.ok());
    const std::string root = utf8(drive.root());
    const DWORD worm = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(CreateDirectoryW((folder / L"__").c_str(), nullptr));
    ASSERT_TRUE(writeBytes(folder / L"__\\a.txt", "the user's"));
    ASSERT_TRUE(CreateDirectoryW((folder / L"plain").c_str(), nullptr));
    ASSERT_TRUE(writeBytes(folder / L"pay.dat", "MZ"));
    ASSERT_TRUE(writeBytes(folder / L"x.lnk", std::string("L\0\0\0\x01\x14\x02", 7)));
    for (const wchar_t* name : {L"__", L"__\\a.txt", L"pay.dat"}) {
        ASSERT_TRUE(SetFileAttributesW((folder / name).c_str(), worm));
    }
    TempFolder outside{L"qv-outside"};
    ASSERT_TRUE(SetFileAttributesW(outside.path().c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(writeBytes(outside / L"f.txt", "x"));
    ASSERT_TRUE(SetFileAttributesW((outside / L"f.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(makeUnixLink(outside.path(), folder / L"away"));
    ASSERT_TRUE(makeUnixLink(outside / L"f.txt", folder / L"f.txt"));

    auto listing = files.listFolder(root);
    ASSERT_TRUE(listing);
    std::sort(listing->hidden.begin(), listing->hidden.end());
    EXPECT_EQ(listing->hidden, (std::vector<std::string>{"__", "away", "f.txt", "pay.dat"}))
        << "the links show what they point at";
    // The shortcuts with their stamps, which change when a shortcut is written over.
    ASSERT_EQ(listing->shortcuts.size(), 1u);
    const qv::platform::StampedFile listed = listing->shortcuts[0];
    EXPECT_EQ(listed.name, "x.lnk");
    EXPECT_EQ(listed.stamp.size, 7u);
    EXPECT_NE(listed.stamp.written, 0u);
    EXPECT_NE(listed.stamp.created, 0u);
    ASSERT_TRUE(writeBytes(folder / L"x.lnk", std::string("L\0\0\0\x01\x14\x02\0", 8)));
    // A listener is told of each shortcut as the listing finds it, stamp and all.
    struct Told : qv::platform::ShortcutListener {
        std::vector<qv::platform::StampedFile> shortcuts;
        void shortcutListed(const qv::platform::StampedFile& shortcut) override {
            shortcuts.push_back(shortcut);
        }
    } told;
    auto rewritten = files.listFolder(root, &told);
    ASSERT_TRUE(rewritten && rewritten->shortcuts.size() == 1u);
    EXPECT_NE(rewritten->shortcuts[0].stamp, listed.stamp);
    ASSERT_EQ(told.shortcuts.size(), 1u);
    EXPECT_EQ(told.shortcuts[0].name, "x.lnk");
    EXPECT_EQ(told.shortcuts[0].stamp, rewritten->shortcuts[0].stamp);
    ASSERT_TRUE(writeBytes(folder / L"x.lnk", std::string("L\0\0\0\x01\x14\x02", 7)));

    EXPECT_EQ(files.readBytes(root + "x.lnk", 4), std::string("L\0\0\0", 4));
    EXPECT_EQ(files.readBytes(root + "x.lnk", 1u << 16)->size(), 7u);
    EXPECT_EQ(files.readBytes(root + "none.lnk", 4), std::nullopt);
    for (const char* link : {"f.txt", "away\\f.txt"}) {
        EXPECT_EQ(files.readBytes(root + link, 4), std::nullopt) << link << " is read through";
    }
    EXPECT_EQ(files.ansiToText("\xB2\xA1"), "病");
    // The code page's converter may take a line end after a lone lead byte for its second
    // byte: an autorun.inf's next line stays a line of its own all the same.
    const auto ansi = [&](std::string_view bytes) { return files.ansiToText(bytes); };
    EXPECT_EQ(qv::monitor::openLine(qv::monitor::autorunText("junk\x81\r\nopen=worm.exe", ansi)),
              "worm.exe");

    // Names Windows would cut short elsewhere are asked about as they stand.
    for (const wchar_t* name : {L"docs.", L" "}) {
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + (folder / name)).c_str(), nullptr));
        ASSERT_TRUE(SetFileAttributesW((L"\\\\?\\" + (folder / name)).c_str(), worm));
    }
    for (const char* item : {"__", "pay.dat", "docs.", " "}) {
        auto before = files.attributes(root + item);
        ASSERT_TRUE(before) << "[" << item << "]";
        EXPECT_TRUE(before->dos.hidden && before->dos.system) << "[" << item << "]";
        qv::Status shown = files.clearHiddenAndSystem(root + item);
        EXPECT_TRUE(shown.ok()) << item << ": " << shown.description();
        auto now = files.attributes(root + item);
        ASSERT_TRUE(now);
        EXPECT_FALSE(now->dos.hidden || now->dos.system) << item;
    }
    EXPECT_EQ(GetFileAttributesW((folder / L"__\\a.txt").c_str()) & worm, worm)
        << "what the folder holds is not touched";
    EXPECT_EQ(readBytes(folder / L"__\\a.txt"), "the user's");
    for (const char* link : {"away", "f.txt"}) {
        EXPECT_FALSE(files.clearHiddenAndSystem(root + link).ok()) << link;
    }
    EXPECT_TRUE(GetFileAttributesW(outside.path().c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(GetFileAttributesW((outside / L"f.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(files.clearHiddenAndSystem(root + "gone").ok());

    EXPECT_FALSE(files.onUsbBus(*letter)) << "Wine tells no bus";
    EXPECT_FALSE(files.onUsbBus('c'));
    EXPECT_FALSE(files.onUsbBus('?'));
}

}  // namespace
