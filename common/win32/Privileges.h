#pragma once
// Privileges an elevated program of the product enables for one task. An administrator's
// elevated token holds them disabled ("Privilege Constants", learn.microsoft.com/windows/
// win32/secauthz/privilege-constants); enabling one affects this process only.

#include <windows.h>

namespace qv::win32 {

// Enables the privilege `name` (SE_DEBUG_NAME ...) in this process's token. False when the
// token does not hold it or cannot be changed; the caller goes on with the rights it has.
bool enablePrivilege(const wchar_t* name);

// The privilege `name` enabled for the life of the object, then as it was before: the
// programs this one starts afterwards inherit its token as it stands then.
class PrivilegeEnabled {
public:
    explicit PrivilegeEnabled(const wchar_t* name);
    ~PrivilegeEnabled();
    PrivilegeEnabled(const PrivilegeEnabled&) = delete;
    PrivilegeEnabled& operator=(const PrivilegeEnabled&) = delete;

private:
    HANDLE token_ = nullptr;
    TOKEN_PRIVILEGES previous_{};
    bool changed_ = false;
};

}  // namespace qv::win32
