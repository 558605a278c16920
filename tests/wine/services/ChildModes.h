#pragma once
// The services test program doubles as the child that some tests start, so that what a
// started program saw can be checked: its show-window request, or whether it found
// another copy of the guard running. The child reports by writing a marker file.

#include <string>

namespace qv::services_test {

// "--child-show EVENT MARKER": waits (at most 10 s) until the named event is set, then
// writes the wShowWindow value of its start-up information ("-" for EVENT: no wait).
// "--child-instance NAME MARKER": claims the single-instance name and writes "alone" or
// "another".
// Returns the child's exit code, or -1 when the arguments ask for no child mode.
int runChildMode(int argc, wchar_t** argv);

// The command line that runs this program in a child mode.
std::wstring childCommandLine(const std::wstring& mode, const std::wstring& first,
                              const std::wstring& marker);

}  // namespace qv::services_test
