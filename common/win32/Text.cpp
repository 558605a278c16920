#include "common/win32/Text.h"

namespace qv::win32 {

std::optional<std::string> utf8ToAnsiExactly(std::string_view utf8) {
    // A system whose ANSI code page is UTF-8 takes the text as it is (WideCharToMultiByte
    // refuses to report default characters for CP_UTF8).
    if (GetACP() == CP_UTF8 || utf8.empty()) return std::string(utf8);
    std::wstring wide = toWide(utf8);
    if (wide.empty()) return std::nullopt;
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                static_cast<int>(wide.size()), nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        bytes.data(), n, nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    return bytes;
}

}  // namespace qv::win32
