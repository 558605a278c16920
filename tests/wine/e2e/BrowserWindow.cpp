#include "tests/wine/e2e/BrowserWindow.h"

#include <commctrl.h>

#include "tests/wine/tools/TestKit.h"

namespace qv::test {

namespace {

// Sends `message` with an LVITEMW that lives in the list view's own process; `item` is
// copied there and back.
bool sendRemoteItem(HWND list, UINT message, WPARAM index, LVITEMW& item, wchar_t* text,
                    int chars) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    std::size_t bytes = sizeof(LVITEMW) + static_cast<std::size_t>(chars) * sizeof(wchar_t);
    auto* remote =
        static_cast<char*>(VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE));
    bool done = false;
    if (remote) {
        LVITEMW sent = item;
        if (text) sent.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
        DWORD_PTR result = 0;
        done = WriteProcessMemory(process, remote, &sent, sizeof sent, nullptr) &&
               SendMessageTimeoutW(list, message, index, reinterpret_cast<LPARAM>(remote),
                                   SMTO_BLOCK, 5000, &result) &&
               (!text || ReadProcessMemory(process, sent.pszText, text,
                                           (chars - 1) * sizeof(wchar_t), nullptr));
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return done;
}

}  // namespace

std::wstring cellText(HWND list, int item, int column) {
    constexpr int kChars = 260;
    wchar_t buffer[kChars] = {};
    LVITEMW lv{};
    lv.iSubItem = column;
    lv.cchTextMax = kChars;
    if (!sendRemoteItem(list, LVM_GETITEMTEXTW, item, lv, buffer, kChars)) return {};
    return buffer;
}

bool selectLine(HWND list, int item) {
    LVITEMW lv{};
    lv.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    lv.state = LVIS_SELECTED | LVIS_FOCUSED;
    return sendRemoteItem(list, LVM_SETITEMSTATE, item, lv, nullptr, 0);
}

int lineWithText(HWND list, std::wstring_view text) {
    DWORD_PTR count = 0;
    SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_BLOCK, 5000, &count);
    for (int i = 0; i < static_cast<int>(count); ++i) {
        if (cellText(list, i, 0) == text) return i;
    }
    return -1;
}

HWND childWithText(HWND parent, const wchar_t* cls, std::wstring_view prefix) {
    for (HWND h = FindWindowExW(parent, nullptr, cls, nullptr); h;
         h = FindWindowExW(parent, h, cls, nullptr)) {
        if (testkit::controlText(h).starts_with(prefix)) return h;
    }
    return nullptr;
}

HWND waitForBrowser(DWORD& processId) {
    HWND browser = nullptr;
    testkit::waitFor([&] {
        browser = testkit::findTopWindowOfClass(L"QVFiledir");
        return browser && IsWindowVisible(browser);
    });
    processId = 0;
    if (browser) GetWindowThreadProcessId(browser, &processId);
    return browser;
}

BrowserEnder::~BrowserEnder() {
    if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
        if (WaitForSingleObject(p, 5000) == WAIT_TIMEOUT) TerminateProcess(p, 1);
        CloseHandle(p);
    }
}

}  // namespace qv::test
