#pragma once
// Per-program Wine settings for the test programs and the programs they start.
//
// On a virtual display without a window manager, Wine waits about two seconds for the
// (absent) manager each time a managed window is hidden. The test programs therefore ask
// Wine to draw and manage their windows itself. Only the Wine prefix is touched (its
// per-application defaults); on Windows these keys mean nothing.

#include <windows.h>

#include <string>

namespace qv::test {

inline std::wstring appDefaultsKey(const std::wstring& exeName) {
    return L"Software\\Wine\\AppDefaults\\" + exeName + L"\\X11 Driver";
}

// True when the windows of `exeName` ("QVud.exe") are already drawn without a manager.
inline bool drawsWindowsWithoutManager(const std::wstring& exeName) {
    wchar_t value[8] = {};
    DWORD size = sizeof(value);
    LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, appDefaultsKey(exeName).c_str(), L"Managed",
                                  RRF_RT_REG_SZ, nullptr, value, &size);
    return status == ERROR_SUCCESS && (value[0] == L'N' || value[0] == L'n');
}

// Asks Wine to draw and manage the windows of `exeName` itself, from its next start on.
inline void drawWindowsWithoutManager(const std::wstring& exeName) {
    HKEY hkey = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, appDefaultsKey(exeName).c_str(), 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &hkey, nullptr) != ERROR_SUCCESS) {
        return;
    }
    const wchar_t value[] = L"N";
    RegSetValueExW(hkey, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   sizeof(value));
    RegCloseKey(hkey);
}

}  // namespace qv::test
