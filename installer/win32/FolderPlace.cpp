#include "installer/win32/FolderPlace.h"

#include <windows.h>
// After windows.h, which it needs.
#include <aclapi.h>
#include <sddl.h>

#include <memory>
#include <optional>
#include <vector>

#include "common/win32/Folders.h"
#include "common/win32/UniqueHandle.h"

namespace qv::setup::win32 {

namespace {

using qv::win32::UniqueFile;
using qv::win32::UniqueKernelHandle;

// NT SERVICE\TrustedInstaller, which owns Windows' own folders.
constexpr wchar_t kTrustedInstaller[] =
    L"S-1-5-80-956008885-3425387216-3340659938-2580855233-1911163208";

// The user running the setup (an administrator); empty when it cannot be told.
std::vector<BYTE> setupUser() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    UniqueKernelHandle owned(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size)) return {};
    PSID sid = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
    std::vector<BYTE> copy(GetLengthSid(sid));
    CopySid(static_cast<DWORD>(copy.size()), copy.data(), sid);
    return copy;
}

// Whether the holder of `sid` is trusted with the installation: SYSTEM, the Administrators
// group, TrustedInstaller, or the administrator running the setup.
bool trusted(PSID sid, PSID user) {
    if (IsWellKnownSid(sid, WinLocalSystemSid) || IsWellKnownSid(sid, WinBuiltinAdministratorsSid))
        return true;
    if (user && EqualSid(sid, user)) return true;
    PSID installer = nullptr;
    if (!ConvertStringSidToSidW(kTrustedInstaller, &installer)) return false;
    const bool same = EqualSid(sid, installer);
    LocalFree(installer);
    return same;
}

struct Holder {
    bool exists = true;
    bool mayBeReplaced = false;
    bool madeInItMayBeReplaced = false;  // a folder made in it, by what it passes on
};

// The folder itself, never where a link leads, judged by its own list; nullopt when that
// cannot be read.
std::optional<Holder> judge(const std::wstring& path, PSID user) {
    UniqueFile folder(
        CreateFileW(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!folder) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            return Holder{false, false, false};
        }
        return std::nullopt;
    }
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(folder.get(), FileBasicInfo, &basic, sizeof basic)) {
        return std::nullopt;
    }
    // Under Wine a Unix link to a folder opens as the folder; its name still says what it is.
    const DWORD named = GetFileAttributesW(path.c_str());
    if ((basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        (named != INVALID_FILE_ATTRIBUTES && (named & FILE_ATTRIBUTE_REPARSE_POINT))) {
        return Holder{true, true, true};
    }
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(folder.get(), SE_FILE_OBJECT,
                        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::unique_ptr<void, decltype(&LocalFree)> descriptorOwner(descriptor, &LocalFree);
    return Holder{true, othersMayReplace(descriptor, user),
                  othersMayReplaceFoldersMadeIn(descriptor, user)};
}

}  // namespace

bool ownedByOthers(PSECURITY_DESCRIPTOR descriptor, PSID user) {
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    return !GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) || !owner ||
           !trusted(owner, user);
}

namespace {

// Whether an entry of `descriptor`'s list that `counts` grants someone not trusted DELETE,
// WRITE_DAC, WRITE_OWNER or FILE_DELETE_CHILD ("How DACLs Control Access to an Object",
// learn.microsoft.com/windows/win32/secauthz/how-dacls-control-access-to-an-object).
// Entries that deny are passed over, which can only judge too strictly; no list at all lets
// everyone do everything. OWNER RIGHTS stands for the owner, judged apart.
template <typename Counts>
bool grantsOthersReplacing(PSECURITY_DESCRIPTOR descriptor, PSID user, Counts counts) {
    BOOL defaulted = FALSE, present = FALSE;
    PACL list = nullptr;
    if (!GetSecurityDescriptorDacl(descriptor, &present, &list, &defaulted)) return true;
    if (!present || !list) return true;
    GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                            FILE_ALL_ACCESS};
    constexpr DWORD kReplacing = DELETE | WRITE_DAC | WRITE_OWNER | FILE_DELETE_CHILD;
    for (DWORD i = 0; i < list->AceCount; ++i) {
        void* entry = nullptr;
        if (!GetAce(list, i, &entry)) return true;
        auto* header = static_cast<ACE_HEADER*>(entry);
        if (!counts(*header)) continue;
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) {
            if (header->AceType == ACCESS_DENIED_ACE_TYPE) continue;
            return true;  // a kind of entry not judged here
        }
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
        PSID who = &allowed->SidStart;
        if (IsWellKnownSid(who, WinCreatorOwnerRightsSid) || trusted(who, user)) continue;
        DWORD rights = allowed->Mask;
        MapGenericMask(&rights, &mapping);
        if (rights & kReplacing) return true;
    }
    return false;
}

}  // namespace

