// The folders the setup gives lists of their own: what the lists let an ordinary user do
// (asked of the system's own access check, for a token with the Administrators group
// disabled); the shared data folder's note that keeps it from being emptied, a folder of
// that name made beforehand by a user, or a link in its place. (The installation folder as
// the real setup readies it: SetupWineTest.cpp.)

#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win32/UniqueHandle.h"
#include "installer/tests/wine/Installation.h"
#include "installer/win32/FolderPlace.h"
#include "installer/win32/ProgramFolder.h"
#include "installer/win32/SharedDataFolder.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::setup::test {
namespace {

using namespace qv::testkit;
using qv::setup::win32::LocalAcl;
using qv::win32::UniqueKernelHandle;

struct LocalDescriptor {
    ~LocalDescriptor() { LocalFree(descriptor); }
    PSECURITY_DESCRIPTOR descriptor = nullptr;
};

// An impersonation token of this process with the Administrators group for denying only:
// what the list grants a member of Users who is no administrator.
UniqueKernelHandle ordinaryUserToken() {
    HANDLE process = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &process)) return {};
    UniqueKernelHandle processToken(process);
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size)) return {};
    SID_AND_ATTRIBUTES disabled{administrators, 0};
    HANDLE restricted = nullptr;
    if (!CreateRestrictedToken(process, 0, 1, &disabled, 0, nullptr, 0, nullptr, &restricted))
        return {};
    UniqueKernelHandle primary(restricted);
    HANDLE impersonation = nullptr;
    if (!DuplicateToken(restricted, SecurityImpersonation, &impersonation)) return {};
    return UniqueKernelHandle(impersonation);
}

// The rights of `wanted` that `list` (owned by the Administrators group) grants the token.
// The entries of `list`, in their order (every one the setup makes grants).
std::vector<const ACCESS_ALLOWED_ACE*> entriesOf(ACL* list) {
    std::vector<const ACCESS_ALLOWED_ACE*> entries;
    ACL_SIZE_INFORMATION sizes{};
    if (!GetAclInformation(list, &sizes, sizeof sizes, AclSizeInformation)) return entries;
    for (DWORD i = 0; i < sizes.AceCount; ++i) {
        void* entry = nullptr;
        if (GetAce(list, i, &entry)) entries.push_back(static_cast<ACCESS_ALLOWED_ACE*>(entry));
    }
    return entries;
}

DWORD granted(HANDLE token, const ACL* list, DWORD wanted) {
    SECURITY_DESCRIPTOR descriptor{};
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size);
    SetSecurityDescriptorOwner(&descriptor, administrators, FALSE);
    SetSecurityDescriptorGroup(&descriptor, administrators, FALSE);
    SetSecurityDescriptorDacl(&descriptor, TRUE, const_cast<ACL*>(list), FALSE);
    GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                            FILE_ALL_ACCESS};
    PRIVILEGE_SET privileges{};
    DWORD privilegesSize = sizeof privileges, access = 0;
    BOOL allowed = FALSE;
    if (!AccessCheck(&descriptor, token, MAXIMUM_ALLOWED, &mapping, &privileges, &privilegesSize,
                     &access, &allowed) ||
        !allowed) {
        return 0;
    }
    return access & wanted;
}

