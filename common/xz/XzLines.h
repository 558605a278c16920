#pragma once
// The script as a sequence of lines, as the uninstaller's hidden list box holds it.

#include <string>
#include <string_view>
#include <vector>

namespace qv::xz {

// Splits text into lines. A line ends at CR LF, at a lone LF or at a lone CR; the
// terminator is removed and nothing else (no trimming, no case folding). A terminator at
// the very end does not start another line; an empty text has no lines.
std::vector<std::string> splitLines(std::string_view text);

// The text of `lines`, each followed by CR LF, as a script is written. A line that holds
// no CR or LF comes back from splitLines as it went in.
std::string joinLines(const std::vector<std::string>& lines);

}  // namespace qv::xz
