#pragma once
// Writing a text file in the system's ANSI code page, as QVuninst.exe reads its script.

#include <windows.h>

#include <string>
#include <string_view>

namespace qv::setup::win32 {

enum class AnsiWrite {
    Written,
    NotRepresentable,  // a character the code page has no byte for
    Failed             // the file could not be written; nothing was replaced
};

// Converts UTF-8 `text` to the system code page, exactly or not at all, and replaces
// `path` with it in one step (qv::win32::replaceFile), so a failure never leaves half a
// script behind.
AnsiWrite writeAnsiFile(const std::wstring& path, std::string_view text);

}  // namespace qv::setup::win32
