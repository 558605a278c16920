#include "installer/win32/SharedDataFolder.h"

#include <windows.h>
// After windows.h, which they need.
#include <aclapi.h>

#include "common/win32/ReachedPath.h"
#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"

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

// The entries the folder inherits from ProgramData stay. The folder is changed through a
// handle to itself: any user may make a junction of that name before the setup runs, and
// the rights given here would then go to the folder it leads to (FILE_FLAG_OPEN_REPARSE_POINT
// opens the reparse point itself, CreateFileW's documentation), so such a folder is refused.
// SetSecurityInfo passes the inheritable entry on to what the folder holds already, as
// SetNamedSecurityInfo does ("Automatic Propagation of Inheritable ACEs",
// learn.microsoft.com/windows/win32/secauthz/automatic-propagation-of-inheritable-aces).
Status makeSharedDataFolder(const std::wstring& folder) {
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return qv::win32::lastErrorFailure();
    qv::win32::UniqueFile itself(
        CreateFileW(folder.c_str(), READ_CONTROL | WRITE_DAC | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!itself) return qv::win32::lastErrorFailure();
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(itself.get(), FileBasicInfo, &basic, sizeof basic)) {
        return qv::win32::lastErrorFailure();
    }
    // Under Wine a Unix link to a folder opens as the folder; its name still says what it is,
    // and the handle where it arrived.
    const DWORD named = GetFileAttributesW(folder.c_str());
    if (!(basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        ((basic.FileAttributes | named) & FILE_ATTRIBUTE_REPARSE_POINT) ||
        !qv::win32::reachedWhereItSays(itself.get(), folder)) {
        return Status::failure("数据文件夹不是普通文件夹（可能是链接或交接点），未作更改。");
    }
    PACL current = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    DWORD result = GetSecurityInfo(itself.get(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                   nullptr, &current, nullptr, &descriptor);
    if (result != ERROR_SUCCESS) return qv::win32::failure(result);
    std::unique_ptr<void, LocalFreer> descriptorOwner(descriptor);
    LocalAcl updated = withUsersModify(current);
    if (!updated) return qv::win32::lastErrorFailure();
    result = SetSecurityInfo(itself.get(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                             nullptr, updated.get(), nullptr);
    if (result != ERROR_SUCCESS) return qv::win32::failure(result);
    return Status::success();
}

}  // namespace qv::setup::win32
