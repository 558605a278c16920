#include "installer/tests/wine/Installation.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include "common/win32/UniqueHandle.h"
#include "tests/wine/host/WindowProbe.h"

namespace qv::setup::test {

using namespace qv::testkit;
using qv::win32::UniqueFind;
using qv::win32::UniqueKernelHandle;
using qv::win32::UniqueKey;

namespace {

std::wstring environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(value, n) : std::wstring();
}

}  // namespace

bool exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::wstring> packageFiles() {
    std::vector<std::wstring> names;
    std::wstring text = wide(readBytes(windowsPath(QV_PACKAGE_MANIFEST)).value_or(""));
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        if (end > start) names.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::wstring menuFolder() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::wstring(path) + L"\\QVu盘卫士";
}

std::wstring sharedDataFolder() {
    return environment(L"ProgramData") + L"\\QVu盘卫士";
}

std::wstring defaultInstallFolder() {
    return environment(L"ProgramW6432") + L"\\QVu盘卫士";
}

bool keyExists(const wchar_t* key) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | KEY_WOW64_64KEY, &h) != ERROR_SUCCESS)
        return false;
    UniqueKey opened(h);
    return true;
}

std::optional<std::wstring> machineString(const wchar_t* key, const wchar_t* value) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ | KEY_WOW64_64KEY, &h) != ERROR_SUCCESS)
        return std::nullopt;
    UniqueKey opened(h);
    wchar_t data[2048] = {};
    DWORD size = sizeof(data) - sizeof(wchar_t);
    DWORD type = 0;
    LONG got = RegQueryValueExW(h, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    if (got != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    return std::wstring(data);
}

std::string folderEntries(const std::wstring& folder) {
    std::string names;
    WIN32_FIND_DATAW entry;
    UniqueFind search(FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (!search) return names;
    do {
        std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..") names += utf8(name) + " ";
    } while (FindNextFileW(search.get(), &entry));
    return names;
}

HWND findBadge(DWORD processId) {
    HWND badge = qv::test::findFormWindow(processId, L"Form3");
    return badge && IsWindowVisible(badge) ? badge : nullptr;
}

std::wstring processImage(DWORD pid) {
    UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process) return {};
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameW(process.get(), 0, path, &size);
    return path;
}

HWND awaitTopWindow(const std::wstring& title, const std::wstring& className) {
    HWND found = nullptr;
    waitFor([&] { return (found = findTopWindow(title, className)) != nullptr; }, 20s);
    return found;
}

HWND uninstallAndAwaitReport(HWND wizard) {
    HWND face = GetDlgItem(wizard, kUninstallFace);
    PostMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(face, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    return awaitTopWindow(L"提示");
}

void removeInstallation(const std::wstring& folder) {
    removeTree(folder);
    removeTree(menuFolder());
    removeTree(sharedDataFolder());
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_64KEY, 0);
    HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &run) ==
        ERROR_SUCCESS) {
        UniqueKey opened(run);
        RegDeleteValueW(run, L"QVud");
    }
}

}  // namespace qv::setup::test
