#include "common/win32/Privileges.h"

#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

// AdjustTokenPrivileges reports success with ERROR_NOT_ALL_ASSIGNED when the token lacks
// the privilege (learn.microsoft.com/windows/win32/api/securitybaseapi/
// nf-securitybaseapi-adjusttokenprivileges).
bool enablePrivilege(const wchar_t* name) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return false;
    }
    UniqueKernelHandle owned(token);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid)) return false;
    return AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
           GetLastError() == ERROR_SUCCESS;
}

}  // namespace qv::win32
