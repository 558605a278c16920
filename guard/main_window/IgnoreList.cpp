#include "guard/main_window/IgnoreList.h"

namespace qv {

namespace {

// The length of the UTF-8 character that starts at `at`; a stray byte counts alone.
size_t characterLength(std::string_view text, size_t at) {
    size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    return end - at;
}

}  // namespace

bool ignoreListHolds(std::string_view list, std::string_view entry) {
    for (size_t at = 0; at < list.size();) {
        size_t n = characterLength(list, at);
        if (list.substr(at, n) == entry) return true;
        at += n;
    }
    return false;
}

std::string ignoreListWithout(std::string_view list, std::string_view entry) {
    if (entry.empty()) return std::string(list);
    std::string kept;
    for (size_t at = 0; at < list.size();) {
        if (list.substr(at, entry.size()) == entry) {
            at += entry.size();
            continue;
        }
        size_t n = characterLength(list, at);
        kept += list.substr(at, n);
        at += n;
    }
    return kept;
}

void IgnoreList::add(std::string_view entry) {
    box_.setText(box_.text() + std::string(entry));
}

void IgnoreList::remove(std::string_view entry) {
    box_.setText(ignoreListWithout(box_.text(), entry));
}

void IgnoreList::clear() {
    box_.setText("");
}

}  // namespace qv
