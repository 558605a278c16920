#pragma once
// The form of a path that names one file or folder on a drive: "x:\" and at least one name
// below the root. The removal and the restore take only such paths, made plain first, so
// that the platform beneath reaches exactly the entry the path names.

#include <optional>
#include <string>
#include <string_view>

namespace qv::removal {

// `path` made plain: "/" taken as "\", empty and "." parts dropped, ".." taking away the
// part before it. nullopt unless it starts with a drive letter, ":" and a separator, names
// something below the root (never above it) and holds no character a Windows name may not
// (control characters, < > : " | ? *). The names themselves are kept exactly, a trailing
// dot or blank included.
std::optional<std::string> plainDrivePath(std::string_view path);

// Whether `name` is one of the names that open a device in every folder: CON, PRN, AUX,
// NUL, COM0-9, LPT0-9 (and COM¹-³, LPT¹-³), the console's CONIN$ and CONOUT$, also with an
// extension
// ("con.txt") or blanks before it, in any case.
bool isDeviceName(std::string_view name);
// Whether a part of the plain drive path `plainPath` is such a name.
bool namesDevice(std::string_view plainPath);

// The folder of a plain drive path ("e:\a\b" -> "e:\a", "e:\a" -> "e:\").
std::string folderOf(std::string_view plainPath);
// The last name of a plain drive path ("e:\a\b" -> "b").
std::string nameOf(std::string_view plainPath);

}  // namespace qv::removal
