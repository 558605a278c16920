// Reading a root's shortcuts while the root is listed: each shortcut the listing tells of
// is read once, on a thread other than the listing's, but for those found harmless
// unchanged before; the scan then finds what a scan reading them itself finds, without
// reading them again; and what the thread keeps stays within what one scan takes.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "common/worms/tests/ShortcutMaker.h"
#include "guard/monitor/HarmlessShortcuts.h"
#include "guard/monitor/ShortcutReadAhead.h"
#include "guard/monitor/ShortcutScan.h"
#include "guard/platform/posix/DriveTableFileSystem.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
using test::writeFile;
using worms::test::makeShortcut;
using worms::test::shortcutTo;

const std::string kCmd = "C:\\WINDOWS\\system32\\cmd.exe";

// The drive table, remembering which thread read each file's bytes.
class ReadRecordingFiles : public posix::DriveTableFileSystem {
public:
    using DriveTableFileSystem::DriveTableFileSystem;
    std::optional<std::string> readBytes(const std::string& path, std::size_t maxBytes) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            readers_.emplace(path, std::this_thread::get_id());
        }
        return DriveTableFileSystem::readBytes(path, maxBytes);
    }
    std::multimap<std::string, std::thread::id> readers() {
        std::lock_guard<std::mutex> lock(mutex_);
        return readers_;
    }
    void forgetReads() {
        std::lock_guard<std::mutex> lock(mutex_);
        readers_.clear();
    }

private:
    std::mutex mutex_;
    std::multimap<std::string, std::thread::id> readers_;
};

class ShortcutReadAheadTest : public ::testing::Test {
protected:
    ShortcutReadAheadTest() : files(temp.path() / "cwd") {
        fs::create_directories(temp.path() / "cwd");
        files.addDrive('e', platform::DriveType::Removable, stick);
        fs::create_directories(stick / "docs");
        writeFile(stick / "docs" / "DriveMgr.exe", "MZ the worm");
        // The user's folder, which the worm hid.
        files.marks()->set(stick / "docs", posix::DosMarks::kHidden | posix::DosMarks::kSystem);
    }
    std::optional<platform::FolderListing> listAhead() {
        readAhead.begin("e:\\", harmless);
        auto listing = files.listFolder("e:\\", &readAhead);
        readAhead.finish();
        return listing;
    }

    test::TempFolder temp;
    fs::path stick = temp.path() / "e";
    ReadRecordingFiles files;
    monitor::HarmlessShortcuts harmless;
    monitor::ShortcutReadAhead readAhead{files};
};

TEST_F(ShortcutReadAheadTest, EachShortcutIsReadOnceOnItsOwnThreadAndTheScanFindsWhatItWouldHave) {
    for (int i = 0; i < 30; ++i) {
        writeFile(stick / ("report " + std::to_string(i) + ".lnk"),
                  makeShortcut(shortcutTo("E:\\docs\\report.docx")));
    }
    for (int i = 0; i < 5; ++i) {
        writeFile(stick / ("USB Drive " + std::to_string(i) + ".lnk"),
                  makeShortcut(shortcutTo(kCmd, "/c start docs & docs\\DriveMgr.exe")));
    }
    writeFile(stick / "damaged.lnk", "L not a shortcut");
    writeFile(stick / "notes.txt", "not read");
    // What a scan reading every shortcut itself finds, and what it remembers.
    monitor::HarmlessShortcuts alone;
    const monitor::ShortcutWorm expected =
        monitor::scanShortcuts("e:\\", *files.listFolder("e:\\"), files, alone);
    ASSERT_EQ(expected.shortcuts.size(), 5u);
    files.forgetReads();

    auto listing = listAhead();
    ASSERT_TRUE(listing);
    auto readers = files.readers();
    EXPECT_EQ(readers.size(), 36u) << "every shortcut once, nothing else";
    for (const auto& [path, reader] : readers) {
        EXPECT_NE(reader, std::this_thread::get_id())
            << path << " was read on the listing's thread";
    }
    files.forgetReads();
    const monitor::ShortcutWorm found =
        monitor::scanShortcuts("e:\\", *listing, files, harmless, &readAhead);
    EXPECT_TRUE(files.readers().empty()) << "the scan took every read and read nothing again";
    ASSERT_EQ(found.shortcuts.size(), expected.shortcuts.size());
    for (std::size_t i = 0; i < found.shortcuts.size(); ++i) {
        EXPECT_EQ(found.shortcuts[i].path, expected.shortcuts[i].path);
        EXPECT_EQ(found.shortcuts[i].command, expected.shortcuts[i].command);
        EXPECT_EQ(found.shortcuts[i].payloads, expected.shortcuts[i].payloads);
    }
    EXPECT_FALSE(readAhead.take("report 0.lnk")) << "each read is given once";

    // The next listing reads only what the scan did not find harmless: the worm's.
    listing = listAhead();
    readers = files.readers();
    EXPECT_EQ(readers.size(), 5u);
    EXPECT_EQ(readers.count("e:\\USB Drive 0.lnk"), 1u);
    EXPECT_EQ(readers.count("e:\\report 0.lnk"), 0u);
    // What a listing read that no scan took is dropped when the next one begins.
    readAhead.begin("e:\\", harmless);
    EXPECT_FALSE(readAhead.take("USB Drive 0.lnk"));
    readAhead.finish();
}

TEST_F(ShortcutReadAheadTest, WhatTheThreadKeepsStaysWithinWhatOneScanTakes) {
    const std::size_t many = monitor::kMostWormShortcutsPerPass + 50;
    for (std::size_t i = 0; i < many; ++i) {
        writeFile(stick / ("USB Drive " + std::to_string(1000 + i) + ".lnk"),
                  makeShortcut(shortcutTo(kCmd, "/c start docs & docs\\DriveMgr.exe")));
    }
    auto listing = listAhead();
    ASSERT_TRUE(listing);
    std::size_t kept = 0;
    for (const platform::StampedFile& shortcut : listing->shortcuts) {
        if (auto read = readAhead.take(shortcut.name); read && read->link) ++kept;
    }
    EXPECT_EQ(kept, monitor::kMostWormShortcutsPerPass);

    // The scan reads itself what was not kept, and stops where a pass stops.
    listing = listAhead();
    const monitor::ShortcutWorm found =
        monitor::scanShortcuts("e:\\", *listing, files, harmless, &readAhead);
    EXPECT_EQ(found.shortcuts.size(), monitor::kMostWormShortcutsPerPass);
    EXPECT_TRUE(found.moreLeft);
}

}  // namespace
}  // namespace qv
