#include <windows.h>

#include <algorithm>

#include "tests/wine/tools/TestKit.h"

namespace qv::testkit {

namespace {

// The static control of a message box that shows its message.
constexpr int kMessageBoxTextId = 0xFFFF;

// The first top-level window, shown or hidden, for which `test` holds.
template <typename Test>
HWND findTopLevel(Test test) {
    struct Search {
        Test& test;
        HWND found = nullptr;
    } search{test};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (!s->test(window)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ownedBy(HWND window, DWORD processId) {
    if (processId == 0) return true;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    return owner == processId;
}

}  // namespace

std::wstring windowText(HWND window) {
    int n = GetWindowTextLengthW(window);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(window, text.data(), n + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

std::wstring controlText(HWND window) {
    if (window == nullptr) return {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 5000, &got)) {
        return {};
    }
    text.resize(std::min(static_cast<size_t>(got), text.size() - 1));
    return text;
}

std::wstring windowClass(HWND window) {
    wchar_t name[256] = {};
    int n = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<size_t>(n > 0 ? n : 0));
}

HWND findTopWindow(std::wstring_view title, std::wstring_view className, DWORD processId) {
    return findTopLevel([&](HWND window) {
        return IsWindowVisible(window) && ownedBy(window, processId) &&
               windowText(window) == title &&
               (className.empty() || windowClass(window) == className);
    });
}

HWND findTopWindowOfClass(std::wstring_view className, DWORD processId,
                          const std::function<bool(HWND)>& test) {
    return findTopLevel([&](HWND window) {
        return ownedBy(window, processId) && windowClass(window) == className &&
               (!test || test(window));
    });
}

std::wstring messageBoxText(HWND box) {
    HWND text = GetDlgItem(box, kMessageBoxTextId);
    return text ? windowText(text) : std::wstring();
}

HWND findMessageBox(std::wstring_view text, DWORD processId) {
    return findTopLevel([&](HWND window) {
        return IsWindowVisible(window) && ownedBy(window, processId) &&
               windowClass(window) == L"#32770" &&
               messageBoxText(window).find(text) != std::wstring::npos;
    });
}

bool pressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr || !IsWindowEnabled(button)) return false;
    // Posted, so that a dialog of another thread or process is never waited for.
    return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != FALSE;
}

}  // namespace qv::testkit
