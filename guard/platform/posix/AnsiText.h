#pragma once
// Conversion between the program's UTF-8 and a narrow code page (GBK by default, the ANSI
// code page of a Chinese Windows). Characters the target cannot hold become '?'.

#include <string>
#include <string_view>

namespace qv::posix {

std::string utf8ToCodePage(std::string_view utf8, const std::string& codePage);
std::string codePageToUtf8(std::string_view bytes, const std::string& codePage);

}  // namespace qv::posix
