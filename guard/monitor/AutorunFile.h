#pragma once
// Reading an autorun.inf found in a drive's root: which program it would start, and
// whether that program may be deleted with it. The file comes from a drive an attacker
// may have prepared, so both readers take any bytes and never trust a name.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qv::monitor {

// Only the start of the file is read: a worm's file may be huge, binary or one endless
// line, and the line that matters is near the top.
inline constexpr std::size_t kAutorunReadLimit = 1u << 20;

// The rest of the first line that begins with exactly "open=" (lower case, at the very
// start of the line), unchanged; nullopt when no line does or the value is empty. Lines
// end at CR or at CR LF; binary junk before the line does not hide it.
std::optional<std::string> openCommand(std::string_view text);

// The full path of the program `name` (as written after "open=") beside the autorun.inf
// at `autorunPath`: the drive root (the path's first three characters) followed by the
// name taken as one literal file name. nullopt unless that names one plain file inside
// the same drive: no ".." above the root, no drive letter, network or device path, no
// reserved device name, no stream, no wildcard or other character Windows refuses.
std::optional<std::string> associatedFilePath(std::string_view autorunPath, std::string_view name);

}  // namespace qv::monitor
