#include "tests/wine/tools/WineSettings.h"

#include <windows.h>

#include <vector>

namespace qv::testkit {

namespace {

struct Setting {
    std::wstring key;  // under HKEY_CURRENT_USER
    std::wstring name;
    std::wstring value;
};

// The string value now in place; "" when there is none or it is no string.
std::wstring readSetting(const Setting& s) {
    wchar_t value[128] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, s.key.c_str(), s.name.c_str(), RRF_RT_REG_SZ, nullptr,
                     value, &size) != ERROR_SUCCESS) {
        return {};
    }
    return value;
}

bool writeSetting(const Setting& s) {
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

}  // namespace

bool prepareWineSettings(std::initializer_list<std::wstring> programs) {
    const std::wstring fonts = L"Software\\Wine\\Fonts\\Replacements";
    std::vector<Setting> settings = {
        {fonts, L"宋体", L"WenQuanYi Zen Hei Sharp"},
        {fonts, L"SimSun", L"WenQuanYi Zen Hei Sharp"},
    };
    for (const std::wstring& program : programs) {
        settings.push_back(
            {L"Software\\Wine\\AppDefaults\\" + program + L"\\X11 Driver", L"Managed", L"N"});
    }
    bool needed = false;
    for (const Setting& s : settings) {
        if (readSetting(s) == s.value) continue;
        needed = true;
        writeSetting(s);
    }
    return needed;
}

}  // namespace qv::testkit
