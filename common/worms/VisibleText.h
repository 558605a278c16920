#pragma once
// Text a worm pads or hides made visible. A worm's shortcut pads its arguments with
// blanks (so that the few characters the shortcut's properties show look harmless) and
// names folders with characters that show as nothing (a no-break space); the guard shows
// the whole command with each of those written out.

#include <string>
#include <string_view>

namespace qv::worms {

// `text` with a run of three or more blanks written "[N个空格]", and every character that
// shows as nothing or as a mere blank (control characters, no-break and other special
// spaces, zero-width and direction marks, the byte-order mark) written "[U+00A0]", a run
// of the same one "[U+00A0×N]". A byte that is not UTF-8 is written "[0xNN]".
std::string visibleText(std::string_view text);

}  // namespace qv::worms
