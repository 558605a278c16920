#pragma once
// Where things are, found the same way by every program of the product: the folder of the
// running program, the data folder where the product keeps what it writes, the system's
// folders its tools are started from, and the full form of a path.

#include <cstddef>
#include <optional>
#include <string>

#include "common/Status.h"

namespace qv::win32 {

// The folder of the running program's own file (UTF-8, without a trailing backslash but
// for a drive root: "e:\"): where the program was shipped, whatever folder it was started
// in. Empty when the system cannot tell.
std::string programFolder();

// The data folder of the running program (see common/folders/DataFolder.h): its own
// folder for a portable copy, the shared folder for a copy under Program Files or in a
// folder its user cannot write. Worked out once per process; the same for a program
// started elevated and one started with the user's ordinary rights.
std::string dataFolder();
// The same choice for a program lying in `programFolder`.
std::string dataFolderFor(const std::string& programFolder);
// The shared data folder, %ProgramData%\QVu盘卫士; empty when the system cannot name
// ProgramData.
std::string sharedDataFolder();
// Whether `folder` is, or lies inside, Program Files (either view), compared in its final
// form.
bool liesUnderProgramFiles(const std::wstring& folder);
// Creates `folder` when it is not there yet; a folder already there is success.
Status makeFolder(const std::string& folder);

// The system folder (C:\Windows\System32 for a 64-bit program) and the Windows folder
// shared by every user of the computer: the places the system's own tools are started
// from, by full path, never found through the search order.
std::string systemFolder();
std::string windowsFolder();

struct FullPath {
    std::wstring path;   // absolute, as GetFullPathNameW makes it
    std::size_t nameAt;  // where its last name starts: path.substr(0, nameAt) is its folder
};
// The full form of `path` (relative to the current folder); nothing when the system cannot
// tell or when the path ends in a backslash, naming no file.
std::optional<FullPath> fullPath(const std::wstring& path);

}  // namespace qv::win32
