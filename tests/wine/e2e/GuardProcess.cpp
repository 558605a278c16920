#include "tests/wine/e2e/GuardProcess.h"

#include <shellapi.h>

#include <string_view>
#include <thread>

#include "tests/wine/host/WindowProbe.h"

namespace qv::test {

bool waitUntil(const std::function<bool()>& done, int ms) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    for (unsigned n = GetTickCount(); path_.empty(); ++n) {
        std::wstring candidate = std::wstring(base) + L"qv-e2e-" + std::to_wstring(n);
        if (CreateDirectoryW(candidate.c_str(), nullptr))
            path_ = candidate;
        else if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
}

TempFolder::~TempFolder() {
    if (path_.empty()) return;
    std::wstring from = path_ + L'\0';  // the list ends with two NULs
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

GuardProcess::GuardProcess(const std::wstring& exe, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

GuardProcess::~GuardProcess() {
    terminate();
    if (process_) CloseHandle(process_);
}

bool GuardProcess::running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

long GuardProcess::waitForExit(int ms) const {
    if (!process_ || WaitForSingleObject(process_, static_cast<DWORD>(ms)) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
}

void GuardProcess::terminate() {
    if (!running()) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 10000);
}

HWND GuardProcess::form(const std::wstring& name) const {
    return findFormWindow(id_, name);
}

HWND GuardProcess::waitForForm(const std::wstring& name, int ms) const {
    HWND found = nullptr;
    waitUntil([&] { return (found = form(name)) != nullptr; }, ms);
    return found;
}

HWND GuardProcess::waitForMessageBox(const std::wstring& title, int ms) const {
    struct Search {
        DWORD pid;
        const std::wstring* title;
        HWND found = nullptr;
    } search{id_, &title};
    waitUntil(
        [&] {
            EnumWindows(
                [](HWND hwnd, LPARAM lp) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(lp);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(hwnd, &owner);
                    wchar_t cls[16] = {};
                    GetClassNameW(hwnd, cls, 16);
                    if (owner != s->pid || std::wstring_view(cls) != L"#32770") return TRUE;
                    if (!IsWindowVisible(hwnd) || windowTitle(hwnd) != *s->title) return TRUE;
                    s->found = hwnd;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        ms);
    return search.found;
}

bool GuardProcess::showsAnyForm() const {
    struct Search {
        DWORD pid;
        bool found = false;
    } search{id_};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            wchar_t cls[16] = {};
            GetClassNameW(hwnd, cls, 16);
            if (owner == s->pid && std::wstring_view(cls) == L"QvForm" && IsWindowVisible(hwnd)) {
                s->found = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND GuardProcess::waitForPopupMenu(int ms) const {
    struct Search {
        DWORD pid;
        HWND found = nullptr;
    } search{id_};
    waitUntil(
        [&] {
            EnumWindows(
                [](HWND hwnd, LPARAM lp) -> BOOL {
                    auto* s = reinterpret_cast<Search*>(lp);
                    DWORD owner = 0;
                    GetWindowThreadProcessId(hwnd, &owner);
                    wchar_t cls[16] = {};
                    GetClassNameW(hwnd, cls, 16);
                    if (owner != s->pid || std::wstring_view(cls) != L"#32768") return TRUE;
                    if (!IsWindowVisible(hwnd)) return TRUE;
                    s->found = hwnd;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        ms);
    return search.found;
}

std::wstring messageBoxText(HWND box) {
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 512);  // the static text of a message box
    return text;
}

void pressMessageBoxButton(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

void chooseMenuItem(HWND menu, int index) {
    auto key = [menu](WPARAM vk) {
        PostMessageW(menu, WM_KEYDOWN, vk, 1);
        PostMessageW(menu, WM_KEYUP, vk, 0xC0000001);
    };
    for (int i = 0; i <= index; ++i) key(VK_DOWN);
    key(VK_RETURN);
}

void sendMouse(DWORD flags, POINT at) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN));
        input.mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN));
    }
    SendInput(1, &input, sizeof(input));
}

void moveMouseTo(POINT at) {
    sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at);
}

void postDoubleClick(HWND control) {
    LPARAM at = MAKELPARAM(10, 10);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(control, WM_LBUTTONUP, 0, at);
    PostMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(control, WM_LBUTTONUP, 0, at);
}

}  // namespace qv::test
