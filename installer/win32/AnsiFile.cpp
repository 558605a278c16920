#include "installer/win32/AnsiFile.h"

#include <optional>

#include "common/win32/FileBytes.h"
#include "common/win32/Text.h"

namespace qv::setup::win32 {

AnsiWrite writeAnsiFile(const std::wstring& path, std::string_view text) {
    std::optional<std::string> bytes = qv::win32::utf8ToAnsiExactly(text);
    if (!bytes) return AnsiWrite::NotRepresentable;
    if (!qv::win32::replaceFile(path, *bytes).ok()) return AnsiWrite::Failed;
    return AnsiWrite::Written;
}

}  // namespace qv::setup::win32
