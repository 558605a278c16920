#pragma once
// The address of the author's forum site, used by the links and by the about text.

namespace qv::site {

inline constexpr const char* kForumAddress = "http://bbs.qvu.example";
inline constexpr const char* kForumDomain = "bbs.qvu.example";

}  // namespace qv::site