TEST(SharedDataFolderTest, UsersMayWorkInItButNotRemoveRenameOrRepointTheFolderOrTheNote) {
    UniqueKernelHandle user = ordinaryUserToken();
    ASSERT_TRUE(user);
    LocalAcl folder = win32::dataFolderList(), note = win32::dataFolderNoteList();
    ASSERT_TRUE(folder && note);
    const DWORD change = DELETE | FILE_WRITE_ATTRIBUTES | FILE_WRITE_EA | FILE_DELETE_CHILD |
                         WRITE_DAC | WRITE_OWNER;
    EXPECT_EQ(granted(user.get(), folder.get(), change), 0u) << std::hex;
    const DWORD work = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY;
    EXPECT_EQ(granted(user.get(), folder.get(), work), work);
    EXPECT_EQ(granted(user.get(), note.get(), FILE_WRITE_DATA | FILE_APPEND_DATA | change), 0u);
    EXPECT_EQ(granted(user.get(), note.get(), FILE_READ_DATA), static_cast<DWORD>(FILE_READ_DATA));

    // What the folder holds inherits Modify, and no more.
    bool inherited = false;
    for (const ACCESS_ALLOWED_ACE* allowed : entriesOf(folder.get())) {
        if (!(allowed->Header.AceFlags & INHERIT_ONLY_ACE)) continue;
        inherited = true;
        EXPECT_EQ(allowed->Mask, win32::kModify);
        EXPECT_EQ(allowed->Header.AceFlags & (OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE),
                  OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
    }
    EXPECT_TRUE(inherited);
}

// In the quarantine folder a user may add his guard's copies; what each copy's list holds
// for others is its maker's inherited entry, never one for every user.
TEST(SharedDataFolderTest, InTheQuarantineFolderWhatAUserKeepsIsHisAlone) {
    UniqueKernelHandle user = ordinaryUserToken();
    ASSERT_TRUE(user);
    LocalAcl folder = win32::quarantineFolderList();
    ASSERT_TRUE(folder);
    const DWORD change = DELETE | FILE_WRITE_ATTRIBUTES | FILE_WRITE_EA | FILE_DELETE_CHILD |
                         FILE_ADD_SUBDIRECTORY | WRITE_DAC | WRITE_OWNER;
    EXPECT_EQ(granted(user.get(), folder.get(), change), 0u);
    const DWORD work = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_ADD_FILE;
    EXPECT_EQ(granted(user.get(), folder.get(), work), work);

    BYTE users[SECURITY_MAX_SID_SIZE], creator[SECURITY_MAX_SID_SIZE];
    DWORD usersSize = sizeof users, creatorSize = sizeof creator;
    ASSERT_TRUE(CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users, &usersSize));
    ASSERT_TRUE(CreateWellKnownSid(WinCreatorOwnerSid, nullptr, creator, &creatorSize));
    bool makersOwn = false;
    for (const ACCESS_ALLOWED_ACE* allowed : entriesOf(folder.get())) {
        if (!(allowed->Header.AceFlags & OBJECT_INHERIT_ACE)) continue;
        PSID who = const_cast<DWORD*>(&allowed->SidStart);
        EXPECT_FALSE(EqualSid(who, users)) << "no user inherits rights to all";
        if (EqualSid(who, creator)) makersOwn = allowed->Mask == win32::kModify;
    }
    EXPECT_TRUE(makersOwn);
}

TEST(ProgramFolderTest, UsersMayReadAndRunTheProgramsButChangeNothing) {
    UniqueKernelHandle user = ordinaryUserToken();
    ASSERT_TRUE(user);
    LocalAcl folder = win32::programFolderList();
    ASSERT_TRUE(folder);
    const DWORD change = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_ATTRIBUTES |
                         FILE_WRITE_EA | DELETE | FILE_DELETE_CHILD | WRITE_DAC | WRITE_OWNER;
    EXPECT_EQ(granted(user.get(), folder.get(), change), 0u);
    const DWORD use = FILE_READ_DATA | FILE_EXECUTE;
    EXPECT_EQ(granted(user.get(), folder.get(), use), use);
    // What the folder holds inherits every entry.
    const std::vector<const ACCESS_ALLOWED_ACE*> entries = entriesOf(folder.get());
    EXPECT_EQ(entries.size(), 3u);
    for (const ACCESS_ALLOWED_ACE* allowed : entries) {
        EXPECT_EQ(allowed->Header.AceFlags, OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE);
    }
}

// While the user still chooses, the setup only asks: a folder not made yet is fine and
// stays unmade; one holding something else, or a link, would be refused; one holding an
// earlier installation is fine.
TEST(ProgramFolderTest, TheCheckTellsWhatTheSetupWouldDoAndChangesNothing) {
    TempFolder place{L"qv-install"};
    const std::wstring fresh = place / L"新文件夹";
    EXPECT_EQ(win32::prepareProgramFolder(fresh, false), win32::ProgramFolderResult::Ready);
    EXPECT_FALSE(exists(fresh));

    const std::wstring tools = place / L"工具";
    ASSERT_TRUE(CreateDirectoryW(tools.c_str(), nullptr));
    ASSERT_TRUE(writeBytes(tools + L"\\tool.exe", "MZ"));
    EXPECT_EQ(win32::prepareProgramFolder(tools, false),
              win32::ProgramFolderResult::HoldsOtherFiles);
    ASSERT_TRUE(writeBytes(tools + L"\\QVud.exe", "MZ earlier"));
    EXPECT_EQ(win32::prepareProgramFolder(tools, false), win32::ProgramFolderResult::Ready);

    const std::wstring link = place / L"链接";
    ASSERT_TRUE(makeUnixLink(tools, link));
    EXPECT_EQ(win32::prepareProgramFolder(link, false), win32::ProgramFolderResult::NotPlainFolder);
}

