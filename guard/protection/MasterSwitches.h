#pragma once
// The two master switches of the monitoring page: "一键开启" ticks every drive-type option,
// "一键关闭" clears them all after asking; the insertion scan option is left as it is.
// Each box they change moves the protection score like a click (see ProtectionScore).

namespace qv {
class Form1;
}

namespace qv::protection {

class MasterSwitches {
public:
    // Wires Command4 and Command5 of `form`, which outlives this object.
    explicit MasterSwitches(Form1& form);

private:
    void Command4_Click();
    void Command5_Click();

    Form1& form_;
};

}  // namespace qv::protection
