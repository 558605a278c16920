#pragma once
// Wine settings the test programs make in their (fresh, dedicated) Wine prefix before
// any window exists. Wine reads them when a program starts.
//
// - Windows drawn without a window manager: on a virtual display there is none, and Wine
//   would wait about two seconds for it each time a managed window is hidden. Set per
//   program (the test program itself and QVud.exe).
// - 宋体 / SimSun, the forms' font, replaced by "WenQuanYi Zen Hei Sharp": Wine's own
//   choice for the missing font draws its small embedded bitmaps wrongly (strokes lost at
//   9 pt), while the Sharp face of the same font file draws them right.
//
// On Windows these keys mean nothing.

#include <windows.h>

#include <string>

namespace qv::test {

struct WineSetting {
    std::wstring key;  // under HKEY_CURRENT_USER
    std::wstring name;
    std::wstring value;
};

inline std::wstring readSetting(const WineSetting& s) {
    wchar_t value[128] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, s.key.c_str(), s.name.c_str(), RRF_RT_REG_SZ, nullptr,
                     value, &size) != ERROR_SUCCESS) {
        return {};
    }
    return value;
}

inline bool writeSetting(const WineSetting& s) {
    HKEY hkey = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, s.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &hkey, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    auto bytes = static_cast<DWORD>((s.value.size() + 1) * sizeof(wchar_t));
    bool ok =
        RegSetValueExW(hkey, s.name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(s.value.c_str()), bytes) == ERROR_SUCCESS;
    RegCloseKey(hkey);
    return ok;
}

// Makes the settings for this test program (`selfExe`) and QVud.exe; true when any of
// them had to be written, so that only a program started from now on sees all of them.
inline bool prepareWineSettings(const std::wstring& selfExe) {
    const std::wstring fonts = L"Software\\Wine\\Fonts\\Replacements";
    const WineSetting settings[] = {
        {L"Software\\Wine\\AppDefaults\\" + selfExe + L"\\X11 Driver", L"Managed", L"N"},
        {L"Software\\Wine\\AppDefaults\\QVud.exe\\X11 Driver", L"Managed", L"N"},
        {fonts, L"宋体", L"WenQuanYi Zen Hei Sharp"},
        {fonts, L"SimSun", L"WenQuanYi Zen Hei Sharp"},
    };
    bool written = false;
    for (const WineSetting& s : settings) {
        if (readSetting(s) == s.value) continue;
        written = writeSetting(s) || written;
    }
    return written;
}

}  // namespace qv::test
