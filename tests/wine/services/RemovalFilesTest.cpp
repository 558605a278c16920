// The one way of removing a file from a drive on Wine's real drives: never through a link
// and never what a link points at; a worm's read-only, hidden and system file (Unix mode
// 0444, the hidden and system bits in user.DOSATTRIB) goes and comes back byte for byte;
// a file another program holds without sharing its deletion stays and leaves no copy.

#include <gtest/gtest.h>

#include <filesystem>

#include "common/removal/DriveFileRemoval.h"
#include "common/removal/QuarantineRestore.h"
#include "common/removal/RemovalTexts.h"
#include "common/win32/Folders.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "common/win32/Win32RemovalFiles.h"
#include "tests/wine/tools/TestKit.h"

namespace {

using namespace qv::testkit;
using qv::removal::RemovalResult;

class RemovalFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(stick.path().empty());
        ASSERT_TRUE(drive.ok());
        root = utf8(drive.root());
    }
    std::vector<std::string> quarantined() {
        qv::Status failure = qv::Status::success();
        std::vector<std::string> paths;
        auto entries = removal.quarantine().entries(failure);
        EXPECT_TRUE(entries) << failure.description();
        if (!entries) return paths;
        for (const qv::removal::QuarantineEntry& entry : *entries) {
            paths.push_back(entry.header ? entry.header->originalPath : "(damaged)");
        }
        return paths;
    }

    TempFolder stick{L"qv-stick"}, data{L"qv-data"};
    SimulatedDrive drive{*freeDriveLetter(), DRIVE_REMOVABLE, stick.path()};
    std::string root;
    qv::win32::Win32RemovalFiles files;
    qv::removal::DriveFileRemoval removal{files, utf8(data / L"隔离区")};
};

TEST_F(RemovalFilesTest, OnlyTheFileItselfOnItsDriveIsEverRemoved) {
    TempFolder outside;
    ASSERT_TRUE(writeBytes(outside / L"sentinel.txt", "keep"));
    ASSERT_TRUE(makeUnixLink(outside.path(), stick / L"linked"));
    ASSERT_TRUE(makeUnixLink(outside / L"sentinel.txt", stick / L"alias.exe"));
    ASSERT_TRUE(CreateDirectoryW((stick / L"autorun.inf").c_str(), nullptr));

    for (const char* name : {"linked\\sentinel.txt", "alias.exe"}) {
        RemovalResult refused = removal.remove(root + name);
        EXPECT_EQ(refused.outcome(), RemovalResult::Outcome::Kept) << name;
        EXPECT_FALSE(refused.reason().empty()) << name;
        qv::removal::Found found = qv::removal::Found::Nothing;
        EXPECT_FALSE(files.findOnDrive(root + name, found).ok()) << name << " is no file to offer";
    }
    ASSERT_TRUE(writeBytes(stick / L"real.exe", "MZ"));
    qv::removal::Found found = qv::removal::Found::Nothing;
    EXPECT_TRUE(files.findOnDrive(root + "real.exe", found).ok());
    EXPECT_EQ(found, qv::removal::Found::File);
    for (const std::string& path :
         {"\\\\?\\" + root + "alias.exe", root + "*.exe", root + "linked\\..\\..\\x"}) {
        EXPECT_EQ(removal.remove(path).reason(), qv::removal::kNotADrivePathReason) << path;
    }
    EXPECT_EQ(removal.remove(root + "autorun.inf").outcome(), RemovalResult::Outcome::NotFound)
        << "an immunised drive's folder is no file";
    EXPECT_EQ(removal.remove(root + "missing.exe").outcome(), RemovalResult::Outcome::NotFound);
    EXPECT_EQ(readBytes(outside / L"sentinel.txt"), "keep");
    EXPECT_TRUE(quarantined().empty());
}

