#include "common/win32/Folders.h"

#include <windows.h>

#include "common/win32/Text.h"

namespace qv::win32 {

namespace {

// The longest path GetModuleFileNameW can give, in characters.
constexpr std::size_t kLongestPath = 32768;

// The full path of the running program's file; empty when it cannot be read.
std::wstring programFile() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        // Cut short: again with more room.
        if (path.size() >= kLongestPath) return {};
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::string programFolder() {
    std::wstring path = programFile();
    std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    // A program in a drive root keeps its backslash: "e:\".
    path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);
    return toUtf8(path);
}

std::string dataFolder() {
    return programFolder();
}

std::optional<FullPath> fullPath(const std::wstring& path) {
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (n == 0) return std::nullopt;
    std::wstring full(n, L'\0');
    wchar_t* name = nullptr;
    n = GetFullPathNameW(path.c_str(), n, full.data(), &name);
    if (n == 0 || n >= full.size() || name == nullptr) return std::nullopt;
    std::size_t nameAt = static_cast<std::size_t>(name - full.data());
    full.resize(n);
    return FullPath{std::move(full), nameAt};
}

}  // namespace qv::win32
