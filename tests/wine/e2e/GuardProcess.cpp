#include "tests/wine/e2e/GuardProcess.h"

#include <chrono>

#include "tests/wine/host/WindowProbe.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

std::wstring GuardProcess::placedIn(const std::wstring& exe, const std::wstring& folder) {
    std::wstring copy = folder + L"\\QVud.exe";
    CopyFileW(exe.c_str(), copy.c_str(), TRUE);  // a second copy of the guard finds it there
    return copy;
}

namespace {

// Copies the files of `from` that match `pattern` into `to` (both ending in a backslash).
void copyFiles(const std::wstring& from, const std::wstring& to, const wchar_t* pattern) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((from + pattern).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        CopyFileW((from + entry.cFileName).c_str(), (to + entry.cFileName).c_str(), FALSE);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

}  // namespace

void GuardProcess::placeShippedFiles(const std::wstring& exe, const std::wstring& folder) {
    std::wstring from = exe.substr(0, exe.find_last_of(L"\\/") + 1);
    std::wstring to = folder + L"\\";
    for (const wchar_t* pattern : {L"*.reg", L"*.dat", L"*.she", L"Filedir.exe", L"Pifushe.exe"}) {
        copyFiles(from, to, pattern);
    }
    if (CreateDirectoryW((to + L"skins").c_str(), nullptr) ||
        GetLastError() == ERROR_ALREADY_EXISTS) {
        copyFiles(from + L"skins\\", to + L"skins\\", L"*.she");
    }
}

HWND GuardProcess::form(const std::wstring& name) const {
    return findFormWindow(id(), name);
}

HWND GuardProcess::waitForForm(const std::wstring& name, int ms) const {
    HWND found = nullptr;
    testkit::waitFor([&] { return (found = form(name)) != nullptr; },
                     std::chrono::milliseconds(ms));
    return found;
}

HWND GuardProcess::waitForMessageBox(const std::wstring& text) const {
    HWND found = nullptr;
    testkit::waitFor([&] { return (found = testkit::findMessageBox(text, id())) != nullptr; });
    return found;
}

bool GuardProcess::showsAnyForm() const {
    return testkit::findTopWindowOfClass(L"QvForm", id(), IsWindowVisible) != nullptr;
}

HWND GuardProcess::waitForPopupMenu(int ms) const {
    HWND found = nullptr;
    testkit::waitFor(
        [&] {
            found = testkit::findTopWindowOfClass(L"#32768", id(), IsWindowVisible);
            return found != nullptr;
        },
        std::chrono::milliseconds(ms));
    return found;
}

void chooseMenuItem(HWND menu, int index) {
    // The keys go to the menu once its loop answers: one shown a moment ago may not be
    // reading its messages yet.
    SendMessageTimeoutW(menu, WM_NULL, 0, 0, SMTO_BLOCK, 5000, nullptr);
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

void buttonAt(POINT at, DWORD button) {
    sendMouse(button | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at);
}

void postClick(HWND control) {
    LPARAM at = MAKELPARAM(10, 10);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(control, WM_LBUTTONUP, 0, at);
}

void postDoubleClick(HWND control) {
    LPARAM at = MAKELPARAM(10, 10);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(control, WM_LBUTTONUP, 0, at);
    PostMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(control, WM_LBUTTONUP, 0, at);
}

}  // namespace qv::test