TEST_F(RemovalFilesTest, AWormsReadOnlyHiddenSystemFileGoesAndComesBackByteForByte) {
    // Large enough to be hashed on the way and flushed on the way, beside the writes.
    std::string bytes((9 << 20) + 4097, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    ASSERT_TRUE(CreateDirectoryW((stick / L"docs").c_str(), nullptr));
    const std::wstring file = stick / L"docs\\setup.exe.";  // a name Windows would cut short
    ASSERT_TRUE(writeBytes(L"\\\\?\\" + file, bytes));
    const DWORD worm = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    // Dated a year back, as a user's old file or a worm's planted one is.
    {
        qv::win32::UniqueFile dating(CreateFileW((L"\\\\?\\" + file).c_str(), FILE_WRITE_ATTRIBUTES,
                                                 0, nullptr, OPEN_EXISTING, 0, nullptr));
        FILE_BASIC_INFO basic{};
        basic.LastWriteTime.QuadPart = 133500000000000000;  // 2024-01-22
        ASSERT_TRUE(SetFileInformationByHandle(dating.get(), FileBasicInfo, &basic, sizeof basic));
    }
    ASSERT_TRUE(SetFileAttributesW((L"\\\\?\\" + file).c_str(), worm));
    ASSERT_EQ(GetFileAttributesW((L"\\\\?\\" + file).c_str()) & worm, worm);

    RemovalResult removed = removal.remove(root + "docs\\setup.exe.");
    EXPECT_TRUE(removed.removed()) << removed.reason();
    EXPECT_EQ(GetFileAttributesW((L"\\\\?\\" + file).c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(quarantined(), std::vector<std::string>{root + "docs\\setup.exe."});

    ASSERT_TRUE(removeTree(stick / L"docs"));
    qv::Status failure = qv::Status::success();
    const std::string entry = removal.quarantine().entries(failure)->at(0).name;
    auto restored = qv::removal::restoreEntry(removal, entry, [](const std::string&) {
        ADD_FAILURE() << "nothing was in the way";
        return false;
    });
    EXPECT_EQ(restored.outcome, qv::removal::RestoreResult::Outcome::Restored) << restored.reason;
    EXPECT_EQ(readBytes(L"\\\\?\\" + file), bytes);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW((L"\\\\?\\" + file).c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(
        ULARGE_INTEGER({{data.ftLastWriteTime.dwLowDateTime, data.ftLastWriteTime.dwHighDateTime}})
            .QuadPart,
        133500000000000000u)
        << "dated as it was, not as restored";
    EXPECT_TRUE(quarantined().empty());
}

TEST_F(RemovalFilesTest, AFileHeldWithoutSharingItsDeletionStaysAndLeavesNoCopy) {
    ASSERT_TRUE(writeBytes(stick / L"docs.exe", "MZ"));
    qv::win32::UniqueFile held(CreateFileW((stick / L"docs.exe").c_str(), GENERIC_READ,
                                           FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    for (int tick = 0; tick < 2; ++tick) {
        RemovalResult kept = removal.remove(root + "docs.exe");
        EXPECT_EQ(kept.outcome(), RemovalResult::Outcome::Kept);
        EXPECT_FALSE(kept.reason().empty());
    }
    EXPECT_EQ(readBytes(stick / L"docs.exe"), "MZ");
    EXPECT_TRUE(quarantined().empty());
    WIN32_FIND_DATAW entry;
    qv::win32::UniqueFind any(FindFirstFileW((data / L"隔离区\\*.part").c_str(), &entry));
    EXPECT_FALSE(any) << "no half copy left behind";
    held.reset();
    EXPECT_TRUE(removal.remove(root + "docs.exe").removed());
}

TEST_F(RemovalFilesTest, ALinkInTheQuarantineIsNeverFollowedWhenEntriesGo) {
    // Someone put a link among the entries, leading to a file outside: dropping or purging
    // that entry must not delete the file it points at.
    TempFolder outside{L"qv-outside"};
    ASSERT_TRUE(writeBytes(outside / L"secret.txt", "sentinel"));
    ASSERT_TRUE(writeBytes(stick / L"worm.exe", "MZ worm"));
    ASSERT_TRUE(removal.remove(root + "worm.exe").removed());  // the quarantine folder exists
    const std::wstring planted = data / L"隔离区\\00000000000000000001.qvq";
    ASSERT_TRUE(makeUnixLink(outside / L"secret.txt", planted));

    EXPECT_FALSE(files.removeFile(utf8(planted)).ok());
    EXPECT_EQ(readBytes(outside / L"secret.txt"), "sentinel");
    // An entry that is a file of its own goes.
    const std::wstring own = data / L"隔离区\\00000000000000000002.qvq";
    ASSERT_TRUE(writeBytes(own, "entry"));
    EXPECT_TRUE(files.removeFile(utf8(own)).ok());
    EXPECT_FALSE(readBytes(own));

    // One named as the guard names its entries: relative to its data folder, made current.
    const std::wstring named = data / L"隔离区\\00000000000000000003.qvq";
    ASSERT_TRUE(writeBytes(named, "entry"));
    wchar_t before[MAX_PATH + 1] = {};
    ASSERT_NE(GetCurrentDirectoryW(MAX_PATH + 1, before), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(data.path().c_str()));
    const qv::Status removed = files.removeFile("隔离区\\00000000000000000003.qvq");
    SetCurrentDirectoryW(before);
    EXPECT_TRUE(removed.ok()) << removed.description();
    EXPECT_FALSE(readBytes(named));
}

// In the shared data folder a copy of more than one name (a hard link some other user made
// to a file he may write) is not this user's to trust; a portable copy's own quarantine
// keeps its user's files whatever they are.
TEST(QuarantineTrustTest, AHardLinkedCopyIsTrustedOnlyOutsideTheSharedDataFolder) {
    const std::wstring shared = qv::win32::toWide(qv::win32::sharedDataFolder());
    ASSERT_FALSE(shared.empty());
    const bool madeHere = CreateDirectoryW(shared.c_str(), nullptr) != FALSE;
    TempFolder portable{L"qv-portable"};
    qv::win32::Win32RemovalFiles files;
    for (const std::wstring& folder : {shared + L"\\qv-trust-test", portable.path()}) {
        CreateDirectoryW(folder.c_str(), nullptr);
        ASSERT_TRUE(writeBytes(folder + L"\\00000000000000000001.qvq", "entry"));
        ASSERT_TRUE(CreateHardLinkW((folder + L"\\00000000000000000002.qvq").c_str(),
                                    (folder + L"\\00000000000000000001.qvq").c_str(), nullptr));
        auto opened = files.openToRead(utf8(folder) + "\\00000000000000000002.qvq");
        const bool inShared = folder != portable.path();
        EXPECT_EQ(opened.foreign, inShared) << utf8(folder);
        EXPECT_EQ(opened.file != nullptr, !inShared) << utf8(folder);
    }
    removeTree(shared + L"\\qv-trust-test");
    if (madeHere) RemoveDirectoryW(shared.c_str());
}

}  // namespace

TEST_F(RemovalFilesTest, AQuarantineFolderThatIsALinkIsRefusedAndNothingIsWrittenWhereItLeads) {
    // Another user of the data folder put a link where the quarantine folder goes.
    TempFolder elsewhere;
    ASSERT_TRUE(makeUnixLink(elsewhere.path(), data / L"隔离区"));
    ASSERT_TRUE(writeBytes(stick / L"worm.exe", "MZ worm"));

    RemovalResult kept = removal.remove(root + "worm.exe");
    EXPECT_EQ(kept.outcome(), RemovalResult::Outcome::Kept);
    EXPECT_NE(kept.reason().find(qv::removal::kThroughLinkReason), std::string::npos)
        << kept.reason();
    EXPECT_EQ(readBytes(stick / L"worm.exe"), "MZ worm") << "without its copy it stays";
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));
    qv::Status failure = qv::Status::success();
    EXPECT_FALSE(removal.quarantine().entries(failure)) << "nor is it listed";
}
