#include "installer/win32/UnelevatedStart.h"

#include <windows.h>
// After windows.h, which they need.
#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shobjidl.h>

#include "common/win32/SystemError.h"
#include "common/win32/UniqueHandle.h"

namespace qv::setup::win32 {

namespace {

// One reference to a COM object, released when it goes away.
template <typename Interface>
class Com {
public:
    Com() = default;
    ~Com() {
        if (p_) p_->Release();
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    Interface* operator->() const { return p_; }
    Interface** out() { return &p_; }
    void** outVoid() { return reinterpret_cast<void**>(&p_); }
    explicit operator bool() const { return p_ != nullptr; }

private:
    Interface* p_ = nullptr;
};

// A BSTR for the call, freed afterwards.
class Text {
public:
    explicit Text(const std::wstring& text) : b_(SysAllocString(text.c_str())) {}
    ~Text() { SysFreeString(b_); }
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;
    BSTR get() const { return b_; }

private:
    BSTR b_;
};

std::wstring folderOf(const std::wstring& program) {
    std::size_t slash = program.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : program.substr(0, slash);
}

// The desktop's shell view is asked to start the program, so that Explorer, which runs
// with the user's ordinary rights, starts it: Raymond Chen, "How can I launch an
// unelevated process from my elevated process and vice versa?" (The Old New Thing,
// devblogs.microsoft.com/oldnewthing/20131118-00/?p=2643).
HRESULT startThroughTheShell(const std::wstring& program) {
    Com<IShellWindows> windows;
    HRESULT hr = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                  IID_IShellWindows, windows.outVoid());
    if (FAILED(hr)) return hr;
    VARIANT location{};
    location.vt = VT_I4;
    location.lVal = 0;  // CSIDL_DESKTOP
    VARIANT root{};
    long window = 0;
    Com<IDispatch> desktop;
    hr = windows->FindWindowSW(&location, &root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                               desktop.out());
    if (hr != S_OK || !desktop) return FAILED(hr) ? hr : E_FAIL;
    Com<IServiceProvider> services;
    if (FAILED(hr = desktop->QueryInterface(IID_IServiceProvider, services.outVoid()))) return hr;
    Com<IShellBrowser> browser;
    if (FAILED(hr = services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                           browser.outVoid())))
        return hr;
    Com<IShellView> view;
    if (FAILED(hr = browser->QueryActiveShellView(view.out()))) return hr;
    Com<IDispatch> background;
    if (FAILED(hr = view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.outVoid())))
        return hr;
    Com<IShellFolderViewDual> folderView;
    if (FAILED(hr = background->QueryInterface(IID_IShellFolderViewDual, folderView.outVoid())))
        return hr;
    Com<IDispatch> application;
    if (FAILED(hr = folderView->get_Application(application.out()))) return hr;
    Com<IShellDispatch2> shell;
    if (FAILED(hr = application->QueryInterface(IID_IShellDispatch2, shell.outVoid()))) return hr;

    Text file(program);
    Text directory(folderOf(program));
    VARIANT arguments{};
    VARIANT folder{};
    folder.vt = VT_BSTR;
    folder.bstrVal = directory.get();
    VARIANT verb{};
    VARIANT show{};
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    return shell->ShellExecute(file.get(), arguments, folder, verb, show);
}

// The limited token linked to an elevated administrator's: the system gives it as a
// token to start programs with only to a caller with the TCB privilege, and otherwise as an
// identification token, which cannot start one (GetTokenInformation, TokenLinkedToken,
// learn.microsoft.com/windows/win32/api/securitybaseapi/nf-securitybaseapi-gettokeninformation).
Status startWithTheLinkedToken(const std::wstring& program) {
    HANDLE own = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own))
        return qv::win32::lastErrorFailure();
    qv::win32::UniqueKernelHandle ownToken(own);
    TOKEN_LINKED_TOKEN linked{};
    DWORD size = 0;
    if (!GetTokenInformation(own, TokenLinkedToken, &linked, sizeof linked, &size))
        return qv::win32::lastErrorFailure();
    qv::win32::UniqueKernelHandle linkedToken(linked.LinkedToken);
    HANDLE primary = nullptr;
    if (!DuplicateTokenEx(linked.LinkedToken, TOKEN_QUERY | TOKEN_DUPLICATE | TOKEN_ASSIGN_PRIMARY,
                          nullptr, SecurityImpersonation, TokenPrimary, &primary)) {
        return qv::win32::lastErrorFailure();
    }
    qv::win32::UniqueKernelHandle primaryToken(primary);
    std::wstring line = L"\"" + program + L"\"";
    std::wstring folder = folderOf(program);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessAsUserW(primary, program.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, folder.empty() ? nullptr : folder.c_str(), &startup,
                              &started)) {
        return qv::win32::lastErrorFailure();
    }
    qv::win32::UniqueKernelHandle process(started.hProcess), thread(started.hThread);
    return Status::success();
}

}  // namespace

Status startUnelevated(const std::wstring& program) {
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    HRESULT shell = startThroughTheShell(program);
    if (SUCCEEDED(com)) CoUninitialize();
    if (SUCCEEDED(shell)) return Status::success();
    return startWithTheLinkedToken(program);
}

}  // namespace qv::setup::win32
