// Entry point of the Wine tests of the Win32 services: a child mode when asked for one,
// the tests otherwise.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "guard/platform/win32/services/Win32SingleInstance.h"
#include "tests/wine/services/ChildModes.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::services_test {

namespace {

std::wstring ownPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::wstring childCommandLine(const std::wstring& mode, const std::wstring& first,
                              const std::wstring& marker) {
    return L"\"" + ownPath() + L"\" " + mode + L" \"" + first + L"\" \"" + marker + L"\"";
}

int runChildMode(int argc, wchar_t** argv) {
    if (argc != 4) return -1;
    std::wstring mode = argv[1];
    std::wstring first = argv[2];
    std::wstring marker = argv[3];
    if (mode == L"--child-show") {
        if (first != L"-") {
            HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, first.c_str());
            if (go == nullptr) return 3;
            DWORD waited = WaitForSingleObject(go, 10000);
            CloseHandle(go);
            if (waited != WAIT_OBJECT_0) return 4;
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        GetStartupInfoW(&startup);
        unsigned show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : 99;
        return testkit::writeBytes(marker, "show=" + std::to_string(show)) ? 0 : 5;
    }
    if (mode == L"--child-instance") {
        win32::Win32SingleInstance instance(first);
        return testkit::writeBytes(marker, instance.acquire() ? "alone" : "another") ? 0 : 5;
    }
    return -1;
}

}  // namespace qv::services_test

int wmain(int argc, wchar_t** argv) {
    int child = qv::services_test::runChildMode(argc, argv);
    if (child >= 0) return child;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
