#pragma once
// Bounds on what a script may ask for. A real script is a few hundred lines; the bounds
// keep a damaged or hostile one from exhausting memory or starting processes without end.
// Nested section markers make the lists grow with the square of the line count, so the
// lists are bounded on their own and not only through the file size.

#include <cstddef>

namespace qv::uninst {

inline constexpr std::size_t kMaxScriptBytes = 1024 * 1024;
inline constexpr std::size_t kMaxDeleteEntries = 10000;
inline constexpr std::size_t kMaxCommands = 1000;

}  // namespace qv::uninst
