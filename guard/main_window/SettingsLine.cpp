#include "guard/main_window/SettingsLine.h"

namespace qv::settings {

std::string_view firstLine(std::string_view text) {
    return text.substr(0, text.find('\r'));
}

bool digitAt(std::string_view line, size_t position, char digit) {
    return position >= 1 && position <= line.size() && line[position - 1] == digit;
}

std::string settingsLine(std::initializer_list<bool> options) {
    std::string line;
    line.reserve(options.size() + 2);
    for (bool on : options) line += on ? '1' : '0';
    return line + "\r\n";
}

}  // namespace qv::settings
