#pragma once
// The monitoring mode of the main window: real-time mode (Ssms) starts the monitor timer
// Jstm, smart mode (Znms) stops it until the next change of the protection score starts
// it again. What the weighted options do to the score is ProtectionScore's.

namespace qv {

class Form1;

class MonitorOptions {
public:
    // Wires the two mode buttons of `form`, which outlives this object.
    explicit MonitorOptions(Form1& form);

    // Starts real-time monitoring: the monitor then examines the drives every 1.8 s.
    void Ssmsdm();

private:
    Form1& form_;
};

}  // namespace qv
