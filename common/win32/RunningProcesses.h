#pragma once
// The processes running now whose program file has a given name, from one snapshot of the
// system's process list (CreateToolhelp32Snapshot). A process may end, or its id be taken
// by another, between the snapshot and what the caller does with the id: callers open the
// process and check what they need of it.

#include <windows.h>

#include <functional>
#include <string_view>

namespace qv::win32 {

// Calls `each` with the id of every process whose program file is named `imageName`
// ("QVud.exe"; compared without regard to case); nothing when no snapshot can be taken.
void forEachProcessNamed(std::wstring_view imageName, const std::function<void(DWORD)>& each);

}  // namespace qv::win32
