#include "guard/platform/skin/SkinFile.h"

#include <charconv>
#include <vector>

namespace qv::skin {

namespace {

std::string_view trimmed(std::string_view s) {
    size_t begin = s.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    size_t end = s.find_last_not_of(" \t");
    return s.substr(begin, end - begin + 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// Well-formed UTF-8 (no overlong form, no surrogate, nothing past U+10FFFF) without control
// characters (C0 but tab, DEL, C1).
bool plainUtf8(std::string_view s) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = byte(i);
        if (c < 0x80) {
            if ((c < 0x20 && c != '\t') || c == 0x7F) return false;
            ++i;
            continue;
        }
        // The lead byte says how many bytes follow and the range of the first of them,
        // which rules out the overlong forms, the surrogates and what lies past U+10FFFF.
        int follow = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            follow = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            follow = 2;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            follow = 3;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(follow) >= s.size()) return false;
        if (byte(i + 1) < low || byte(i + 1) > high) return false;
        for (int k = 2; k <= follow; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80) return false;
        }
        if (c == 0xC2 && byte(i + 1) <= 0x9F) return false;  // U+0080 to U+009F: C1 controls
        i += static_cast<size_t>(follow) + 1;
    }
    return true;
}

// "#RRGGBB" as 0x00BBGGRR.
std::optional<Colour> colour(std::string_view v) {
    if (v.size() != 7 || v[0] != '#') return std::nullopt;
    unsigned value = 0;
    auto [end, error] = std::from_chars(v.data() + 1, v.data() + 7, value, 16);
    if (error != std::errc() || end != v.data() + 7) return std::nullopt;
    Colour r = (value >> 16) & 0xFF, g = (value >> 8) & 0xFF, b = value & 0xFF;
    return r | g << 8 | b << 16;
}

// "face, points[, bold]", points from 6 to 36.
std::optional<SkinFont> font(std::string_view v) {
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        size_t comma = v.find(',', start);
        parts.push_back(trimmed(v.substr(start, comma - start)));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (parts.size() < 2 || parts.size() > 3 || parts[0].empty()) return std::nullopt;
    SkinFont f;
    f.face = std::string(parts[0]);
    int points = 0;
    auto [end, error] = std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), points);
    if (error != std::errc() || end != parts[1].data() + parts[1].size() || points < 6 ||
        points > 36) {
        return std::nullopt;
    }
    f.points = points;
    if (parts.size() == 3) {
        if (!equalsIgnoringCase(parts[2], "bold")) return std::nullopt;
        f.bold = true;
    }
    return f;
}

struct ColourKey {
    const char* section;
    const char* key;
    Colour Theme::*field;
    bool required;
};

constexpr ColourKey kColours[] = {
    {"window", "face", &Theme::windowFace, true},
    {"window", "text", &Theme::windowText, true},
    {"button", "face", &Theme::buttonFace, false},
    {"button", "text", &Theme::buttonText, false},
    {"button", "border", &Theme::buttonBorder, false},
    {"button", "pressed", &Theme::buttonPressed, false},
    {"frame", "line", &Theme::frameLine, false},
    {"frame", "text", &Theme::frameText, false},
    {"edit", "face", &Theme::editFace, false},
    {"edit", "text", &Theme::editText, false},
};
constexpr size_t kColourCount = sizeof kColours / sizeof kColours[0];

}  // namespace

std::optional<Theme> readSkin(std::string_view bytes) {
    if (bytes.size() > kMaxSkinBytes) return std::nullopt;
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);

    Theme theme;
    bool seen[kColourCount] = {};
    bool fontSeen = false;
    bool nameSeen = false;
    bool formatSeen = false;
    bool headerSeen = false;
    std::string_view section;

    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find('\n', start);
        std::string_view line = bytes.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        start = end == std::string_view::npos ? bytes.size() + 1 : end + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!plainUtf8(line)) return std::nullopt;
        line = trimmed(line);
        if (line.empty() || line[0] == ';') continue;

        if (line.front() == '[') {
            if (line.back() != ']') return std::nullopt;
            section = trimmed(line.substr(1, line.size() - 2));
            bool known = false;
            for (const char* s : {"skin", "window", "button", "frame", "edit"}) {
                known = known || equalsIgnoringCase(section, s);
            }
            if (!known) return std::nullopt;
            // The file begins with its [skin] section, which says what it is.
            if (!headerSeen && !equalsIgnoringCase(section, "skin")) return std::nullopt;
            headerSeen = true;
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string_view::npos || section.empty()) return std::nullopt;
        std::string_view key = trimmed(line.substr(0, equals));
        std::string_view value = trimmed(line.substr(equals + 1));
        if (size_t comment = value.find(" ;"); comment != std::string_view::npos) {
            value = trimmed(value.substr(0, comment));
        }

        if (equalsIgnoringCase(section, "skin")) {
            if (equalsIgnoringCase(key, "name") && !nameSeen) {
                theme.name = std::string(value);
                nameSeen = true;
                continue;
            }
            if (equalsIgnoringCase(key, "format") && value == "1" && !formatSeen) {
                formatSeen = true;
                continue;
            }
            return std::nullopt;
        }
        if (equalsIgnoringCase(section, "button") && equalsIgnoringCase(key, "font")) {
            auto f = font(value);
            if (!f || fontSeen) return std::nullopt;
            theme.buttonFont = *f;
            fontSeen = true;
            continue;
        }
        bool matched = false;
        for (size_t i = 0; i < kColourCount; ++i) {
            if (!equalsIgnoringCase(section, kColours[i].section) ||
                !equalsIgnoringCase(key, kColours[i].key)) {
                continue;
            }
            auto c = colour(value);
            if (!c || seen[i]) return std::nullopt;
            theme.*kColours[i].field = *c;
            seen[i] = true;
            matched = true;
        }
        if (!matched) return std::nullopt;
    }

    if (!headerSeen) return std::nullopt;
    for (size_t i = 0; i < kColourCount; ++i) {
        if (kColours[i].required && !seen[i]) return std::nullopt;
    }
    // What a file leaves out follows the window's own colours.
    auto orDefault = [&](size_t index, Colour fallback) {
        if (!seen[index]) theme.*kColours[index].field = fallback;
    };
    orDefault(2, theme.windowFace);  // button face
    orDefault(3, theme.windowText);  // button text
    orDefault(4, theme.windowText);  // button border
    orDefault(5, theme.buttonFace);  // button pressed
    orDefault(6, theme.windowText);  // frame line
    orDefault(7, theme.windowText);  // frame text
    orDefault(8, 0xFFFFFF);          // edit face
    orDefault(9, theme.windowText);  // edit text
    return theme;
}

}  // namespace qv::skin
