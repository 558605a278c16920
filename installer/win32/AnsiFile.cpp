#include "installer/win32/AnsiFile.h"

#include <optional>

#include "common/win32/Text.h"

namespace qv::setup::win32 {

namespace {

// The text in the system code page; nothing when a character has no byte there. A system
// whose code page is UTF-8 takes the text as it is.
std::optional<std::string> toAnsi(std::string_view utf8) {
    if (GetACP() == CP_UTF8 || utf8.empty()) return std::string(utf8);
    std::wstring wide = qv::win32::toWide(utf8);
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

bool writeWhole(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size() && FlushFileBuffers(file);
    CloseHandle(file);
    return ok;
}

}  // namespace

AnsiWrite writeAnsiFile(const std::wstring& path, std::string_view text) {
    std::optional<std::string> bytes = toAnsi(text);
    if (!bytes) return AnsiWrite::NotRepresentable;
    const std::wstring temporary = path + L".new";
    if (!writeWhole(temporary, *bytes) ||
        !MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return AnsiWrite::Failed;
    }
    return AnsiWrite::Written;
}

}  // namespace qv::setup::win32
