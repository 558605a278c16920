#pragma once
// The marker lines of an uninstall script. A line is a marker only when it equals one of
// these texts exactly: no surrounding blanks, no other brackets.

#include <string_view>

namespace qv::uninst {

inline constexpr std::string_view kTitleBegin = "[标题开始]";
inline constexpr std::string_view kTextBegin = "[文本开始]";
inline constexpr std::string_view kTextEnd = "[文本结束]";
inline constexpr std::string_view kDeleteBegin = "[删除开始]";
inline constexpr std::string_view kDeleteEnd = "[删除结束]";
inline constexpr std::string_view kCommandBegin = "[命令开始]";
inline constexpr std::string_view kCommandEnd = "[命令结束]";

}  // namespace qv::uninst
