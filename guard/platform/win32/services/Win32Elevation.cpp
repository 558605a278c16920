#include "guard/platform/win32/services/Win32Elevation.h"

#include <windows.h>
// After windows.h, which it needs.
#include <objbase.h>
#include <shellapi.h>

#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "common/win32/UserRights.h"
#include "guard/platform/win32/services/WatchedProcess.h"

namespace qv::win32 {

namespace {

using ShellExecuteExFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);

template <typename Function>
Function function(HMODULE library, const char* name) {
    return library
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
               : nullptr;
}

// ShellExecuteExW from the shell library, loaded from the system folder at the first use
// and kept for the rest of the run. COM is initialised on this thread first, as the
// function asks of its callers (learn.microsoft.com/windows/win32/api/shellapi/
// nf-shellapi-shellexecuteexw, Remarks).
ShellExecuteExFunction shellExecute() {
    static const ShellExecuteExFunction loaded = [] {
        HMODULE com = LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (auto initialise = function<CoInitializeExFunction>(com, "CoInitializeEx"))
            initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        HMODULE shell = LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return function<ShellExecuteExFunction>(shell, "ShellExecuteExW");
    }();
    return loaded;
}

}  // namespace

bool Win32Elevation::elevated() {
    return processElevated();
}

platform::ElevatedStart Win32Elevation::startElevated(const std::string& program,
                                                      const std::string& parameters,
                                                      platform::WindowMode mode) {
    using Result = platform::ElevatedStart::Result;
    ShellExecuteExFunction execute = shellExecute();
    if (!execute) return {Result::Failed, systemErrorText(ERROR_MOD_NOT_FOUND), nullptr};
    std::wstring file = toWide(program);
    std::wstring arguments = toWide(parameters);
    std::wstring folder(MAX_PATH, L'\0');
    folder.resize(GetSystemDirectoryW(folder.data(), MAX_PATH));

    // The verb "runas" asks for an administrator's rights with the consent prompt of User
    // Account Control ("How User Account Control works", learn.microsoft.com/windows/
    // security/application-security/application-control/user-account-control/how-it-works);
    // the prompt belongs to the guard's active window. The process handle comes back with
    // SEE_MASK_NOCLOSEPROCESS, and the system shows no error box of its own: the guard
    // tells the user. A declined prompt fails with ERROR_CANCELLED (SHELLEXECUTEINFOW,
    // learn.microsoft.com/windows/win32/api/shellapi/ns-shellapi-shellexecuteinfow).
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = GetActiveWindow();
    info.lpVerb = L"runas";
    info.lpFile = file.c_str();
    info.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = showCommand(mode);
    if (!execute(&info)) {
        DWORD error = GetLastError();
        if (error == ERROR_CANCELLED) return {Result::Declined, "", nullptr};
        return {Result::Failed, systemErrorText(error), nullptr};
    }
    if (!info.hProcess) return {Result::Started, "", nullptr};
    return {Result::Started, "",
            std::make_unique<WatchedProcess>(UniqueKernelHandle(info.hProcess))};
}

}  // namespace qv::win32
