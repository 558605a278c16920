#pragma once
// The local date and time in the user's general date format: the short date
// (GetDateFormatEx, DATE_SHORTDATE), one blank, the long time (GetTimeFormatEx), both of
// the same instant. With the Chinese locale this reads "2026/12/8 14:03:59".

#include "guard/platform/Clock.h"

namespace qv::win32 {

class Win32Clock : public platform::Clock {
public:
    std::string generalDateTime() override;
};

}  // namespace qv::win32
