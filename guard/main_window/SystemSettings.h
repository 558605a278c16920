#pragma once
// The system settings file XTset.ini (named in common/GuardRuntimeFiles.h): one line of
// nine digits, one per option of the system settings page, in this order: Qd, Tj, Jlrz,
// Zdcl, Upts, Jzpf, Cscl, Xshy, Mrgl. Also the skin it may apply and the statistics page
// it may visit.

#include <string>

#include "common/GuardRuntimeFiles.h"
#include "guard/platform/FileSystem.h"
#include "guard/platform/Folders.h"

namespace qv::system_settings {

inline constexpr const char* kSkinFile = "Pifu.she";
inline constexpr const char* kSkinPassword = "";

// The skin file to wear: the one the skin changer put in the data folder (the current
// folder, so its bare name), or else the default shipped beside the program, by full path.
std::string skinToWear(platform::FileSystem& files, platform::Folders& folders);

// The statistics page, on the forum site.
inline constexpr const char* kStatisticsPath = "/forum.php?mod=viewthread&tid=5&extra=page%3D1";

}  // namespace qv::system_settings
