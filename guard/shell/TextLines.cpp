#include "guard/shell/TextLines.h"

namespace qv::text {

std::string linesEndedByCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    size_t start = 0;
    while (start < text.size()) {
        size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            out.append(text.substr(start));
            out += "\r\n";
            break;
        }
        out.append(text.substr(start, cr - start));
        out += "\r\n";
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') ++start;
    }
    return out;
}

}  // namespace qv::text
