#pragma once
// Xz.ini, the uninstall script: the setup program writes it beside QVuninst.exe, and
// QVuninst reads it from its current folder. The file is text in the system ANSI code page.
// Each line is a marker or a line of the section the last marker opened:
//
//   [标题开始]                 the next line is the product's title
//   [文本开始] ... [文本结束]  the farewell text
//   [删除开始] ... [删除结束]  the files to delete, one path a line
//   [命令开始] ... [命令结束]  command lines for the command interpreter
//
// A line is a marker only when it equals one of these texts exactly: no surrounding blanks,
// no other brackets. How the lines are split and joined is in XzLines.h.

#include <cstddef>
#include <string_view>

namespace qv::xz {

inline constexpr std::string_view kScriptName = "Xz.ini";

inline constexpr std::string_view kTitleBegin = "[标题开始]";
inline constexpr std::string_view kTextBegin = "[文本开始]";
inline constexpr std::string_view kTextEnd = "[文本结束]";
inline constexpr std::string_view kDeleteBegin = "[删除开始]";
inline constexpr std::string_view kDeleteEnd = "[删除结束]";
inline constexpr std::string_view kCommandBegin = "[命令开始]";
inline constexpr std::string_view kCommandEnd = "[命令结束]";

// Bounds on what a script may ask for. A real script is a few hundred lines; the bounds
// keep a damaged or hostile one from exhausting memory or starting processes without end.
// Nested section markers make the lists grow with the square of the line count, so the
// lists are bounded on their own and not only through the file size.
inline constexpr std::size_t kMaxScriptBytes = 1024 * 1024;
inline constexpr std::size_t kMaxDeleteEntries = 10000;
inline constexpr std::size_t kMaxCommands = 1000;
// Each list holds at most three times as many bytes as a whole script may: the lines are
// text converted from the code page (a byte of it becomes at most three of UTF-8), so a
// script whose sections do not nest cannot list more, and nested markers copying one long
// line again and again would otherwise keep ten thousand copies of it.
inline constexpr std::size_t kMaxListBytes = 3 * kMaxScriptBytes;

}  // namespace qv::xz
