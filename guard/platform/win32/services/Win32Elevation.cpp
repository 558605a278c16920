#include "guard/platform/win32/services/Win32Elevation.h"

#include <windows.h>
// After windows.h, which it needs.
#include <objbase.h>
#include <shellapi.h>

#include "common/win32/Folders.h"
#include "common/win32/SystemError.h"
#include "common/win32/SystemLibraries.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "common/win32/UserRights.h"
#include "guard/platform/win32/services/DispatchingWait.h"
#include "guard/platform/win32/services/WatchedProcess.h"

namespace qv::win32 {

namespace {

using ShellExecuteExFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOW*);
using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
using CoUninitializeFunction = void(WINAPI*)();

// The shell's and COM's functions, loaded from the system folder at the first use and kept
// for the rest of the run.
struct Shell {
    ShellExecuteExFunction execute = nullptr;
    CoInitializeExFunction initialise = nullptr;
    CoUninitializeFunction uninitialise = nullptr;
};
const Shell& shell() {
    static const Shell loaded = [] {
        Shell functions;
        HMODULE ole = systemLibrary(L"ole32.dll").release();
        bindProc(ole, "CoInitializeEx", functions.initialise);
        bindProc(ole, "CoUninitialize", functions.uninitialise);
        bindProc(systemLibrary(L"shell32.dll").release(), "ShellExecuteExW", functions.execute);
        return functions;
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
    const Shell& functions = shell();
    if (!functions.execute) return {Result::Failed, systemErrorText(ERROR_MOD_NOT_FOUND), nullptr};
    // A second action that asks for the rights while a prompt waits for its answer.
    if (prompting_) return {Result::Failed, "另一个管理员权限请求正在等待回答", nullptr};
    std::wstring file = toWide(program);
    std::wstring arguments = toWide(parameters);
    std::wstring folder = toWide(systemFolder());

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
    BOOL started = FALSE;
    DWORD error = ERROR_SUCCESS;
    prompting_ = true;
    // COM is initialised on the prompt's thread first, as ShellExecuteExW asks of its
    // callers (learn.microsoft.com/windows/win32/api/shellapi/nf-shellapi-shellexecuteexw,
    // Remarks).
    const bool ran = runWhileDispatching([&] {
        const bool com = functions.initialise && functions.uninitialise &&
                         SUCCEEDED(functions.initialise(
                             nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
        started = functions.execute(&info);
        error = GetLastError();
        if (com) functions.uninitialise();
    });
    if (!ran) error = GetLastError();
    prompting_ = false;
    if (!ran || !started) {
        if (error == ERROR_CANCELLED) return {Result::Declined, "", nullptr};
        return {Result::Failed, systemErrorText(error), nullptr};
    }
    if (!info.hProcess) return {Result::Started, "", nullptr};
    return {Result::Started, "",
            std::make_unique<WatchedProcess>(UniqueKernelHandle(info.hProcess))};
}

}  // namespace qv::win32
