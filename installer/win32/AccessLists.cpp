#include "installer/win32/AccessLists.h"

// After windows.h, which it needs.
#include <aclapi.h>

#include <vector>

#include "common/win32/Privileges.h"
#include "common/win32/ReachedPath.h"
#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"

namespace qv::setup::win32 {

namespace {

struct Sid {
    BYTE bytes[SECURITY_MAX_SID_SIZE];
};

bool wellKnownSid(WELL_KNOWN_SID_TYPE type, Sid& sid) {
    DWORD size = sizeof sid.bytes;
    return CreateWellKnownSid(type, nullptr, sid.bytes, &size);
}

}  // namespace

// Built entry by entry, in the order given ("Creating a DACL", learn.microsoft.com/windows/
// win32/secbp/creating-a-dacl; AddAccessAllowedAceEx for the inheritance flags).
LocalAcl accessList(std::initializer_list<Grant> grants) {
    std::vector<Sid> sids(grants.size());
    DWORD size = sizeof(ACL);
    std::size_t i = 0;
    for (const Grant& grant : grants) {
        if (!wellKnownSid(grant.who, sids[i])) return nullptr;
        size += sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + GetLengthSid(sids[i].bytes);
        ++i;
    }
    size = (size + sizeof(DWORD) - 1) & ~(sizeof(DWORD) - 1);
    LocalAcl list(static_cast<ACL*>(LocalAlloc(LPTR, size)));
    if (!list || !InitializeAcl(list.get(), size, ACL_REVISION)) return nullptr;
    i = 0;
    for (const Grant& grant : grants) {
        if (!AddAccessAllowedAceEx(list.get(), ACL_REVISION, grant.inheritance, grant.rights,
                                   sids[i++].bytes)) {
            return nullptr;
        }
    }
    return list;
}

void enableTakingOver() {
    qv::win32::enablePrivilege(SE_TAKE_OWNERSHIP_NAME);
    qv::win32::enablePrivilege(SE_RESTORE_NAME);
}

// FILE_FLAG_OPEN_REPARSE_POINT opens a reparse point itself instead of where it leads, and
// FILE_FLAG_BACKUP_SEMANTICS opens a folder, with the restore privilege whatever its list
// says (CreateFileW, learn.microsoft.com/windows/win32/api/fileapi/nf-fileapi-createfilew).
FolderToProtect openFolderToProtect(const std::wstring& path) {
    FolderToProtect folder;
    qv::win32::UniqueFile itself(
        CreateFileW(path.c_str(), READ_CONTROL | WRITE_DAC | WRITE_OWNER | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    FILE_BASIC_INFO basic{};
    if (!itself ||
        !GetFileInformationByHandleEx(itself.get(), FileBasicInfo, &basic, sizeof basic)) {
        folder.failure = qv::win32::lastErrorFailure();
        return folder;
    }
    // Under Wine a Unix link to a folder opens as the folder; its name still says what it is,
    // and the handle where it arrived.
    const DWORD named = GetFileAttributesW(path.c_str());
    if (!(basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        ((basic.FileAttributes | named) & FILE_ATTRIBUTE_REPARSE_POINT) ||
        !qv::win32::reachedWhereItSays(itself.get(), path)) {
        folder.notPlain = true;
        folder.failure = Status::failure("“" + qv::win32::toUtf8(path) +
                                         "”不是普通文件夹（可能是链接或交接点），未作更改。");
        return folder;
    }
    folder.handle = std::move(itself);
    return folder;
}

// PROTECTED_DACL_SECURITY_INFORMATION keeps the parent's inheritable entries out
// (SetSecurityInfo, learn.microsoft.com/windows/win32/api/aclapi/nf-aclapi-setsecurityinfo).
Status protect(HANDLE handle, const ACL* list) {
    Sid administrators;
    if (!wellKnownSid(WinBuiltinAdministratorsSid, administrators)) {
        return qv::win32::lastErrorFailure();
    }
    DWORD result = SetSecurityInfo(handle, SE_FILE_OBJECT,
                                   OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION |
                                       PROTECTED_DACL_SECURITY_INFORMATION,
                                   administrators.bytes, nullptr, const_cast<ACL*>(list), nullptr);
    return result == ERROR_SUCCESS ? Status::success() : qv::win32::failure(result);
}

}  // namespace qv::setup::win32
