#include "common/win32/SystemLibraries.h"

namespace qv::win32 {

void searchLibrariesInSystemFolderOnly() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    SetDefaultDllDirectoriesFunction setDirectories = nullptr;
    bindProc(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories", setDirectories);
    if (setDirectories) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

UniqueModule systemLibrary(const wchar_t* name) {
    return UniqueModule(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

}  // namespace qv::win32
