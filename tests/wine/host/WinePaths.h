#pragma once
// Paths handed to the Wine test programs by the build (CMake) or by scripts/test are Unix
// paths; under Wine, kernel32 translates them to Windows paths (the Z: drive).

#include <windows.h>

#include <string>

namespace qv::test {

// `path` as a Windows path; a path that is not a Unix path is returned as it is.
inline std::wstring windowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') {
        int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
        std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), n);
        wide.resize(wide.size() - 1);
        return wide;
    }
    using ToDos = WCHAR* (*)(const char*);
    auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos) return {};
    WCHAR* dos = toDos(path.c_str());
    if (!dos) return {};
    std::wstring result = dos;
    HeapFree(GetProcessHeap(), 0, dos);
    return result;
}

}  // namespace qv::test
