// The quarantine view over the drive table: the files the browser deleted, newest first,
// with their original paths, times and sizes; "恢复" puts one back byte for byte (asking
// before it replaces a file) and "彻底删除" drops one; a damaged copy is shown as such and
// never put back.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/posix/DriveTableRemovalFiles.h"
#include "common/removal/QuarantineFormat.h"
#include "common/removal/Sha256.h"
#include "filedir/browser/QuarantineView.h"
#include "filedir/tests/DriveTableFiles.h"

namespace fs = std::filesystem;
using namespace qv::filedir;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class QuarantineViewTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(root / "data");
        fs::create_directories(stick / "docs");
        files.addDrive('e', 1, stick);
        std::ofstream(stick / "docs" / "report.doc") << std::string(3000, 'r');
        std::ofstream(stick / "setup.exe") << "MZ";
        for (auto [folder, name] : {std::pair{"e:\\docs", "report.doc"}, {"e:\\", "setup.exe"}}) {
            Told told = deleteEntry(removal, folder, Entry{name, kArchive, 0, ""});
            ASSERT_FALSE(told.error) << told.text;
        }
        ASSERT_TRUE(view.load().ok());
    }
    void TearDown() override { fs::remove_all(root); }

    const fs::path root =
        fs::temp_directory_path() /
        ("qv_quarantine_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    const fs::path stick = root / "stick";
    test::DriveTableFiles files;
    qv::posix::DriveTableRemovalFiles removalFiles{
        root / "data", [this](const std::string& path) { return files.hostPathOnDrive(path); }};
    qv::removal::DriveFileRemoval removal{removalFiles, "隔离区"};
    QuarantineView view{removal};
};

TEST_F(QuarantineViewTest, EachKeptFileIsALineNewestFirst) {
    ASSERT_EQ(view.size(), 2u);
    EXPECT_EQ(view.cell(0, QuarantineColumn::OriginalPath), "e:\\setup.exe");
    EXPECT_EQ(view.cell(0, QuarantineColumn::Size), "2 字节");
    EXPECT_EQ(view.cell(0, QuarantineColumn::RemovedAt), "2026-12-08 14:00:01");
    EXPECT_EQ(view.cell(0, QuarantineColumn::State), "");
    EXPECT_EQ(view.cell(1, QuarantineColumn::OriginalPath), "e:\\docs\\report.doc");
    EXPECT_EQ(view.cell(1, QuarantineColumn::Size), "2.9 KB");
    EXPECT_EQ(view.statusText().rfind("隔离区共 2 个文件（", 0), 0u) << view.statusText();
}

TEST_F(QuarantineViewTest, RestoreMakesTheFolderAgainAndAsksBeforeReplacing) {
    fs::remove_all(stick / "docs");
    auto never = [](const std::string&) {
        ADD_FAILURE() << "nothing was in the way";
        return false;
    };
    Told restored = view.restore(1, never);
    EXPECT_FALSE(restored.error);
    EXPECT_EQ(restored.text, "已恢复“e:\\docs\\report.doc”。");
    EXPECT_EQ(readFile(stick / "docs" / "report.doc"), std::string(3000, 'r'));

    ASSERT_TRUE(view.load().ok());
    ASSERT_EQ(view.size(), 1u);
    std::ofstream(stick / "setup.exe") << "a newer setup";
    std::string asked;
    Told kept = view.restore(0, [&](const std::string& path) {
        asked = path;
        return false;
    });
    EXPECT_EQ(asked, "e:\\setup.exe");
    EXPECT_EQ(kept.text, "") << "the user's choice needs no notice";
    EXPECT_EQ(readFile(stick / "setup.exe"), "a newer setup");
    EXPECT_EQ(view.restore(0, [](const std::string&) { return true; }).text,
              "已恢复“e:\\setup.exe”。");
    EXPECT_EQ(readFile(stick / "setup.exe"), "MZ");
    ASSERT_TRUE(view.load().ok());
    EXPECT_EQ(view.cell(0, QuarantineColumn::Size), "13 字节") << "the newer file, kept in turn";
}

