#include "guard/platform/posix/AnsiText.h"

#include <iconv.h>

#include <cerrno>

namespace qv::posix {

namespace {

// Length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
size_t utf8Length(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

std::string convert(std::string_view input, const std::string& to, const std::string& from,
                    bool inputIsUtf8) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);
    std::string out;
    char buffer[4096];
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (r != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // An invalid or unrepresentable character: write '?' and step over it.
        out.push_back('?');
        size_t skip = inputIsUtf8 ? utf8Length(static_cast<unsigned char>(*in)) : 1;
        if (skip > inLeft) skip = inLeft;
        in += skip;
        inLeft -= skip;
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string utf8ToCodePage(std::string_view utf8, const std::string& codePage) {
    return convert(utf8, codePage, "UTF-8", true);
}

std::string codePageToUtf8(std::string_view bytes, const std::string& codePage) {
    return convert(bytes, "UTF-8", codePage, false);
}

}  // namespace qv::posix
