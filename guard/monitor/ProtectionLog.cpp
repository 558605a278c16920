#include "guard/monitor/ProtectionLog.h"

#include "common/GuardRuntimeFiles.h"

namespace qv::monitor {

bool isRecorded(Remover remover, bool keepLogTicked) {
    switch (remover) {
        case Remover::AutomaticHandling:
            return true;
        case Remover::ThreatDialog:
        case Remover::ShortcutWormDialog:
            return keepLogTicked;
        case Remover::SuspiciousFileDialog:
            return false;
    }
    return false;
}

std::string deletionRecord(std::string_view path, std::string_view dateTime) {
    std::string record = "成功删除";
    record += path;
    record += "    ——";
    record += dateTime;
    record += "\r\n";
    return record;
}

void ProtectionLog::removed(const std::string& path, Remover remover) {
    if (!isRecorded(remover, keepLog_.ticked())) return;
    (void)files_.appendText(runtime_files::kProtectionLog,
                            deletionRecord(path, clock_.generalDateTime()));
}

}  // namespace qv::monitor