// Windows' own lists, written in SDDL ("Security Descriptor String Format",
// learn.microsoft.com/windows/win32/secauthz/security-descriptor-string-format): who may
// take a folder away, or what it holds.
TEST(ProgramFolderTest, AFolderIsJudgedByItsOwnerAndTheEntriesThatApplyToIt) {
    auto judged = [](const wchar_t* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        EXPECT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1,
                                                                         &descriptor, nullptr))
            << utf8(sddl);
        PSID user = nullptr;
        ConvertStringSidToSidW(L"S-1-5-21-1-2-3-1001", &user);
        const bool replaceable = win32::othersMayReplace(descriptor, user);
        LocalFree(user);
        LocalFree(descriptor);
        return replaceable;
    };
    // Program Files: administrators, SYSTEM and TrustedInstaller change it; users read.
    EXPECT_FALSE(
        judged(L"O:S-1-5-80-956008885-3425387216-3340659938-2580855233-1911163208"
               L"D:(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)"));
    // A folder in a data drive's root: Authenticated Users inherit Modify, DELETE with it.
    EXPECT_TRUE(judged(L"O:BAD:(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;AU)"));
    // The drive's root itself gives them Modify only for what is made below it.
    EXPECT_FALSE(judged(L"O:BAD:(A;OICIIO;0x1301bf;;;AU)(A;;0x1200af;;;AU)(A;OICI;FA;;;BA)"));
    EXPECT_TRUE(judged(L"O:BAD:(A;;GA;;;WD)")) << "a generic right counts as what it means";
    EXPECT_TRUE(judged(L"O:BAD:(A;;0x40;;;BU)")) << "removing what it holds";
    EXPECT_TRUE(judged(L"O:S-1-5-21-1-2-3-1002D:(A;OICI;FA;;;BA)")) << "another user owns it";
    EXPECT_FALSE(judged(L"O:S-1-5-21-1-2-3-1001D:(A;OICI;FA;;;S-1-5-21-1-2-3-1001)"))
        << "the administrator running the setup";
    EXPECT_TRUE(judged(L"O:BA")) << "no list: everyone may do everything (a FAT volume)";
    EXPECT_FALSE(judged(L"O:BAD:(D;;FA;;;WD)(A;OICI;FA;;;BA)"));

    // A folder not made yet gets what the last one there passes on.
    auto madeIn = [](const wchar_t* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                             nullptr);
        const bool replaceable = win32::othersMayReplaceFoldersMadeIn(descriptor, nullptr);
        LocalFree(descriptor);
        return replaceable;
    };
    EXPECT_TRUE(madeIn(L"O:BAD:(A;OICIIO;0x1301bf;;;AU)(A;;0x1200af;;;AU)(A;OICI;FA;;;BA)"))
        << "a data drive's root: a new D:\\软件 is every user's to rename";
    EXPECT_FALSE(madeIn(L"O:BAD:(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)"));
    EXPECT_FALSE(madeIn(L"O:BAD:(A;OICIIO;FA;;;CO)(A;OICI;FA;;;BA)(A;;0x1301bf;;;AU)"))
        << "the setup makes the folder and owns it; what the root itself lets users do stays there";

    // An existing installation folder is taken over only from an administrator.
    auto madeByOthers = [](const wchar_t* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                             nullptr);
        const bool others = win32::ownedByOthers(descriptor, nullptr);
        LocalFree(descriptor);
        return others;
    };
    EXPECT_FALSE(madeByOthers(L"O:BAD:(A;;FA;;;WD)")) << "its list is the setup's to replace";
    EXPECT_FALSE(madeByOthers(L"O:SY"));
    EXPECT_TRUE(madeByOthers(L"O:S-1-5-21-1-2-3-1002D:(A;OICI;FA;;;BA)"));
}

// A folder every user may change (Unix mode 0777, which Wine shows as a list granting every
// user write and delete) would let another user put his own installation in its place.
TEST(ProgramFolderTest, AFolderOthersMayRenameOrEmptyIsNoPlaceForTheInstallation) {
    TempFolder place{L"qv-install"};
    const std::wstring shared = place / L"共享";
    ASSERT_TRUE(CreateDirectoryW(shared.c_str(), nullptr));
    const std::wstring inside = shared + L"\\QVu盘卫士";
    EXPECT_FALSE(win32::ordinaryUsersCouldReplace(place / L"自己的\\QVu盘卫士"));
    EXPECT_FALSE(win32::ordinaryUsersCouldReplace(inside));
    ASSERT_TRUE(setUnixMode(shared, 0777));
    EXPECT_TRUE(win32::ordinaryUsersCouldReplace(inside));
    EXPECT_EQ(win32::prepareProgramFolder(inside, false), win32::ProgramFolderResult::PlaceNotSafe);
    EXPECT_FALSE(exists(inside));
}

