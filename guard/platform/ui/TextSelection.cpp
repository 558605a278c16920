#include "guard/platform/ui/TextSelection.h"

#include <algorithm>

namespace qv::ui {

namespace {

struct LinePlace {
    std::size_t line = 0;
    std::size_t column = 0;
};

LinePlace placeOf(std::wstring_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    LinePlace place;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] != L'\n') continue;
        ++place.line;
        lineStart = i + 1;
    }
    place.column = offset - lineStart;
    return place;
}

std::optional<std::size_t> offsetOf(std::wstring_view text, LinePlace place) {
    std::size_t start = 0;
    for (std::size_t line = 0; line < place.line; ++line) {
        std::size_t lineBreak = text.find(L'\n', start);
        if (lineBreak == std::wstring_view::npos) return std::nullopt;
        start = lineBreak + 1;
    }
    std::size_t end = std::min(text.find(L'\n', start), text.size());
    if (end > start && text[end - 1] == L'\r') --end;
    return start + std::min(place.column, end - start);
}

}  // namespace

std::optional<TextRange> keptSelection(std::wstring_view before, std::wstring_view after,
                                       TextRange selection) {
    std::optional<std::size_t> start = offsetOf(after, placeOf(before, selection.start));
    std::optional<std::size_t> end = offsetOf(after, placeOf(before, selection.end));
    if (!start || !end) return std::nullopt;
    return TextRange{*start, *end};
}

}  // namespace qv::ui
