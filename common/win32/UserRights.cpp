#include "common/win32/UserRights.h"

#include <windows.h>

#include <string>

#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

namespace {

UniqueKernelHandle processToken(DWORD access) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), access, &token)) return {};
    return UniqueKernelHandle(token);
}

// A token for AccessCheck that carries the user's ordinary rights. An elevated program of
// an administrator under UAC has a linked token, the limited one his programs normally
// run with; asked for it without the TCB privilege, the system gives an identification
// token, which is what AccessCheck needs (GetTokenInformation, TokenLinkedToken,
// learn.microsoft.com/windows/win32/api/securitybaseapi/nf-securitybaseapi-gettokeninformation;
// "User Account Control", learn.microsoft.com/windows/security/application-security/
// application-control/user-account-control/how-it-works). Any other program's own rights
// are the ordinary ones: an identification copy of its token.
UniqueKernelHandle ordinaryRightsToken() {
    UniqueKernelHandle own = processToken(TOKEN_QUERY | TOKEN_DUPLICATE);
    if (!own) return {};
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    if (GetTokenInformation(own.get(), TokenElevationType, &type, sizeof type, &size) &&
        type == TokenElevationTypeFull) {
        TOKEN_LINKED_TOKEN linked{};
        if (GetTokenInformation(own.get(), TokenLinkedToken, &linked, sizeof linked, &size))
            return UniqueKernelHandle(linked.LinkedToken);
        return {};
    }
    HANDLE copy = nullptr;
    if (!DuplicateToken(own.get(), SecurityIdentification, &copy)) return {};
    return UniqueKernelHandle(copy);
}

enum class Verdict { Allowed, Refused, Unknown };

// Whether the folder's security descriptor lets `token` add files and folders to it. The
// mandatory label is read with it, so that a folder of a higher integrity level refuses a
// token of a lower one (AccessCheck, learn.microsoft.com/windows/win32/api/securitybaseapi/
// nf-securitybaseapi-accesscheck).
Verdict accessListAllows(const std::wstring& folder, HANDLE token) {
    const SECURITY_INFORMATION parts = OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION |
                                       DACL_SECURITY_INFORMATION | LABEL_SECURITY_INFORMATION;
    DWORD size = 0;
    GetFileSecurityW(folder.c_str(), parts, nullptr, 0, &size);
    if (size == 0) return Verdict::Unknown;
    std::string descriptor(size, '\0');
    if (!GetFileSecurityW(folder.c_str(), parts, descriptor.data(), size, &size))
        return Verdict::Unknown;
    GENERIC_MAPPING mapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                            FILE_ALL_ACCESS};
    PRIVILEGE_SET privileges{};
    DWORD privilegesSize = sizeof privileges;
    DWORD granted = 0;
    BOOL allowed = FALSE;
    if (!AccessCheck(descriptor.data(), token, FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY, &mapping,
                     &privileges, &privilegesSize, &granted, &allowed)) {
        return Verdict::Unknown;
    }
    return allowed ? Verdict::Allowed : Verdict::Refused;
}

// Creates and at once lets go of a hidden temporary file in `folder`.
bool fileCanBeCreated(const std::wstring& folder) {
    std::wstring base = folder;
    if (!base.empty() && base.back() != L'\\') base += L'\\';
    base += L"~QVu-write-test-" + std::to_wstring(GetCurrentProcessId());
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::wstring name = base + L"-" + std::to_wstring(attempt) + L".tmp";
        UniqueFile file(CreateFileW(
            name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (file) return true;
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

}  // namespace

bool processElevated() {
    UniqueKernelHandle token = processToken(TOKEN_QUERY);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return token &&
           GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) &&
           elevation.TokenIsElevated != 0;
}

bool userCanCreateFilesIn(const std::wstring& folder) {
    // A check that cannot be made (a file system without access lists) leaves the answer to
    // the creation itself.
    if (UniqueKernelHandle token = ordinaryRightsToken()) {
        if (accessListAllows(folder, token.get()) == Verdict::Refused) return false;
    }
    return fileCanBeCreated(folder);
}

}  // namespace qv::win32