// Wine keeps no access list of a file's own (it shows one made from the Unix permissions),
// so what the setup gives is checked above, as it makes the lists; here, what it does.
TEST(SharedDataFolderTest, TheNoteIsMadeAnewAndWhatTheFolderHoldsStays) {
    TempFolder place{L"qv-programdata"};
    const std::wstring folder = place / L"QVu盘卫士";
    const std::wstring note = folder + L"\\" + win32::kDataFolderNoteName;
    qv::Status made = win32::makeSharedDataFolder(folder);
    ASSERT_TRUE(made.ok()) << made.description();
    const std::string text = readBytes(note).value_or("");
    EXPECT_NE(text.find("QVu盘卫士"), std::string::npos) << text;
    EXPECT_EQ(readBytes(folder + L"\\隔离区\\" + win32::kDataFolderNoteName), text)
        << "the quarantine folder is made with its note too";

    // A second setup, over a user's settings and a note some user replaced, made read-only.
    ASSERT_TRUE(writeBytes(folder + L"\\QVset.ini", "settings"));
    ASSERT_TRUE(SetFileAttributesW(note.c_str(), FILE_ATTRIBUTE_NORMAL));
    ASSERT_TRUE(writeBytes(note, "someone's"));
    ASSERT_TRUE(SetFileAttributesW(note.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    made = win32::makeSharedDataFolder(folder);
    ASSERT_TRUE(made.ok()) << made.description();
    EXPECT_EQ(readBytes(note), text);
    EXPECT_EQ(GetFileAttributesW(note.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              0u);
    EXPECT_EQ(readBytes(folder + L"\\QVset.ini"), "settings");
}

// A data folder another user made beforehand goes aside, whole, under a name of its own;
// the setup then makes a new one. (Wine shows every file as this user's, so the setup
// itself never finds such a folder here: the move is asked for directly.)
TEST(SharedDataFolderTest, AFolderMadeBeforehandGoesAsideWholeUnderAFreeName) {
    TempFolder place{L"qv-programdata"};
    const std::wstring folder = place / L"QVu盘卫士";
    for (const wchar_t* expected : {L"QVu盘卫士（旧）", L"QVu盘卫士（旧 2）"}) {
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        ASSERT_TRUE(writeBytes(folder + L"\\QVset.ini", "theirs"));
        win32::MovedAside moved = win32::moveAside(folder);
        ASSERT_TRUE(moved.status.ok()) << moved.status.description();
        EXPECT_EQ(moved.name, place / expected);
        EXPECT_FALSE(exists(folder));
        EXPECT_EQ(readBytes(place / expected + L"\\QVset.ini"), "theirs");
    }
    qv::Status made = win32::makeSharedDataFolder(folder);
    ASSERT_TRUE(made.ok()) << made.description();
    EXPECT_FALSE(exists(folder + L"\\QVset.ini"));
}

// A folder in the note's place cannot be removed for it: the setup says so.
TEST(SharedDataFolderTest, AFolderInTheNotesPlaceIsTold) {
    TempFolder place{L"qv-programdata"};
    const std::wstring folder = place / L"QVu盘卫士";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring blocking = folder + L"\\" + win32::kDataFolderNoteName;
    ASSERT_TRUE(CreateDirectoryW(blocking.c_str(), nullptr));
    ASSERT_TRUE(writeBytes(blocking + L"\\inside.txt", "x"));
    EXPECT_FALSE(win32::makeSharedDataFolder(folder).ok());
    EXPECT_EQ(readBytes(blocking + L"\\inside.txt"), "x");
}

TEST(SharedDataFolderTest, ALinkInItsPlaceIsRefusedAndNothingIsMadeWhereItLeads) {
    TempFolder place{L"qv-programdata"}, elsewhere{L"qv-elsewhere"};
    const std::wstring folder = place / L"QVu盘卫士";
    ASSERT_TRUE(makeUnixLink(elsewhere.path(), folder));
    qv::Status made = win32::makeSharedDataFolder(folder);
    EXPECT_FALSE(made.ok());
    EXPECT_NE(made.description().find("链接"), std::string::npos) << made.description();
    EXPECT_FALSE(exists(elsewhere / win32::kDataFolderNoteName));
}

}  // namespace
}  // namespace qv::setup::test
