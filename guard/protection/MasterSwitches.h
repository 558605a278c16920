#pragma once
// The protection score and the two master switches. The score is the caption of Form1's
// `df`; whenever it changes, the score 10 (all protection off) stops the periodic monitor
// and puts the warning on the badge, and any other score starts the monitor (in either
// mode) and takes the warning away. "一键开启" ticks every drive-type option, "一键关闭"
// clears them all after asking; the insertion scan option is left as it is.

namespace qv {
class Guard;
}

namespace qv::protection {

inline constexpr int kScoreAllOff = 10;

class MasterSwitches {
public:
    explicit MasterSwitches(Guard& guard);

private:
    void df_Change();
    void Command4_Click();
    void Command5_Click();

    Guard& guard_;
};

}  // namespace qv::protection
