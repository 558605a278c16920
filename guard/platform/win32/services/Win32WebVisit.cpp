#include "guard/platform/win32/services/Win32WebVisit.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <exception>
#include <thread>

#include "guard/platform/win32/Text.h"

namespace qv::win32 {

namespace {

std::atomic<int> runningVisits{0};

// Closes an Internet handle when the visit ends, however it ends.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() {
        if (handle_ != nullptr) InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    HINTERNET handle_;
};

void setTimeout(HINTERNET session, DWORD option) {
    DWORD timeout = Win32WebVisit::kTimeoutMilliseconds;
    InternetSetOptionW(session, option, &timeout, sizeof timeout);
}

void visit(const std::wstring& url) {
    InternetHandle session(InternetOpenW(L"Mozilla/5.0 (Windows NT 6.1; QVud)",
                                         INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return;
    setTimeout(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT);
    setTimeout(session.get(), INTERNET_OPTION_SEND_TIMEOUT);
    setTimeout(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT);
    InternetHandle page(InternetOpenUrlW(
        session.get(), url.c_str(), nullptr, 0,
        INTERNET_FLAG_NO_UI | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    if (!page) return;
    char buffer[8192];
    DWORD total = 0;
    DWORD got = 0;
    while (total < Win32WebVisit::kMaxResponseBytes &&
           InternetReadFile(page.get(), buffer, sizeof buffer, &got) && got > 0) {
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
