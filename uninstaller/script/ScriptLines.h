#pragma once
// The script as a sequence of lines, as the hidden list box `Wbls` holds it.

#include <string>
#include <string_view>
#include <vector>

namespace qv::uninst {

// Splits text into lines. A line ends at CR LF, at a lone LF or at a lone CR; the
// terminator is removed and nothing else (no trimming, no case folding). A terminator at
// the very end does not start another line; an empty text has no lines.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace qv::uninst
