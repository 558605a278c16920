#pragma once
// The ignore list: the drives the drive monitor passes over, held as the text of the main
// window's `Yhl` (one character per drive, in the order added, no separators), in memory
// only. The user adds, deletes and clears entries with the one-character box `Text1` and
// the buttons 添加, 删除 and 清空; the threat dialog and the drive monitor append to the
// list without looking for duplicates. Characters are compared exactly: e and E are two
// entries. A character is a whole UTF-8 sequence, so a letter typed in any script is one
// entry.

#include <string>
#include <string_view>

namespace qv {

class Form1;

// Whether one character of `list` is the whole of `entry`.
bool ignoreListHolds(std::string_view list, std::string_view entry);
// `list` with every occurrence of `entry` removed, scanning from the first character.
std::string ignoreListWithout(std::string_view list, std::string_view entry);

class IgnoreList {
public:
    // Wires Command1, Command2 and Command3 of `form`, which outlives this object.
    explicit IgnoreList(Form1& form);

    void Command1_Click();  // add
    void Command2_Click();  // delete
    void Command3_Click();  // clear

private:
    Form1& form_;
};

}  // namespace qv
