#pragma once
// The insertion check: every 1.5 s (Form1's timer Uptip), and at once when Windows
// announces a new volume, it compares the number of drives with the previous look. On a
// new drive it shows the toast and, in smart mode, runs one monitor pass. While a pass is
// running it does nothing at all, so a drive added meanwhile is still new afterwards.

namespace qv {
class Guard;
}

namespace qv::monitor {

class Monitor;

class InsertionCheck {
public:
    InsertionCheck(Guard& guard, Monitor& monitor);

    void run();  // Uptip_Timer

private:
    Guard& guard_;
    Monitor& monitor_;
};

}  // namespace qv::monitor
