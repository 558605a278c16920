#include "guard/main_window/SettingsLine.h"

namespace qv::settings {

std::string_view firstLine(std::string_view text) {
    return text.substr(0, text.find('\r'));
}

bool digitAt(std::string_view line, size_t position, char digit) {
    size_t character = 0;
    for (char byte : line) {
        // A continuation byte (10xxxxxx) belongs to the character before it.
        if ((static_cast<unsigned char>(byte) & 0xC0) == 0x80) continue;
        if (++character == position) return byte == digit;
    }
    return false;
}

std::string settingsLine(std::initializer_list<bool> options) {
    std::string line;
    line.reserve(options.size() + 2);
    for (bool on : options) line += on ? '1' : '0';
    return line + "\r\n";
}

}  // namespace qv::settings
