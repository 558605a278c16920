#pragma once
// Text conversions at the Win32 boundary: the program keeps UTF-8, Windows takes UTF-16,
// and text files are in the system ANSI code page (CP_ACP).

#include <windows.h>

#include <string>
#include <string_view>

namespace qv::win32 {

inline std::wstring toWide(std::string_view utf8, UINT codePage = CP_UTF8) {
    if (utf8.empty()) return {};
    int n =
        MultiByteToWideChar(codePage, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

inline std::string fromWide(std::wstring_view wide, UINT codePage = CP_UTF8) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

// UTF-8 text to bytes in the system ANSI code page, and back.
inline std::string utf8ToAnsi(std::string_view utf8) {
    return fromWide(toWide(utf8), CP_ACP);
}
inline std::string ansiToUtf8(std::string_view ansi) {
    return fromWide(toWide(ansi, CP_ACP));
}

}  // namespace qv::win32
