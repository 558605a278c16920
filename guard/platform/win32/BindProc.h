#pragma once
// Binds a function of a library loaded at run time to a typed pointer (nullptr when the
// library does not export it). Libraries the guard rarely needs are loaded this way, at
// their first use, so a waiting guard does not carry them.

#include <windows.h>

namespace qv::win32 {

template <typename Function>
void bindProc(HMODULE library, const char* name, Function& to) {
    to = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace qv::win32
