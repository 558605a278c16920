#pragma once
// Text at the Win32 boundary: the programs keep UTF-8, Windows takes UTF-16, and text
// files are in the system ANSI code page (CP_ACP). Text that does not convert gives an
// empty result.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace qv::win32 {

inline std::wstring toWide(std::string_view text, UINT codePage = CP_UTF8) {
    if (text.empty()) return {};
    int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

inline std::string fromWide(std::wstring_view wide, UINT codePage = CP_UTF8) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

inline std::string toUtf8(std::wstring_view wide) {
    return fromWide(wide, CP_UTF8);
}

// UTF-8 text to bytes in the system ANSI code page, and back.
inline std::string utf8ToAnsi(std::string_view utf8) {
    return fromWide(toWide(utf8), CP_ACP);
}
inline std::string ansiToUtf8(std::string_view ansi) {
    return fromWide(toWide(ansi, CP_ACP));
}

// UTF-8 text to bytes in the system ANSI code page, exactly or not at all: nothing when a
// character has no byte of its own there (where utf8ToAnsi would put a look-alike or "?").
// For text that names files, which a look-alike would name wrongly.
std::optional<std::string> utf8ToAnsiExactly(std::string_view utf8);

}  // namespace qv::win32
