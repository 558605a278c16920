#pragma once
// The processes running now whose program file has a given name, from one snapshot of the
// system's process list (CreateToolhelp32Snapshot). A process may end, or its id be taken
// by another, between the snapshot and what the caller does with the id: callers open the
// process and check what they need of it.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace qv::win32 {

// Calls `each` with the id of every process whose program file is named `imageName`
// ("QVud.exe"; compared without regard to case); nothing when no snapshot can be taken.
void forEachProcessNamed(std::wstring_view imageName, const std::function<void(DWORD)>& each);

// Calls `each` with a handle (opened with `access`) to every other process started from the
// program file `programPath` (a full path, compared without regard to case), in any
// session. A process this one may not open is passed over: an elevated caller that should
// see every user's enables SE_DEBUG_NAME first (common/win32/Privileges.h), with which
// OpenProcess grants what is asked whatever the process's list says
// (learn.microsoft.com/windows/win32/api/processthreadsapi/nf-processthreadsapi-openprocess).
void forEachProcessOf(const std::wstring& programPath, DWORD access,
                      const std::function<void(HANDLE)>& each);

}  // namespace qv::win32
