#include "common/win32/ReachedPath.h"

#include <string>

#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

namespace {

// The path the system reached when it opened `handle`, in its DOS form without "\\?\".
std::wstring reachedPath(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n >= path.size()) {
        path.resize(n + 1);
        n = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    path.resize(n < path.size() ? n : 0);
    if (path.starts_with(L"\\\\?\\")) path.erase(0, 4);
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

// The path with the dots and blanks that end any of its names taken away: Wine reports a
// name ending in them (which "\\?\" paths reach as they are) without them.
std::wstring withoutTrailingDots(std::wstring_view path) {
    std::wstring out;
    out.reserve(path.size());
    for (wchar_t c : path) {
        if (c == L'\\') {
            while (!out.empty() && (out.back() == L'.' || out.back() == L' ')) out.pop_back();
        }
        out += c;
    }
    while (!out.empty() && (out.back() == L'.' || out.back() == L' ')) out.pop_back();
    return out;
}

}  // namespace

Reached whereReached(HANDLE handle, std::wstring_view path) {
    if (path.size() < 3 || path[1] != L':') return Reached::Elsewhere;
    const std::wstring reached = withoutTrailingDots(reachedPath(handle));
    if (reached.empty()) return Reached::Unknown;
    auto same = [&](const std::wstring& expected) {
        return CompareStringOrdinal(expected.c_str(), -1, reached.c_str(), -1, TRUE) == CSTR_EQUAL;
    };
    // Named as given, as Windows names a drive's own entries: the root need not be opened.
    if (same(withoutTrailingDots(path))) return Reached::There;
    const wchar_t rootName[] = {path[0], L':', L'\\', L'\0'};
    UniqueFile root(CreateFileW(rootName, FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!root) return Reached::Unknown;
    const std::wstring rootReached = reachedPath(root.get());
    if (rootReached.empty()) return Reached::Unknown;
    return same(withoutTrailingDots(rootReached + std::wstring(path.substr(2))))
               ? Reached::There
               : Reached::Elsewhere;
}

bool reachedWhereItSays(HANDLE handle, std::wstring_view path) {
    return whereReached(handle, path) == Reached::There;
}

}  // namespace qv::win32
