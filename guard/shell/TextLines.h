#pragma once
// Text files read line by line, as the welcome window reads the version text and the
// process manager reads the captured process list.

#include <string>
#include <string_view>

namespace qv::text {

// `text` rebuilt from its lines, each followed by CR LF: a line ends at CR LF or at a CR
// alone (a LF on its own stays part of the line), and a last line without an end counts
// too. An empty text gives an empty result.
std::string linesEndedByCrLf(std::string_view text);

}  // namespace qv::text
