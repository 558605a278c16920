#pragma once
// Where things are, found the same way by every program of the product: the folder of the
// running program, the guard's data folder, and the full form of a path.

#include <cstddef>
#include <optional>
#include <string>

namespace qv::win32 {

// The folder of the running program's own file (UTF-8, without a trailing backslash but
// for a drive root: "e:\"): where the program was shipped, whatever folder it was started
// in. Empty when the system cannot tell.
std::string programFolder();

// The folder where the guard keeps the files it makes (its settings, the log, the
// quarantine), found the same way by every program of the product; the companions lie
// beside QVud.exe. For now that is the program's folder.
std::string dataFolder();

struct FullPath {
    std::wstring path;   // absolute, as GetFullPathNameW makes it
    std::size_t nameAt;  // where its last name starts: path.substr(0, nameAt) is its folder
};
// The full form of `path` (relative to the current folder); nothing when the system cannot
// tell or when the path ends in a backslash, naming no file.
std::optional<FullPath> fullPath(const std::wstring& path);

}  // namespace qv::win32
