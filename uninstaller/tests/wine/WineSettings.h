#pragma once
// Wine settings made before QVuninst.exe starts (Wine reads them when a program starts):
// its windows drawn without a window manager, since a virtual display has none and Wine
// would otherwise wait for one whenever a window goes; and 宋体 / SimSun, the window's
// font, replaced by a face that draws its small sizes right. On Windows they mean nothing.

#include <windows.h>

namespace qv::uninst::test {

inline bool writeUserString(const wchar_t* key, const wchar_t* name, const wchar_t* value) {
    HKEY hkey = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hkey,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    auto bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    bool ok = RegSetValueExW(hkey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes) ==
              ERROR_SUCCESS;
    RegCloseKey(hkey);
    return ok;
}

inline bool prepareWineSettings() {
    const wchar_t* fonts = L"Software\\Wine\\Fonts\\Replacements";
    bool ok =
        writeUserString(L"Software\\Wine\\AppDefaults\\QVuninst.exe\\X11 Driver", L"Managed", L"N");
    ok = writeUserString(fonts, L"宋体", L"WenQuanYi Zen Hei Sharp") && ok;
    ok = writeUserString(fonts, L"SimSun", L"WenQuanYi Zen Hei Sharp") && ok;
    return ok;
}

}  // namespace qv::uninst::test
