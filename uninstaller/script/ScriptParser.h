#pragma once
// Reading the script's lines (`Wbls`) into what the wizard shows.

#include <optional>
#include <string>
#include <vector>

namespace qv::uninst {

struct ParsedScript {
    // The product title; none when the script has no title marker (the window then keeps
    // its designed caption).
    std::optional<std::string> title;
    // The message for `Wenben`, each line followed by CR LF; none when no text section
    // was found (the text box then keeps its designed text).
    std::optional<std::string> text;
    // The files to delete (`Shanchulb`), in script order.
    std::vector<std::string> deleteList;
};

// `Dq` walks the lines once: a title marker takes the next line as the title and moves
// the walk on by two, so the line after the title is looked at for the other markers in
// the same step; a text marker replaces the message with the lines up to its end marker,
// and the walk goes on inside the text; a delete marker appends the lines up to its end
// marker, and the walk goes on inside the list as well. A missing end marker runs the
// section to the last line. Returns nothing when the delete list would grow past
// xz::kMaxDeleteEntries entries or xz::kMaxListBytes bytes.
std::optional<ParsedScript> Dq(const std::vector<std::string>& lines);

}  // namespace qv::uninst
