// The one way of removing a file from a drive, over the drive table: what a worm marks
// read-only, hidden and system goes and is kept byte for byte; what cannot go stays out
// of the quarantine; the quarantine keeps to its limits, never shows a half entry, and
// gives back exactly what it took, asking before it replaces anything.

#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/posix/DriveTableRemovalFiles.h"
#include "common/removal/DriveFileRemoval.h"
#include "common/removal/QuarantineRestore.h"
#include "common/removal/RemovalTexts.h"

namespace qv::removal {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Bytes of every value, so that nothing is read as text on the way.
std::string binary(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 31 + i / 251);
    return bytes;
}

fs::path freshFolder() {
    std::string pattern = (fs::temp_directory_path() / "qv-removal-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

class DriveFileRemovalTest : public ::testing::Test {
protected:
    DriveFileRemovalTest() {
        fs::create_directories(stick);
        fs::create_directories(root / "cwd");
        writeFile(root / "outside" / "sentinel.txt", "keep");
    }
    ~DriveFileRemovalTest() override {
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(root, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
        fs::remove_all(root, ec);
    }

    // Drive e: is the folder `stick`; no path passes through a symbolic link.
    std::optional<fs::path> resolve(const std::string& path) const {
        if (path.size() < 3 || (path[0] != 'e' && path[0] != 'E')) return std::nullopt;
        fs::path host = stick;
        std::string rest = path.substr(3);
        for (std::size_t at = 0; at <= rest.size();) {
            std::size_t end = std::min(rest.find('\\', at), rest.size());
            if (end > at) {
                host /= rest.substr(at, end - at);
                std::error_code ec;
                if (fs::is_symlink(fs::symlink_status(host, ec))) return std::nullopt;
            }
            at = end + 1;
        }
        return host;
    }

    fs::path quarantineFolder() const { return root / "cwd" / "隔离区"; }
    std::vector<std::string> quarantineFiles() const {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(quarantineFolder(), ec)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    std::vector<QuarantineEntry> entries() {
        Status failure = Status::success();
        auto found = removal.quarantine().entries(failure);
        EXPECT_TRUE(found) << failure.description();
        return found ? *found : std::vector<QuarantineEntry>{};
    }
    // The bytes an entry gives back, or why it gives none.
    std::string bytesOf(const std::string& entryName, EntryHeader* header = nullptr) {
        std::string bytes;
        Status read = removal.quarantine().read(
            entryName,
            [&](const EntryHeader& h) {
                if (header) *header = h;
                return Status::success();
            },
            [&](std::string_view piece) {
                bytes += piece;
                return Status::success();
            });
        return read.ok() ? bytes : "(refused: " + read.description() + ")";
    }

    const fs::path root = freshFolder();
    const fs::path stick = root / "e";
    posix::DriveTableRemovalFiles files{root / "cwd",
                                        [this](const std::string& path) { return resolve(path); }};
    DriveFileRemoval removal{files, "隔离区"};
};

TEST_F(DriveFileRemovalTest, AFileAWormMarkedReadOnlyHiddenAndSystemGoesAndIsKeptByteForByte) {
    const std::string content = binary((1u << 20) + 17);  // more than one piece
    writeFile(stick / "autorun.inf", content);
    fs::permissions(stick / "autorun.inf", fs::perms::owner_write, fs::perm_options::remove);
    files.setDosAttributes(stick / "autorun.inf", kHidden | kSystem);

    RemovalResult result = removal.remove("e:\\autorun.inf");
    EXPECT_TRUE(result.removed()) << result.reason();
    EXPECT_FALSE(fs::exists(stick / "autorun.inf"));
    std::vector<QuarantineEntry> kept = entries();
    ASSERT_EQ(kept.size(), 1u);
    ASSERT_TRUE(kept[0].header);
    EXPECT_EQ(kept[0].header->originalPath, "e:\\autorun.inf");
    EXPECT_EQ(kept[0].header->removedAt, "2026-12-08 14:00:00");
    EXPECT_EQ(kept[0].header->size, content.size());
    EXPECT_TRUE(bytesOf(kept[0].name) == content);
    EXPECT_EQ(quarantineFiles(), std::vector<std::string>{kept[0].name}) << "nothing else there";

    // A path made plain first: another spelling of a name on the same drive.
    writeFile(stick / "docs" / "setup.exe", "MZ");
    EXPECT_TRUE(removal.remove("e:/docs/../docs/./setup.exe").removed());
    EXPECT_EQ(entries().at(0).header->originalPath, "e:\\docs\\setup.exe");
}

TEST_F(DriveFileRemovalTest, WhatCannotGoStaysAndNeverEntersTheQuarantine) {
    writeFile(stick / "docs.exe", "MZ");
    files.holdOpen(stick / "docs.exe");
    for (int tick = 0; tick < 2; ++tick) {
        RemovalResult result = removal.remove("e:\\docs.exe");
        EXPECT_EQ(result.outcome(), RemovalResult::Outcome::Kept);
        EXPECT_EQ(result.reason(), "另一个程序正在使用此文件，进程无法访问。");
    }
    EXPECT_TRUE(fs::exists(stick / "docs.exe"));
    EXPECT_TRUE(quarantineFiles().empty());

    // A file that cannot be marked for removal after its copy was made: the copy goes
    // again, and its attributes are as they were.
    class RefusingDeletion : public posix::DriveTableRemovalFiles {
    public:
        using DriveTableRemovalFiles::DriveTableRemovalFiles;
        Opened<DriveFile> openOnDrive(const std::string& path) override {
            Opened<DriveFile> opened = DriveTableRemovalFiles::openOnDrive(path);
            if (opened.file) opened.file = std::make_unique<Refusing>(std::move(opened.file));
            return opened;
        }

    private:
        struct Refusing : DriveFile {
            explicit Refusing(std::unique_ptr<DriveFile> file) : file(std::move(file)) {}
            std::uint64_t size() const override { return file->size(); }
            std::uint32_t attributes() const override { return file->attributes(); }
            std::uint64_t lastWritten() const override { return file->lastWritten(); }
            Status read(char* b, std::size_t c, std::size_t& g) override {
                return file->read(b, c, g);
            }
            Status setAttributes(std::uint32_t a) override { return file->setAttributes(a); }
            Status deleteOnClose() override { return Status::failure("拒绝访问。"); }
            std::unique_ptr<DriveFile> file;
        };
    };
    RefusingDeletion refusing(root / "cwd", [this](const std::string& p) { return resolve(p); });
    DriveFileRemoval stubborn(refusing, "隔离区");
    writeFile(stick / "run.exe", "MZ");
    refusing.setDosAttributes(stick / "run.exe", kHidden);
    EXPECT_EQ(stubborn.remove("e:\\run.exe").reason(), "拒绝访问。");
    EXPECT_EQ(refusing.attributesOf(stick / "run.exe"), kHidden);
    EXPECT_TRUE(quarantineFiles().empty());

    // A link off the drive, a name off the drive: refused; nothing there, or a folder of
    // that name: no file, and no failure to speak of.
    fs::create_directory(stick / "plain");
    fs::create_symlink(root / "outside" / "sentinel.txt", stick / "alias.exe");
    EXPECT_EQ(removal.remove("e:\\plain").outcome(), RemovalResult::Outcome::NotFound);
    EXPECT_EQ(removal.remove("e:\\alias.exe").reason(), kThroughLinkReason);
    for (const char* path :
         {"e:\\..\\outside\\sentinel.txt", "e:\\", "sentinel.txt", "e:\\a*.exe"}) {
        EXPECT_EQ(removal.remove(path).reason(), kNotADrivePathReason) << path;
    }
    EXPECT_EQ(removal.remove("e:\\missing.exe").outcome(), RemovalResult::Outcome::NotFound);
    EXPECT_EQ(readFile(root / "outside" / "sentinel.txt"), "keep");
    EXPECT_TRUE(fs::is_directory(stick / "plain"));
    EXPECT_TRUE(quarantineFiles().empty());
}

TEST_F(DriveFileRemovalTest, AFileTooLargeOrADiskTooFullKeepsTheFileAndSaysWhy) {
    std::ofstream(stick / "big.exe").put('M');
    fs::resize_file(stick / "big.exe", kLargestQuarantinedFile + (1u << 20));  // sparse
    RemovalResult big = removal.remove("e:\\big.exe");
    EXPECT_EQ(big.reason(), kTooLargeReason);
    EXPECT_EQ(fs::file_size(stick / "big.exe"), kLargestQuarantinedFile + (1u << 20));

    writeFile(stick / "setup.exe", binary(5000));
    files.limitFreeSpace(3000);
    RemovalResult full = removal.remove("e:\\setup.exe");
    EXPECT_EQ(full.reason(), "无法放入隔离区（磁盘空间不足），因此没有删除");
    EXPECT_EQ(readFile(stick / "setup.exe"), binary(5000));
    EXPECT_TRUE(quarantineFiles().empty()) << "no half entry is left behind";
}

// A large file is flushed part by part on another thread while it is copied and hashed on
// a third: whichever step fails, at whichever point, the file stays as it was and nothing
// of it stays in the quarantine; when none fails, it is kept byte for byte.
TEST_F(DriveFileRemovalTest, AFailureAtAnyStepOfALargeCopyLeavesTheFileAndNoEntry) {
    const std::string content = binary((17u << 20) + 4097);  // flushed twice on the way
    writeFile(stick / "setup.exe", content);
    auto keptAsItWas = [&](const RemovalResult& result, const std::string& reason) {
        EXPECT_EQ(result.outcome(), RemovalResult::Outcome::Kept);
        EXPECT_EQ(result.reason(), reason);
        EXPECT_TRUE(readFile(stick / "setup.exe") == content);
        EXPECT_TRUE(quarantineFiles().empty()) << "no half entry, no leftover";
    };
    const std::string deviceError =
        "无法放入隔离区（由于 I/O 设备错误，无法运行此项请求），因此没有删除";

    files.limitFreeSpace(14u << 20);  // full on the way, after a flush on the way
    keptAsItWas(removal.remove("e:\\setup.exe"), "无法放入隔离区（磁盘空间不足），因此没有删除");
    EXPECT_GE(files.flushes(), 1) << "flushed on the way";
    files.limitFreeSpace(std::uint64_t{1} << 40);

    files.failFlushesFrom(files.flushes() + 1);  // the first flush on the way
    keptAsItWas(removal.remove("e:\\setup.exe"), deviceError);

    // The last flush, of the entry under its name: the entry goes again.
    writeFile(stick / "small.exe", "MZ");
    files.failFlushesFrom(files.flushes() + 1);
    RemovalResult small = removal.remove("e:\\small.exe");
    EXPECT_EQ(small.reason(), deviceError);
    EXPECT_EQ(readFile(stick / "small.exe"), "MZ");
    EXPECT_TRUE(quarantineFiles().empty());

    files.failFlushesFrom(0);
    const int before = files.flushes(), toldBefore = files.stillWorkingTold();
    RemovalResult removed = removal.remove("e:\\setup.exe");
    EXPECT_TRUE(removed.removed()) << removed.reason();
    EXPECT_GE(files.flushes() - before, 2) << "flushed on the way and at the end";
    EXPECT_EQ(files.stillWorkingTold() - toldBefore, 2) << "still working, every 8 MiB";
    EXPECT_FALSE(fs::exists(stick / "setup.exe"));
    std::vector<QuarantineEntry> kept = entries();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(bytesOf(kept[0].name) == content) << "its bytes give its digest";
}

TEST_F(DriveFileRemovalTest, AnInterruptedCopyIsNeverAnEntryAndIsClearedAway) {
    writeFile(quarantineFolder() / "00000000000000000001.part", "QV-QUARANTINE 1\npath 9");
    writeFile(quarantineFolder() / "notes.txt", "not ours");
    EXPECT_TRUE(entries().empty());
    writeFile(stick / "a.exe", "MZ");
    EXPECT_TRUE(removal.remove("e:\\a.exe").removed());
    std::vector<std::string> names = quarantineFiles();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_TRUE(names[0].ends_with(".qvq"));
    EXPECT_EQ(names[1], "notes.txt");
}

TEST_F(DriveFileRemovalTest, AFullQuarantineLetsItsOldestEntriesGo) {
    // Five old entries of 100 MiB each (sparse: only their headers are written).
    fs::create_directories(quarantineFolder());
    for (int i = 1; i <= 5; ++i) {
        fs::path entry = quarantineFolder() / ("0000000000000000000" + std::to_string(i) + ".qvq");
        writeFile(entry, encodeHeader({"e:\\old" + std::to_string(i), "2020-01-01 00:00:00",
                                       kLargestQuarantinedFile}));
        fs::resize_file(entry, fs::file_size(entry) + kLargestQuarantinedFile + kTrailerSize);
    }
    writeFile(stick / "autorun.inf", "open=x.exe\r\n");
    EXPECT_TRUE(removal.remove("e:\\autorun.inf").removed());
    std::vector<QuarantineEntry> kept = entries();
    ASSERT_EQ(kept.size(), 5u);
    EXPECT_EQ(kept[0].header->originalPath, "e:\\autorun.inf") << "newest first";
    EXPECT_EQ(kept[4].header->originalPath, "e:\\old2") << "the oldest went";
    std::uint64_t total = 0;
    for (const QuarantineEntry& entry : kept) total += entry.storedBytes;
    EXPECT_LE(total, kQuarantineCapacity);
}

TEST_F(DriveFileRemovalTest, AThousandEntriesAtMostHoweverSmall) {
    fs::create_directories(quarantineFolder());
    const std::string trailer = encodeTrailer(Sha256().finish());
    for (int i = 0; i < 1000; ++i) {
        std::string order = std::to_string(1000 + i);
        writeFile(quarantineFolder() / (std::string(20 - order.size(), '0') + order + ".qvq"),
                  encodeHeader({"e:\\w" + std::to_string(i), "2020-01-01 00:00:00", 0}) + trailer);
    }
    writeFile(stick / "autorun.inf", "");
    EXPECT_TRUE(removal.remove("e:\\autorun.inf").removed());
    std::vector<QuarantineEntry> kept = entries();
    EXPECT_EQ(kept.size(), kMostEntries);
    EXPECT_EQ(kept.front().header->originalPath, "e:\\autorun.inf");
    EXPECT_EQ(kept.back().header->originalPath, "e:\\w1") << "the oldest went";
}

TEST_F(DriveFileRemovalTest, EntriesOfTheLastDayAreNeverPushedOutAFileFindingNoRoomStays) {
    // A stick of a thousand worm files has just filled the quarantine (the test's clock
    // starts at 2026-12-08 14:00:00 UTC, an order counted in 100 ns steps since 1601).
    constexpr std::uint64_t kNow = (std::uint64_t{1796738400} + 11644473600) * 10'000'000;
    fs::create_directories(quarantineFolder());
    const std::string trailer = encodeTrailer(Sha256().finish());
    auto plant = [&](std::uint64_t order, const std::string& original) {
        std::string digits = std::to_string(order);
        writeFile(quarantineFolder() / (std::string(20 - digits.size(), '0') + digits + ".qvq"),
                  encodeHeader({original, "2026-12-08 13:00:00", 0}) + trailer);
    };
    plant(kNow - kKeptAtLeast - 1, "e:\\a day old");
    for (int i = 0; i < 999; ++i) plant(kNow - 3600'0000000 + i, "e:\\w" + std::to_string(i));

    writeFile(stick / "autorun.inf", "worm");
    EXPECT_TRUE(removal.remove("e:\\autorun.inf").removed()) << "the day-old entry made room";
    std::vector<QuarantineEntry> kept = entries();
    ASSERT_EQ(kept.size(), kMostEntries);
    EXPECT_EQ(kept.back().header->originalPath, "e:\\w0");

    writeFile(stick / "setup.exe", "MZ the user's");
    RemovalResult refused = removal.remove("e:\\setup.exe");
    EXPECT_EQ(refused.outcome(), RemovalResult::Outcome::Kept);
    EXPECT_NE(refused.reason().find(kQuarantineFullReason), std::string::npos) << refused.reason();
    EXPECT_EQ(readFile(stick / "setup.exe"), "MZ the user's");
    EXPECT_EQ(entries().size(), kMostEntries) << "nothing pushed out, nothing left half made";

    // Had another user made the others (as the next run finds them), they would leave this
    // user's room alone.
    for (const QuarantineEntry& entry : entries()) {
        if (entry.header->originalPath != "e:\\autorun.inf") {
            files.makeForeign(quarantineFolder() / entry.name);
        }
    }
    DriveFileRemoval nextRun{files, "隔离区"};
    EXPECT_TRUE(nextRun.remove("e:\\setup.exe").removed());
}

TEST_F(DriveFileRemovalTest, EntriesDatedAheadOfTheClockGoFirstAndKeepNoneFromTheLimits) {
    // Made while the clock ran a year fast: the new entries are named after them.
    constexpr std::uint64_t kNow = (std::uint64_t{1796738400} + 11644473600) * 10'000'000;
    constexpr std::uint64_t kYear = std::uint64_t{365} * 24 * 3600 * 10'000'000;
    fs::create_directories(quarantineFolder());
    const std::string trailer = encodeTrailer(Sha256().finish());
    for (int i = 0; i < 1000; ++i) {
        std::string digits = std::to_string(kNow + kYear + i);
        writeFile(
            quarantineFolder() / (std::string(20 - digits.size(), '0') + digits + ".qvq"),
            encodeHeader({"e:\\ahead" + std::to_string(i), "2027-12-08 14:00:00", 0}) + trailer);
    }
    for (int i = 0; i < 5; ++i) {
        const std::string name = "worm" + std::to_string(i) + ".exe";
        writeFile(stick / name, "MZ");
        EXPECT_TRUE(removal.remove("e:\\" + name).removed()) << name;
    }
    std::vector<QuarantineEntry> kept = entries();
    EXPECT_EQ(kept.size(), kMostEntries);
    EXPECT_EQ(kept.front().header->originalPath, "e:\\worm4.exe");
    EXPECT_EQ(kept.back().header->originalPath, "e:\\ahead5") << "the first five ahead went";
}

TEST_F(DriveFileRemovalTest, RestoreGivesBackTheSameBytesWhereTheyWereAndMakesTheFolderAgain) {
    const std::string content = binary(70000);
    writeFile(stick / "我的文档" / "报告.doc", content);
    // In whole seconds: Windows keeps times in 100 ns steps, finer than the host's.
    const auto lastChanged = std::chrono::floor<std::chrono::seconds>(
        fs::file_time_type::clock::now() - std::chrono::hours(24 * 400));
    fs::last_write_time(stick / "我的文档" / "报告.doc", lastChanged);
    ASSERT_TRUE(removal.remove("e:\\我的文档\\报告.doc").removed());
    fs::remove_all(stick / "我的文档");
    const std::string entry = entries().at(0).name;

    auto neverAsked = [](const std::string& path) {
        ADD_FAILURE() << "asked about " << path;
        return false;
    };
    RestoreResult restored = restoreEntry(removal, entry, neverAsked);
    EXPECT_EQ(restored.outcome, RestoreResult::Outcome::Restored) << restored.reason;
    EXPECT_EQ(describe(restored), "已恢复“e:\\我的文档\\报告.doc”。");
    EXPECT_TRUE(readFile(stick / "我的文档" / "报告.doc") == content);
    EXPECT_EQ(fs::last_write_time(stick / "我的文档" / "报告.doc"), lastChanged)
        << "dated as it was, not as restored";
    EXPECT_TRUE(entries().empty()) << "the entry left the quarantine";
    EXPECT_EQ(std::distance(fs::directory_iterator(stick / "我的文档"), fs::directory_iterator()),
              1)
        << "no copy under another name is left beside it";
}

TEST_F(DriveFileRemovalTest, AnEntryNamingADeviceOrAPlaceAboveTheRootIsNeverRestored) {
    // Entries nobody quarantined, written into the folder by hand.
    fs::create_directories(quarantineFolder());
    const std::string trailer = encodeTrailer(Sha256().finish());
    int order = 1;
    for (const char* crafted :
         {"e:\\con", "e:\\docs\\NUL.txt", "e:\\com1\\x", "e:\\LPT\xC2\xB9", "e:\\..\\up"}) {
        const std::string name = "0000000000000000000" + std::to_string(order++) + ".qvq";
        writeFile(quarantineFolder() / name,
                  encodeHeader({crafted, "2026-12-08 13:00:00", 0}) + trailer);
        RestoreResult restored =
            restoreEntry(removal, name, [](const std::string&) { return true; });
        EXPECT_EQ(restored.outcome, RestoreResult::Outcome::Failed) << crafted;
        EXPECT_NE(restored.reason.find(kNotADrivePathReason), std::string::npos) << restored.reason;
    }
    EXPECT_TRUE(fs::is_empty(stick)) << "nothing made on the drive";
    EXPECT_FALSE(fs::exists(root / "up"));
}

TEST_F(DriveFileRemovalTest, RestoreAsksBeforeItReplacesAFileAndKeepsThatFileToo) {
    writeFile(stick / "setup.exe", "the user's own setup");
    ASSERT_TRUE(removal.remove("e:\\setup.exe").removed());
    const std::string entry = entries().at(0).name;
    writeFile(stick / "setup.exe", "a newer file");

    std::vector<std::string> asked;
    RestoreResult declined = restoreEntry(removal, entry, [&](const std::string& path) {
        asked.push_back(path);
        return false;
    });
    EXPECT_EQ(declined.outcome, RestoreResult::Outcome::Declined);
    EXPECT_EQ(asked, std::vector<std::string>{"e:\\setup.exe"});
    EXPECT_EQ(readFile(stick / "setup.exe"), "a newer file");
    EXPECT_EQ(entries().size(), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(stick), fs::directory_iterator()), 1);

    RestoreResult replaced = restoreEntry(removal, entry, [](const std::string&) { return true; });
    EXPECT_EQ(replaced.outcome, RestoreResult::Outcome::Restored) << replaced.reason;
    EXPECT_EQ(readFile(stick / "setup.exe"), "the user's own setup");
    std::vector<QuarantineEntry> kept = entries();
    ASSERT_EQ(kept.size(), 1u) << "the replaced file went into the quarantine in its turn";
    EXPECT_EQ(bytesOf(kept[0].name), "a newer file");
}

// Every user's guard keeps its copies in the one quarantine folder. Another user's copy is
// not this user's to see or to restore (its bytes and the path it names are his), and it
// stays when this user's removals make room.
TEST_F(DriveFileRemovalTest, AnotherUsersCopyIsNeitherListedNorRestoredAndStays) {
    writeFile(stick / "theirs.exe", "another user's file");
    ASSERT_TRUE(removal.remove("e:\\theirs.exe").removed());
    const std::string theirs = entries().at(0).name;
    files.makeForeign(quarantineFolder() / theirs);
    writeFile(stick / "mine.exe", "mine");
    ASSERT_TRUE(removal.remove("e:\\mine.exe").removed());

    std::vector<QuarantineEntry> listed = entries();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].header->originalPath, "e:\\mine.exe");
    RestoreResult refused = restoreEntry(removal, theirs, [](const std::string&) { return true; });
    EXPECT_EQ(refused.outcome, RestoreResult::Outcome::Failed);
    EXPECT_NE(refused.reason.find("另一个用户"), std::string::npos) << refused.reason;
    EXPECT_FALSE(fs::exists(stick / "theirs.exe"));
    EXPECT_TRUE(fs::exists(quarantineFolder() / theirs));

    // Others' copies filling the quarantine push none of this user's out.
    for (int i = 1; i <= 5; ++i) {
        fs::path entry = quarantineFolder() / ("0000000000000000000" + std::to_string(i) + ".qvq");
        writeFile(entry, encodeHeader({"e:\\big" + std::to_string(i), "2020-01-01 00:00:00",
                                       kLargestQuarantinedFile}));
        fs::resize_file(entry, fs::file_size(entry) + kLargestQuarantinedFile + kTrailerSize);
        files.makeForeign(entry);
    }
    writeFile(stick / "later.exe", "later");
    ASSERT_TRUE(removal.remove("e:\\later.exe").removed());
    std::vector<std::string> mine;
    for (const QuarantineEntry& entry : entries()) mine.push_back(entry.header->originalPath);
    EXPECT_EQ(mine, (std::vector<std::string>{"e:\\later.exe", "e:\\mine.exe"}));
}

TEST_F(DriveFileRemovalTest, ADamagedEntryIsRefusedAndPutsNothingBack) {
    writeFile(stick / "a.exe", binary(10000));
    ASSERT_TRUE(removal.remove("e:\\a.exe").removed());
    const std::string entry = entries().at(0).name;
    const fs::path file = quarantineFolder() / entry;
    const std::string whole = readFile(file);
    auto always = [](const std::string&) { return true; };

    struct Damage {
        const char* name;
        std::string bytes;
    };
    std::string flipped = whole;
    flipped[whole.size() / 2] ^= 0x01;
    const Damage damages[] = {
        {"one byte changed", flipped},
        {"cut short", whole.substr(0, whole.size() - 100)},
        {"trailer missing", whole.substr(0, whole.size() - kTrailerSize)},
        {"bytes added", whole + "x"},
        {"header broken", "QV" + whole.substr(5)},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        writeFile(file, damage.bytes);
        RestoreResult result = restoreEntry(removal, entry, always);
        EXPECT_EQ(result.outcome, RestoreResult::Outcome::Failed);
        EXPECT_EQ(result.reason, kDamagedEntryReason);
        EXPECT_TRUE(fs::is_empty(stick)) << "nothing put back, no copy left beside it";
        EXPECT_TRUE(fs::exists(file)) << "the entry stays to be looked at or deleted";
    }
    EXPECT_FALSE(entries().at(0).header) << "a broken header is listed as damaged";
    EXPECT_TRUE(removal.quarantine().drop(entry).ok());
    EXPECT_TRUE(entries().empty());
}

}  // namespace
}  // namespace qv::removal
