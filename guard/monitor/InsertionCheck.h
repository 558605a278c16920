#pragma once
// The insertion check: every 1.5 s (Form1's timer Uptip), and at once when Windows
// announces a new volume, it compares the number of drives with the previous look. On a
// new drive it shows the toast and, in smart mode, runs one monitor pass. While a pass is
// running it does nothing at all, so a drive added meanwhile is still new afterwards.

#include "guard/main_window/Form1.h"
#include "guard/main_window/ProtectionScore.h"
#include "guard/monitor/Monitor.h"
#include "guard/monitor/MonitorWindows.h"

namespace qv::monitor {

class InsertionCheck {
public:
    // Wires Uptip of `main`; every reference outlives this object.
    InsertionCheck(Form1& main, const ProtectionScore& score, Monitor& monitor,
                   MonitorWindows& windows);
    InsertionCheck(const InsertionCheck&) = delete;
    InsertionCheck& operator=(const InsertionCheck&) = delete;

    void run();  // Uptip_Timer

private:
    Form1& main_;
    const ProtectionScore& score_;
    Monitor& monitor_;
    MonitorWindows& windows_;
};

}  // namespace qv::monitor
