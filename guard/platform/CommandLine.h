#pragma once
// Command lines as Windows programs read them: the program first (by its full path, in
// double quotes), then its arguments, split by the rules of CommandLineToArgvW and the C
// run-time (learn.microsoft.com/cpp/c-language/parsing-c-command-line-arguments).

#include <string>
#include <string_view>

namespace qv::platform {

// `path` in double quotes.
std::string quoted(std::string_view path);

// The quoted program followed by `arguments` (when there are any).
std::string commandLine(std::string_view program, std::string_view arguments = {});

// `text` as one argument that the program receives exactly: in double quotes, a double
// quote inside written \" and the backslashes before a double quote doubled.
std::string argument(std::string_view text);

// The program a command line starts: the text in double quotes at its start, or else its
// first word.
std::string programOf(std::string_view commandLine);

// True for a path that names its drive or server and its whole folder ("C:\x", "\\s\x"),
// which the system takes as it stands, without looking for it anywhere.
bool isFullPath(std::string_view path);

}  // namespace qv::platform
