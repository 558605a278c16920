#pragma once
// The one line of "0"/"1" digits, one per option, that each settings file holds. The
// loaders read only the first line and look at single positions of it; the savers write
// the digits followed by CR LF.

#include <initializer_list>
#include <string>
#include <string_view>

namespace qv::settings {

// The first line of a file's text: everything before the first CR. A line ends at CR or
// CR LF; a LF on its own is part of the line.
std::string_view firstLine(std::string_view text);

// True when the character at `position` (counting from 1) of `line` is `digit`; false
// when the line is shorter. Positions count the characters of the file's code page, each
// one code point of the UTF-8 line (a GBK character is one, not its two bytes or three
// UTF-8 bytes), so such a character moves no later digit.
bool digitAt(std::string_view line, size_t position, char digit);

// The line a saver writes: "1" for each option that is on, "0" for each that is off, in
// order, then CR LF.
std::string settingsLine(std::initializer_list<bool> options);

}  // namespace qv::settings
