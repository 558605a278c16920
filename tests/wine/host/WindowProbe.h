#pragma once
// Finding the guard's windows from a test, in this process or another one: every window
// the Win32 host makes carries the property "QvName", a global atom with the model name
// of its form or control.

#include <windows.h>

#include <string>
#include <string_view>

#include "tests/wine/tools/TestKit.h"

namespace qv::test {

// The model name a window carries ("" when it carries none).
inline std::wstring qvName(HWND hwnd) {
    auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(hwnd, L"QvName")));
    if (!atom) return {};
    wchar_t name[256] = {};
    UINT n = GlobalGetAtomNameW(atom, name, 256);
    return std::wstring(name, n);
}

// The child window of `parent` showing the control named `name`; nullptr when none.
inline HWND findControlWindow(HWND parent, std::wstring_view name) {
    struct Search {
        std::wstring_view name;
        HWND found = nullptr;
    } search{name};
    EnumChildWindows(
        parent,
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (qvName(hwnd) != s->name) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The top-level window, shown or hidden, of process `pid` showing the form named `name`;
// nullptr when none.
inline HWND findFormWindow(DWORD pid, std::wstring_view name) {
    return testkit::findTopWindowOfClass(L"QvForm", pid,
                                         [&](HWND hwnd) { return qvName(hwnd) == name; });
}

}  // namespace qv::test
