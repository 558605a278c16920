#pragma once
// The system's known folders (Program Files, ProgramData ...), and the final form of a
// folder's path. The shell library that names the known folders is loaded only for the
// call and let go at once: a program that waits in the background does not keep it.

#include <windows.h>
// After windows.h, which it needs.
#include <shtypes.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace qv::win32 {

// The path of each known folder, in the order asked; nullopt for one the system does not
// know (FOLDERID_ProgramFilesX64 in a 32-bit program) or when the shell cannot be loaded.
std::vector<std::optional<std::wstring>> knownFolderPaths(
    std::initializer_list<const KNOWNFOLDERID*> folders);

// The path of an existing folder as the file system names it: long names, links and
// junctions resolved, without the "\\?\" prefix. The path as given when that fails.
std::wstring finalPath(const std::wstring& folder);

}  // namespace qv::win32
