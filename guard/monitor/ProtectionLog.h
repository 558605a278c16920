#pragma once
// The protection log Rz.log: one line for a file the guard removed as a threat, appended
// in the system code page. The file lives in the current directory (the data folder) and
// is opened only for the moment of a write. A record that cannot be written is told, once
// a run: the removal stands, but the user learns that the log misses it.
//
// Whether a removal is recorded is decided here, from who removed the file: automatic
// handling (of an autorun.inf or of a shortcut worm) always records, whatever the options
// say (nobody was asked, so the log is the only trace); the threat dialog and the
// shortcut-worm dialog record only while "记录防护日志" (Jlrz) is ticked; the
// suspicious-file dialog keeps no log. Callers report every removal that succeeded.

#include <string>
#include <string_view>

#include "guard/platform/Clock.h"
#include "guard/platform/FileSystem.h"
#include "guard/platform/Folders.h"
#include "guard/platform/ui/Controls.h"
#include "guard/platform/ui/UiHost.h"

namespace qv::monitor {

// Who removed a file.
enum class Remover {
    AutomaticHandling,     // the monitor pass, without asking
    ThreatDialog,          // Form2's "立即删除" or its countdown
    SuspiciousFileDialog,  // Form5's "删除文件" and "全部删除"
    ShortcutWormDialog,    // Form7's "立即清除": the shortcuts and what they run
};

// Whether a removal by `remover` is recorded while Jlrz is `keepLogTicked`.
bool isRecorded(Remover remover, bool keepLogTicked);

// "成功删除" + path + four blanks and two em dashes + the date-time + CR LF.
std::string deletionRecord(std::string_view path, std::string_view dateTime);

class ProtectionLog {
public:
    // `keepLog` is the main window's Jlrz; `host` tells a record that cannot be written,
    // naming the log's place in `folders`' data folder. All outlive this object.
    ProtectionLog(platform::FileSystem& files, platform::Clock& clock, const ui::CheckBox& keepLog,
                  ui::UiHost& host, platform::Folders& folders)
        : files_(files), clock_(clock), keepLog_(keepLog), host_(host), folders_(folders) {}

    // Appends the record of the removal of `path` when `remover`'s removals are recorded.
    // The removal it describes stands either way; the first record of a run that cannot be
    // written is told in a notice box, later ones are not.
    void removed(const std::string& path, Remover remover);

private:
    platform::FileSystem& files_;
    platform::Clock& clock_;
    const ui::CheckBox& keepLog_;
    ui::UiHost& host_;
    platform::Folders& folders_;
    bool failureTold_ = false;
};

// The notice of a record that could not be written to the log at `logPath`.
std::string logNotWrittenMessage(const std::string& logPath, const std::string& reason);

}  // namespace qv::monitor
