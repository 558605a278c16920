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

std::string logNotWrittenMessage(const std::string& logPath, const std::string& reason) {
    // The path stands on a line of its own: a message box that has to wrap a long line of
    // Chinese text may lose a character at the break (seen under Wine).
    return "防护日志无法写入，这次删除没有记录下来：\r\n" + logPath + "\r\n原因：" + reason +
           "\r\n本次运行中再有记录无法写入时，不再提示。";
}

void ProtectionLog::removed(const std::string& path, Remover remover) {
    if (!isRecorded(remover, keepLog_.ticked())) return;
    Status written = files_.appendText(runtime_files::kProtectionLog,
                                       deletionRecord(path, clock_.generalDateTime()));
    if (written.ok() || failureTold_) return;
    failureTold_ = true;
    host_.messageBox(logNotWrittenMessage(
                         platform::inFolder(folders_.dataFolder(), runtime_files::kProtectionLog),
                         written.description()),
                     "提示", ui::MsgButtons::Ok);
}

}  // namespace qv::monitor
