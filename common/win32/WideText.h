#pragma once
// Text at the Win32 boundary of the companion programs: their logic keeps UTF-8, Windows
// takes UTF-16, and their text files are in the system ANSI code page (CP_ACP).

#include <windows.h>

#include <string>
#include <string_view>

namespace qv::common::win32 {

inline std::wstring toWide(std::string_view text, UINT codePage = CP_UTF8) {
    if (text.empty()) return {};
    int n =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

inline std::string toUtf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

// The system's description of an error code, without the full stop and line end it comes
// with, so it can stand inside a sentence.
inline std::string errorDescription(DWORD code) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() &&
           std::wstring_view(L"\r\n .。").find(text.back()) != std::wstring_view::npos)
        text.pop_back();
    if (text.empty()) text = L"错误代码 " + std::to_wstring(code);
    return toUtf8(text);
}

}  // namespace qv::common::win32
