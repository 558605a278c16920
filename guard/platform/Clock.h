#pragma once
// The local date and time, as the system's general date format writes a date-time: the
// short date, one blank, the long time (for example "2026/12/8 14:03:59").

#include <string>

namespace qv::platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::string generalDateTime() = 0;
};

}  // namespace qv::platform
