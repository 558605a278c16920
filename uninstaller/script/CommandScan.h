#pragma once
// Finding the script's shell commands in its lines.

#include <optional>
#include <string>
#include <vector>

namespace qv::uninst {

// Walks every line; at each command marker takes the following lines up to, not
// including, the first command end marker (or to the last line when it is missing), then
// goes on with the line after the marker. A command marker inside a command section thus
// repeats the rest of that section. Returns nothing when there would be more than
// xz::kMaxCommands commands or xz::kMaxListBytes bytes of them.
std::optional<std::vector<std::string>> scanCommands(const std::vector<std::string>& lines);

}  // namespace qv::uninst
