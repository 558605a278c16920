#pragma once
// The ignore list: the drives the drive monitor passes over, held as the text of the main
// window's `Yhl` (one character per drive, in the order added, no separators), in memory
// only. This class is its one writer: the user's buttons 添加, 删除 and 清空, the threat
// dialog's 添加忽略 and the monitor's CD-ROM notice all go through it.
//
// Adding appends, whether or not the entry is there already: a copy more changes nothing
// for the monitor, and deleting an entry takes every copy at once. Only the user's 添加
// asks first (holds) and refuses a duplicate, because there a user can be told.
// Characters are compared exactly: e and E are two entries. A character is a whole UTF-8
// sequence, so a letter typed in any script is one entry.

#include <string>
#include <string_view>

#include "guard/platform/ui/Controls.h"

namespace qv {

// Whether one character of `list` is the whole of `entry`.
bool ignoreListHolds(std::string_view list, std::string_view entry);
// `list` with every occurrence of `entry` removed, scanning from the first character.
std::string ignoreListWithout(std::string_view list, std::string_view entry);

class IgnoreList {
public:
    // Keeps the list in `box` (the main window's Yhl), which outlives this object.
    explicit IgnoreList(ui::TextBox& box) : box_(box) {}

    // Whether a character of the list is the whole of `entry`.
    bool holds(std::string_view entry) const { return ignoreListHolds(box_.text(), entry); }
    // Whether the monitor passes over the drive `letter`.
    bool ignores(char letter) const { return box_.text().find(letter) != std::string::npos; }

    // Appends `entry` at the end of the list.
    void add(std::string_view entry);
    // Removes every copy of `entry`.
    void remove(std::string_view entry);
    void clear();

private:
    ui::TextBox& box_;
};

}  // namespace qv
