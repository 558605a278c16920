#pragma once
// Reading an autorun.inf found in a drive's root: which program it would start, and which
// files of the drive go with it. The file comes from a drive an attacker may have
// prepared, so the readers take any bytes and never trust a name.
//
// A line that begins with exactly "open=" names the program as it always has: the rest of
// the line, one literal file name beside the file. A file without such a line is read as
// Windows reads its execute keys: "shellexecute=", else the first "shell\<verb>\command=",
// of the [autorun] section; the files that go with that command are the ones its words
// name on the drive (common/worms/CommandPayloads.h), never a system program elsewhere.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::monitor {

// Only the start of the file is read: a worm's file may be huge, binary or one endless
// line, and the line that matters is near the top.
inline constexpr std::size_t kAutorunReadLimit = 1u << 20;

// The text of an autorun.inf from its first bytes: UTF-16LE when they begin with its
// byte-order mark (which is dropped), else the system code page as `ansiToText` decodes it,
// every line end kept whatever byte comes before it.
std::string autorunText(std::string_view bytes,
                        const std::function<std::string(std::string_view)>& ansiToText);

// The rest of the first line that begins with exactly "open=" (lower case, at the very
// start of the line), unchanged and possibly empty; nullopt when no line does. Lines end
// at CR or at CR LF; binary junk before the line does not hide it.
std::optional<std::string> openLine(std::string_view text);
// The same, nullopt also when the value is empty.
std::optional<std::string> openCommand(std::string_view text);

// The command of the execute keys of the [autorun] section: the value of "shellexecute=",
// else of the first "shell\<verb>\command="; nullopt when neither has one. Keys and the
// section's name in any case, blanks around them and around the value dropped; the header
// may lack its closing bracket; lines end at LF, CR LF or CR; other lines are passed over.
std::optional<std::string> executeCommand(std::string_view text);

// The full path of the program `name` (as written after "open=") beside the autorun.inf
// at `autorunPath`: the drive root (the path's first three characters) followed by the
// name taken as one literal file name. nullopt unless that names one plain file inside
// the same drive (common/worms/DriveNames.h).
std::optional<std::string> associatedFilePath(std::string_view autorunPath, std::string_view name);

// The program the autorun.inf at `autorunPath` with the text `text` starts.
struct AutorunProgram {
    std::string command;  // as the file writes it
    // The files of the drive that may go with it; whether they exist is the caller's to ask.
    std::vector<std::string> files;
};
// From the "open=" line where one begins a line (nullopt when its value is empty), else
// from the execute keys; nullopt when the file names no program.
std::optional<AutorunProgram> autorunProgram(std::string_view autorunPath, std::string_view text);

}  // namespace qv::monitor
