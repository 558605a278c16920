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

PrivilegeEnabled::PrivilegeEnabled(const wchar_t* name) {
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token_)) {
        token_ = nullptr;
        return;
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueW(nullptr, name, &privileges.Privileges[0].Luid)) return;
    DWORD size = sizeof previous_;
    changed_ =
        AdjustTokenPrivileges(token_, FALSE, &privileges, sizeof previous_, &previous_, &size) &&
        GetLastError() == ERROR_SUCCESS;
}

PrivilegeEnabled::~PrivilegeEnabled() {
    // The previous state names only what the call changed: nothing when it was enabled.
    if (changed_) AdjustTokenPrivileges(token_, FALSE, &previous_, 0, nullptr, nullptr);
    if (token_) CloseHandle(token_);
}

}  // namespace qv::win32