TEST_F(QuarantineViewTest, ADamagedCopyIsShownAsSuchNeverRestoredAndCanBeDropped) {
    // The newest entry, e:\setup.exe's: its last byte of content changed.
    fs::path newest;
    for (const auto& file : fs::directory_iterator(root / "data" / "隔离区")) {
        newest = std::max(newest, file.path());
    }
    std::string bytes = readFile(newest);
    bytes[bytes.size() - 73] ^= 0x20;
    std::ofstream(newest, std::ios::binary | std::ios::trunc) << bytes;
    Told refused = view.restore(0, [](const std::string&) { return true; });
    EXPECT_TRUE(refused.error);
    EXPECT_EQ(refused.text, "无法恢复“e:\\setup.exe”：隔离区中的这份副本已损坏，与原文件不符。");
    EXPECT_EQ(readFile(stick / "setup.exe"), "");
    ASSERT_TRUE(view.load().ok());
    EXPECT_EQ(view.cell(0, QuarantineColumn::State), "已损坏") << "as the restore found it";
    EXPECT_EQ(view.cell(1, QuarantineColumn::State), "");

    std::ofstream(newest, std::ios::binary | std::ios::trunc) << "not an entry at all";
    ASSERT_TRUE(view.load().ok());
    ASSERT_EQ(view.size(), 2u);
    EXPECT_EQ(view.cell(0, QuarantineColumn::State), "已损坏");
    EXPECT_EQ(view.cell(0, QuarantineColumn::OriginalPath),
              "（" + newest.filename().string() + "）");
    EXPECT_TRUE(view.restore(0, [](const std::string&) { return true; }).error);
    EXPECT_FALSE(view.purge(0).error);
    ASSERT_TRUE(view.load().ok());
    EXPECT_EQ(view.size(), 1u);
}

// An entry planted in the quarantine whose path and time hide a line break and direction
// marks is listed with them written out, and never restored; a reason naming part of such
// a path writes it out too.
TEST_F(QuarantineViewTest, ACraftedPathIsShownWrittenOutAndRefused) {
    const std::string path = "e:\\bad\nline\xE2\x80\xAEtxt.exe";
    const std::string header = qv::removal::encodeHeader({path,
                                                          "2026-12-09 \xE2\x80\xAE"
                                                          "10:00:00",
                                                          2});
    ASSERT_FALSE(header.empty());
    qv::removal::Sha256 hash;
    hash.update("MZ");
    std::ofstream(root / "data" / "隔离区" / "09999999999999999999.qvq", std::ios::binary)
        << header << "MZ" << qv::removal::encodeTrailer(hash.finish());
    ASSERT_TRUE(view.load().ok());
    ASSERT_EQ(view.size(), 3u);
    const std::string shown = "e:\\bad[U+000A]line[U+202E]txt.exe";
    EXPECT_EQ(view.cell(0, QuarantineColumn::OriginalPath), shown);
    EXPECT_EQ(view.pathOf(0), shown);
    EXPECT_EQ(view.cell(0, QuarantineColumn::RemovedAt), "2026-12-09 [U+202E]10:00:00");
    Told refused = view.restore(0, [](const std::string&) { return true; });
    EXPECT_TRUE(refused.error);
    EXPECT_EQ(refused.text, "无法恢复“" + shown + "”：不是磁盘上的文件路径。");
    EXPECT_EQ(std::distance(fs::directory_iterator(stick), fs::directory_iterator()), 1)
        << "only the docs folder";

    // A file where the path wants a folder: the reason names that much of the path.
    std::ofstream(stick /
                  "a\xE2\x80\xAE"
                  "b")
        << "in the way";
    std::ofstream(root / "data" / "隔离区" / "09999999999999999998.qvq", std::ios::binary)
        << qv::removal::encodeHeader({"e:\\a\xE2\x80\xAE"
                                      "b\\c.txt",
                                      "2026-12-09 10:00:01", 2})
        << "MZ" << qv::removal::encodeTrailer(hash.finish());
    ASSERT_TRUE(view.load().ok());
    EXPECT_EQ(view.restore(1, [](const std::string&) { return true; }).text,
              "无法恢复“e:\\a[U+202E]b\\c.txt”：“e:\\a[U+202E]b”是文件，不是文件夹。");
}

}  // namespace
