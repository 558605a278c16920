#pragma once
// The protection log Rz.log: one line for every file the guard deleted as a threat,
// appended in the system code page. The file lives in the current directory (the
// program's folder) and is opened only for the moment of a write.

#include <string>
#include <string_view>

#include "guard/platform/Clock.h"
#include "guard/platform/FileSystem.h"

namespace qv::monitor {

inline constexpr const char* kProtectionLogFile = "Rz.log";

// "成功删除" + path + four blanks and two em dashes + the date-time + CR LF.
std::string deletionRecord(std::string_view path, std::string_view dateTime);

class ProtectionLog {
public:
    ProtectionLog(platform::FileSystem& files, platform::Clock& clock)
        : files_(files), clock_(clock) {}

    // Appends the record of a deletion. A log that cannot be written is passed over: the
    // deletion it describes stands either way.
    void recordDeletion(const std::string& path);

private:
    platform::FileSystem& files_;
    platform::Clock& clock_;
};

}  // namespace qv::monitor
