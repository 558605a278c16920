#include "tests/wine/e2e/GuardProcess.h"

#include <chrono>
#include <string_view>

#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

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
    testkit::waitFor([&] { return (found = form(name)) != nullptr; },
                     std::chrono::milliseconds(ms));
    return found;
}

HWND GuardProcess::waitForMessageBox(const std::wstring& text) const {
    HWND found = nullptr;
    testkit::waitFor([&] { return (found = testkit::findMessageBox(text, id_)) != nullptr; });
    return found;
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
    testkit::waitFor(
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
        std::chrono::milliseconds(ms));
    return search.found;
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
