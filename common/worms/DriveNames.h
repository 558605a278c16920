#pragma once
// Names read from a drive an attacker may have prepared (an autorun.inf, a shortcut) and
// taken as files of that drive. A name is never trusted: it counts only as one plain file
// below the drive's root, never a folder above it, another drive, a network or device
// path, a reserved device name, a stream or a pattern.

#include <optional>
#include <string>
#include <string_view>

namespace qv::worms {

// `name` as Windows compares the names of files: ASCII letters in lower case, every other
// character as it is.
std::string foldedName(std::string_view name);

// The full path of the file `name` below the drive root `root` ("e:\"): the root followed
// by the name, taken as one literal name, but for the dots and blanks at its end, which
// Windows drops from a path's last name, so that the path names the file Windows would
// open. nullopt unless that names one plain file inside the same drive: no ".." above the
// root, no drive letter, network or device path, no reserved device name, no stream, no
// wildcard or other character Windows refuses, no folder on the way whose name ends in a
// dot or blank.
std::optional<std::string> fileBelowRoot(std::string_view root, std::string_view name);

}  // namespace qv::worms
