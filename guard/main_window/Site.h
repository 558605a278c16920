#pragma once
// The address of the author's forum site (scheme and host, no trailing slash), used by
// the links, the welcome window and the about text. It belongs to whoever ships the
// program and is set when building: cmake -DQV_FORUM_ADDRESS=https://bbs.example.org

#ifndef QV_FORUM_ADDRESS
#define QV_FORUM_ADDRESS "http://bbs.qvu.example"
#endif

namespace qv::site {

namespace detail {
// Where the host begins: after "scheme://", or at the start when there is no scheme.
constexpr int hostStart(const char* address) {
    for (int i = 0; address[i] != '\0'; ++i) {
        if (address[i] == ':' && address[i + 1] == '/' && address[i + 2] == '/') return i + 3;
    }
    return 0;
}
}  // namespace detail

inline constexpr const char* kForumAddress = QV_FORUM_ADDRESS;
// The site's domain as the version line shows it: the address without its scheme.
inline constexpr const char* kForumDomain = kForumAddress + detail::hostStart(kForumAddress);

}  // namespace qv::site
