#pragma once
// The payloads of a command a worm leaves on a drive (a shortcut's target and arguments,
// the program line of an autorun.inf): the files on that same drive the command names.
//
//   RuNdLl32.EXE .\RECYCLER\S-5-3-42\jwgkvsq.vmx,ahaezedrn   ->  e:\RECYCLER\S-5-3-42\jwgkvsq.vmx
//   cmd.exe /c start __ & __\DriveMgr.exe & exit            ->  e:\__\DriveMgr.exe
//
// The command is split into words, as a program reads its arguments and as the command
// interpreter reads a command; a word names a file of the drive when, taken relative to the
// root (also after ".\", "\", "%cd%" or the drive's own letter), it is one plain file there
// by the rules of DriveNames.h. Whether that file exists is the caller's question: a word
// that names nothing on the drive (rundll32, a folder, an option) is no payload.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qv::worms {

// The words of a command line as a program reads its arguments: split at blanks (space,
// tab, line ends), commas, '&', '|', '<' and '>'; a part between double quotes belongs to
// its word whatever it holds, and the quotes themselves are dropped. An unclosed quote runs
// to the end.
std::vector<std::string> commandWords(std::string_view command);

// The path of the file `word` names on the drive of `root` ("e:\"), made plain
// ("e:\RECYCLER\x.vmx"); empty when it names none there. "x", ".\x", "\x", "%cd%x",
// "%cd%\x" (the current folder of a command started from the root) and "e:\x" (the same
// letter, in either case) name e:\x.
std::string fileOnDrive(std::string_view word, std::string_view root);

// A worm's command names a few files. Every name is looked for on the drive at each pass,
// so a crafted command of a megabyte of names is taken only so far.
inline constexpr std::size_t kMostNamedFiles = 256;

// The files on the drive of `root` the words of `command` name, those of the words as a
// program reads them first, then those of the words as the command interpreter reads them,
// each once (names compare without regard to ASCII case, as Windows finds files), the
// first kMostNamedFiles of them.
std::vector<std::string> namedFiles(std::string_view command, std::string_view root);

// The items of the root `root` that the words of `command` name or lead into, by their
// names there ("start __ & __\\x.exe" names "__"), as namedFiles reads the words.
std::vector<std::string> namedRootItems(std::string_view command, std::string_view root);

// The files on the drive of `root` that `command` opens with the command interpreter's
// "start" (the word after a "start", past a window title and switches, the words read
// both ways): "start report.docx"
// opens the user's report, where "rundll32 report.dat,Run" runs code.
std::vector<std::string> filesOpenedByStart(std::string_view command, std::string_view root);

// The files and folders on the drive of `root` that `command` opens with the command
// interpreter's "start" or with explorer.exe (the word after either, past a window title
// and switches, the words read both ways): "start __", "explorer %cd%docs".
std::vector<std::string> itemsOpened(std::string_view command, std::string_view root);

}  // namespace qv::worms
