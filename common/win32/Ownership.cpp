#include "common/win32/Ownership.h"

// After windows.h, which it needs.
#include <aclapi.h>

#include <memory>
#include <vector>

#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

bool trustedOwner(PSID owner, PSID user) {
    if (!owner || !IsValidSid(owner)) return false;
    if (user && IsValidSid(user) && EqualSid(owner, user)) return true;
    return IsWellKnownSid(owner, WinBuiltinAdministratorsSid) ||
           IsWellKnownSid(owner, WinLocalSystemSid);
}

bool ownedByThisUserOrAdministrators(HANDLE handle) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(handle, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    std::unique_ptr<void, decltype(&LocalFree)> descriptorOwner(descriptor, &LocalFree);
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    UniqueKernelHandle tokenOwner(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
        return false;
    }
    return trustedOwner(owner, reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
}

}  // namespace qv::win32
