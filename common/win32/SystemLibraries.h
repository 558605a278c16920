#pragma once
// Libraries loaded at run time come from the system folder only. Windows otherwise looks in
// the program's own folder first ("Dynamic-Link Library Security",
// learn.microsoft.com/windows/win32/dlls/dynamic-link-library-security), so a copy of a
// program started from a stick would load a worm's library planted beside it.

#include <windows.h>

#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

// Makes the system folder the only place where this process's libraries loaded at run
// time, and those they load in turn, are searched for: SetDefaultDllDirectories with
// LOAD_LIBRARY_SEARCH_SYSTEM32 (learn.microsoft.com/windows/win32/api/libloaderapi/
// nf-libloaderapi-setdefaultdlldirectories). Called first in each program's entry point;
// the function is looked up because Windows 7 has it only with update KB2533623. The
// libraries the program imports are resolved before it runs, and are all system ones.
void searchLibrariesInSystemFolderOnly();

// A system library by its name, from the system folder only.
UniqueModule systemLibrary(const wchar_t* name);

// Binds a function of a library loaded at run time to a typed pointer (nullptr when there
// is no library or it does not export the function).
template <typename Function>
void bindProc(HMODULE library, const char* name, Function& to) {
    to = library
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
             : nullptr;
}

}  // namespace qv::win32
