#pragma once
// The monitoring panel's options at the moment they change: each weighted drive option
// moves the protection score shown in `df` by its weight (which in turn starts or stops
// the monitor), and the two mode buttons start or stop the monitor timer.

#include <string>

namespace qv {

class Guard;

// What each weighted option adds to the score when ticked; the base score is 10.
inline constexpr int kWeightRemovable = 40;
inline constexpr int kWeightFixed = 20;
inline constexpr int kWeightRamDisk = 18;
inline constexpr int kWeightInsertionScan = 10;

class MonitorOptions {
public:
    explicit MonitorOptions(Guard& guard);

    // Real-time mode: the monitor examines the drives every 1.8 s.
    void Ssmsdm();

private:
    void weightChanged(int value, int weight);

    Guard& guard_;
};

// The leading whole number of a text, as a plain number reader takes it; 0 when none.
int leadingNumber(const std::string& text);

}  // namespace qv
