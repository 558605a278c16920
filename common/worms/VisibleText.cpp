#include "common/worms/VisibleText.h"

#include <cstdint>
#include <cstdio>

namespace qv::worms {

namespace {

// One character of UTF-8 text, or one byte that is not part of one.
struct Character {
    std::uint32_t code = 0;
    std::size_t length = 1;
    bool valid = true;
};

Character next(std::string_view text, std::size_t at) {
    unsigned char lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {lead, 1, true};
    std::size_t length = lead >= 0xF5   ? 0
                         : lead >= 0xF0 ? 4
                         : lead >= 0xE0 ? 3
                         : lead >= 0xC2 ? 2
                                        : 0;
    if (length == 0 || at + length > text.size()) return {lead, 1, false};
    std::uint32_t code = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(text[at + i]);
        if ((c & 0xC0) != 0x80) return {lead, 1, false};
        code = code << 6 | (c & 0x3F);
    }
    return {code, length, true};
}

// Characters that show as nothing or as a blank a user cannot tell from a space.
bool showsAsNothing(std::uint32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD || c == 0x115F || c == 0x1160 ||
           c == 0x180E || (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
           (c >= 0x205F && c <= 0x206F) || c == 0x3000 || c == 0x3164 || c == 0xFEFF ||
           c == 0xFFA0 || (c >= 0xFFF9 && c <= 0xFFFB);
}

std::string hex(const char* format, std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(value));
    return text;
}

}  // namespace

std::string visibleText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        Character c = next(text, at);
        if (!c.valid) {
            out += hex("[0x%02X]", c.code);
            at += 1;
            continue;
        }
        // How many times the same character follows.
        std::size_t run = 1, end = at + c.length;
        while (end < text.size() && text.substr(end, c.length) == text.substr(at, c.length)) {
            ++run;
            end += c.length;
        }
        if (c.code == ' ' && run >= 3) {
            out += '[';
            out += std::to_string(run);
            out += "个空格]";
        } else if (showsAsNothing(c.code)) {
            out += hex("[U+%04X", c.code);
            if (run > 1) {
                out += "×";
                out += std::to_string(run);
            }
            out += ']';
        } else {
            out.append(text.substr(at, end - at));
        }
        at = end;
    }
    return out;
}

}  // namespace qv::worms
