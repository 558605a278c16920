#include "common/win32/KnownFolders.h"

#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

namespace {

using GetKnownFolderPath = HRESULT(WINAPI*)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR*);
using FreeTaskMemory = void(WINAPI*)(LPVOID);

// A system library by its name, from the system folder only, never the program's own.
UniqueModule systemLibrary(const wchar_t* name) {
    return UniqueModule(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

template <typename Function>
Function function(const UniqueModule& library, const char* name) {
    return library ? reinterpret_cast<Function>(
                         reinterpret_cast<void*>(GetProcAddress(library.get(), name)))
                   : nullptr;
}

}  // namespace

std::vector<std::optional<std::wstring>> knownFolderPaths(
    std::initializer_list<const KNOWNFOLDERID*> folders) {
    std::vector<std::optional<std::wstring>> paths(folders.size());
    // SHGetKnownFolderPath hands back memory to be freed with CoTaskMemFree
    // (learn.microsoft.com/windows/win32/api/shlobj_core/nf-shlobj_core-shgetknownfolderpath).
    UniqueModule shell = systemLibrary(L"shell32.dll");
    UniqueModule com = systemLibrary(L"ole32.dll");
    auto getPath = function<GetKnownFolderPath>(shell, "SHGetKnownFolderPath");
    auto freeMemory = function<FreeTaskMemory>(com, "CoTaskMemFree");
    if (!getPath || !freeMemory) return paths;
    std::size_t i = 0;
    for (const KNOWNFOLDERID* folder : folders) {
        PWSTR path = nullptr;
        if (SUCCEEDED(getPath(*folder, 0, nullptr, &path)) && path) paths[i] = path;
        freeMemory(path);
        ++i;
    }
    return paths;
}

std::wstring finalPath(const std::wstring& folder) {
    // A handle to a folder needs FILE_FLAG_BACKUP_SEMANTICS; no access right is asked for.
    UniqueFile handle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return folder;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetFinalPathNameByHandleW(handle.get(), path.data(),
                                            static_cast<DWORD>(path.size()), VOLUME_NAME_DOS);
        if (n == 0) return folder;
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(n);
    }
    // GetFinalPathNameByHandleW answers "\\?\C:\..." or "\\?\UNC\server\share\...".
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + path.substr(8);
    if (path.rfind(L"\\\\?\\", 0) == 0) return path.substr(4);
    return path;
}

}  // namespace qv::win32