// Its owner (who may always change its list) is not trusted, or an entry that applies to it
// grants someone not trusted what replacing it takes.
bool othersMayReplace(PSECURITY_DESCRIPTOR descriptor, PSID user) {
    return ownedByOthers(descriptor, user) ||
           grantsOthersReplacing(descriptor, user, [](const ACE_HEADER& header) {
               return !(header.AceFlags & INHERIT_ONLY_ACE);
           });
}

// The entries a folder made in it inherits (CONTAINER_INHERIT_ACE; "ACE Inheritance Rules",
// learn.microsoft.com/windows/win32/secauthz/ace-inheritance-rules). CREATOR OWNER stands
// for the setup, which makes the folder and owns it.
bool othersMayReplaceFoldersMadeIn(PSECURITY_DESCRIPTOR descriptor, PSID user) {
    return grantsOthersReplacing(descriptor, user, [](const ACE_HEADER& header) {
        if (!(header.AceFlags & CONTAINER_INHERIT_ACE)) return false;
        if (header.AceType != ACCESS_ALLOWED_ACE_TYPE) return true;
        const auto& allowed = reinterpret_cast<const ACCESS_ALLOWED_ACE&>(header);
        return !IsWellKnownSid(const_cast<DWORD*>(&allowed.SidStart), WinCreatorOwnerSid);
    });
}

std::optional<PathOnDrive> pathOnDrive(const std::wstring& folder) {
    std::optional<qv::win32::FullPath> full = qv::win32::fullPath(folder);
    if (!full) return std::nullopt;
    PathOnDrive path{full->path, {}};
    while (path.full.size() > 3 && (path.full.back() == L'\\' || path.full.back() == L'/'))
        path.full.pop_back();
    if (path.full.size() < 3 || path.full[1] != L':' || path.full[2] != L'\\') return std::nullopt;
    for (std::size_t at = path.full.find(L'\\', 3); at != std::wstring::npos;
         at = path.full.find(L'\\', at + 1)) {
        path.between.push_back(path.full.substr(0, at));
    }
    return path;
}

bool ordinaryUsersCouldReplace(const std::wstring& folder) {
    std::optional<PathOnDrive> path = pathOnDrive(folder);
    if (!path) return true;
    std::vector<BYTE> user = setupUser();
    // The folders the installation lies in, from the root (which cannot be renamed, but
    // may let users remove or re-list what is in it) down to the one that holds it. A FAT
    // volume keeps no lists at all: each folder lets everyone do everything.
    std::vector<std::wstring> holders{path->full.substr(0, 3)};
    holders.insert(holders.end(), path->between.begin(), path->between.end());
    // A folder not made yet is judged by what the last one there passes on to it.
    bool madeInLastMayBeReplaced = false;
    for (const std::wstring& holder : holders) {
        std::optional<Holder> judged = judge(holder, user.empty() ? nullptr : user.data());
        if (!judged) return true;
        if (!judged->exists) return madeInLastMayBeReplaced;
        if (judged->mayBeReplaced) return true;
        madeInLastMayBeReplaced = judged->madeInItMayBeReplaced;
    }
    return false;
}

bool madeByAnotherUser(HANDLE folder) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(folder, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, nullptr, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return true;
    }
    std::unique_ptr<void, decltype(&LocalFree)> descriptorOwner(descriptor, &LocalFree);
    std::vector<BYTE> user = setupUser();
    return ownedByOthers(descriptor, user.empty() ? nullptr : user.data());
}

}  // namespace qv::setup::win32
