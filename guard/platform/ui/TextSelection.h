#pragma once
// Where a selection goes when code replaces the text of a multi-line box under the user's
// eyes (the process list refreshed every second): each end keeps its line and its column
// in that line, so a line the user selected stays selected while the list still has it.

#include <cstddef>
#include <optional>
#include <string_view>

namespace qv::ui {

// A selection as offsets into a text, start <= end; start == end is the caret alone.
struct TextRange {
    std::size_t start = 0;
    std::size_t end = 0;
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

// `selection` of `before`, moved to the same lines and columns of `after` (lines end at
// "\n", a "\r" before it belongs to the break; a column past its line's end comes back to
// that end). Nothing when `after` no longer has the line of either end.
std::optional<TextRange> keptSelection(std::wstring_view before, std::wstring_view after,
                                       TextRange selection);

}  // namespace qv::ui
