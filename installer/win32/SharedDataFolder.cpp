#include "installer/win32/SharedDataFolder.h"

#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>

#include "common/win32/SystemError.h"
#include "common/win32/Text.h"

namespace qv::setup::win32 {

// One inheritable entry granting Modify to BUILTIN\Users (S-1-5-32-545) is merged into the
// folder's own list, as "Modifying the ACLs of an Object in C++" does
// (learn.microsoft.com/windows/win32/secauthz/modifying-the-acls-of-an-object-in-c--; the
// SID: "Well-known SIDs", learn.microsoft.com/windows/win32/secauthz/well-known-sids).
LocalAcl withUsersModify(PACL current) {
    BYTE users[SECURITY_MAX_SID_SIZE];
    DWORD usersSize = sizeof users;
    if (!CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users, &usersSize)) return nullptr;
    EXPLICIT_ACCESSW access{};
    access.grfAccessPermissions =
        FILE_GENERIC_READ | FILE_GENERIC_WRITE | FILE_GENERIC_EXECUTE | DELETE;
    access.grfAccessMode = GRANT_ACCESS;
    access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = reinterpret_cast<LPWSTR>(users);
    PACL updated = nullptr;
    DWORD result = SetEntriesInAclW(1, &access, current, &updated);
    if (result != ERROR_SUCCESS) {
        SetLastError(result);
        return nullptr;
    }
    return LocalAcl(updated);
}

// The entries the folder inherits from ProgramData stay.
Status makeSharedDataFolder(const std::wstring& folder) {
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return qv::win32::lastErrorFailure();
    PACL current = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    DWORD result = GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                         nullptr, nullptr, &current, nullptr, &descriptor);
    if (result != ERROR_SUCCESS) return qv::win32::failure(result);
    std::unique_ptr<void, LocalFreer> descriptorOwner(descriptor);
    LocalAcl updated = withUsersModify(current);
    if (!updated) return qv::win32::lastErrorFailure();
    std::wstring name = folder;  // SetNamedSecurityInfoW takes a writable name
    result = SetNamedSecurityInfoW(name.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                   nullptr, updated.get(), nullptr);
    if (result != ERROR_SUCCESS) return qv::win32::failure(result);
    return Status::success();
}

}  // namespace qv::setup::win32
