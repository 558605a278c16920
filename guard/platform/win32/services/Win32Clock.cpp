#include "guard/platform/win32/services/Win32Clock.h"

#include <windows.h>

#include <cwchar>

#include "common/win32/Text.h"

namespace qv::win32 {

std::string Win32Clock::generalDateTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t date[128] = {};
    wchar_t time[128] = {};
    if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128,
                        nullptr) &&
        GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &now, nullptr, time, 128)) {
        return fromWide(std::wstring(date) + L" " + time);
    }
    // Without the locale's formats: the same fields in the Chinese order.
    wchar_t text[64] = {};
    swprintf(text, 64, L"%u/%u/%u %u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
             now.wMinute, now.wSecond);
    return fromWide(text);
}

}  // namespace qv::win32
