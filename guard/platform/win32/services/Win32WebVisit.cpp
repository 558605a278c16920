#include "guard/platform/win32/services/Win32WebVisit.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <exception>
#include <thread>

#include "common/win32/SystemLibraries.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

namespace {

std::atomic<int> runningVisits{0};

// WinINet is loaded at the first visit, not at start-up: most runs never visit a page,
// and the library with what it pulls in is the larger part of a waiting guard's memory.
struct WinInet {
    decltype(&InternetOpenW) open = nullptr;
    decltype(&InternetOpenUrlW) openUrl = nullptr;
    decltype(&InternetSetOptionW) setOption = nullptr;
    decltype(&InternetReadFile) readFile = nullptr;
    decltype(&InternetCloseHandle) closeHandle = nullptr;
    bool loaded() const { return open && openUrl && setOption && readFile && closeHandle; }
};

// The library, once loaded (kept for the rest of the run); nullptr when it cannot be.
const WinInet* winInet() {
    static const WinInet library = [] {
        WinInet w;
        HMODULE module = systemLibrary(L"wininet.dll").release();
        if (!module) return w;
        bindProc(module, "InternetOpenW", w.open);
        bindProc(module, "InternetOpenUrlW", w.openUrl);
        bindProc(module, "InternetSetOptionW", w.setOption);
        bindProc(module, "InternetReadFile", w.readFile);
        bindProc(module, "InternetCloseHandle", w.closeHandle);
        return w;
    }();
    return library.loaded() ? &library : nullptr;
}

// Internet handles, closed when the visit ends, however it ends. A handle exists only once
// the library is loaded, and the library stays loaded.
struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { winInet()->closeHandle(h); }
};
using InternetHandle = UniqueHandle<InternetHandleTraits>;

void setTimeout(const WinInet& net, HINTERNET session, DWORD option) {
    DWORD timeout = Win32WebVisit::kTimeoutMilliseconds;
    net.setOption(session, option, &timeout, sizeof timeout);
}

void visit(const std::wstring& url) {
    const WinInet* net = winInet();
    if (!net) return;
    InternetHandle session(net->open(L"Mozilla/5.0 (Windows NT 6.1; QVud)",
                                     INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return;
    setTimeout(*net, session.get(), INTERNET_OPTION_CONNECT_TIMEOUT);
    setTimeout(*net, session.get(), INTERNET_OPTION_SEND_TIMEOUT);
    setTimeout(*net, session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT);
    InternetHandle page(
        net->openUrl(session.get(), url.c_str(), nullptr, 0,
                     INTERNET_FLAG_NO_UI | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!page) return;
    char buffer[8192];
    DWORD total = 0;
    DWORD got = 0;
    while (total < Win32WebVisit::kMaxResponseBytes &&
           net->readFile(page.get(), buffer, sizeof buffer, &got) && got > 0) {
        total += got;
    }
}

}  // namespace

void Win32WebVisit::navigate(const std::string& url) {
    if (url.empty() || url.find('\0') != std::string::npos) return;
    if (runningVisits.fetch_add(1) >= kMaxRunningVisits) {
        runningVisits.fetch_sub(1);
        return;
    }
    try {
        std::thread([address = toWide(url)] {
            visit(address);
            runningVisits.fetch_sub(1);
        }).detach();
    } catch (const std::exception&) {
        runningVisits.fetch_sub(1);  // no thread to be had: the visit is dropped
    }
}

}  // namespace qv::win32
