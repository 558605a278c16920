#pragma once
// The user's side of the ignore list on the monitoring page: the one-character entry box
// `Text1` and the buttons 添加 (add), 删除 (delete) and 清空 (clear). The list itself and
// its rules are IgnoreList's.

namespace qv {

class Form1;
class IgnoreList;

class IgnoreListButtons {
public:
    // Wires Command1, Command2 and Command3 of `form`; both outlive this object.
    IgnoreListButtons(Form1& form, IgnoreList& list);

    void Command1_Click();  // add
    void Command2_Click();  // delete
    void Command3_Click();  // clear

private:
    Form1& form_;
    IgnoreList& list_;
};

}  // namespace qv
