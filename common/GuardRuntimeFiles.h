#pragma once
// The files the guard QVud makes while it runs, by the bare names it gives them: they lie
// in its current folder, the data folder (common/folders/DataFolder.h). The guard names
// them from here, and the setup program lists them for the uninstaller, which removes them
// with the installation.

#include <array>

namespace qv::runtime_files {

// The protection settings: the monitoring options and the mode, one line of digits.
inline constexpr const char* kProtectionSettings = "QVset.ini";
// The system settings: the options of the system settings page, one line of digits.
inline constexpr const char* kSystemSettings = "XTset.ini";
// The protection log: one record per file removed as a threat.
inline constexpr const char* kProtectionLog = "Rz.log";
// The process list the process manager captures from the system's task-list tool.
inline constexpr const char* kProcessListCapture = "Jincheng.qvjc";

// Every one of them; any may never have been made.
inline constexpr std::array<const char*, 4> kAll = {kProtectionSettings, kSystemSettings,
                                                    kProtectionLog, kProcessListCapture};

// The folder of the quarantine, which keeps a copy of every file removed from a drive (its
// entries have names of their own; see common/removal/Quarantine.h).
inline constexpr const char* kQuarantineFolder = "隔离区";

}  // namespace qv::runtime_files
