#pragma once
// Loading a web page in the background, the whole of what the statistics programme does.
// Each visit runs on a detached worker thread of its own with WinINet: open the address,
// read the response to its end (up to kMaxResponseBytes), close. The caller's thread
// never waits; every failure is silent. A visit that cannot connect gives up after the
// timeouts below, and a few visits at most run at one time (more are dropped).

#include "guard/platform/WebVisit.h"

namespace qv::win32 {

class Win32WebVisit : public platform::WebVisit {
public:
    static constexpr unsigned long kTimeoutMilliseconds = 20000;
    static constexpr unsigned long kMaxResponseBytes = 1ul << 20;
    static constexpr int kMaxRunningVisits = 4;

    void navigate(const std::string& url) override;
};

}  // namespace qv::win32
