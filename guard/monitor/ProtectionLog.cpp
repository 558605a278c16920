#include "guard/monitor/ProtectionLog.h"

namespace qv::monitor {

std::string deletionRecord(std::string_view path, std::string_view dateTime) {
    std::string record = "成功删除";
    record += path;
    record += "    ——";
    record += dateTime;
    record += "\r\n";
    return record;
}

void ProtectionLog::recordDeletion(const std::string& path) {
    (void)files_.appendText(kProtectionLogFile, deletionRecord(path, clock_.generalDateTime()));
}

}  // namespace qv::monitor
