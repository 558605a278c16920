#pragma once
// The system settings file XTset.ini (named in common/GuardRuntimeFiles.h): one line of
// nine digits, one per option of the system settings page, in this order: Qd, Tj, Jlrz,
// Zdcl, Upts, Jzpf, Cscl, Xshy, Mrgl. Also the skin it may apply and the statistics page
// it may visit.

#include "common/GuardRuntimeFiles.h"

namespace qv::system_settings {

inline constexpr const char* kSkinFile = "Pifu.she";
inline constexpr const char* kSkinPassword = "";
// The statistics page, on the forum site.
inline constexpr const char* kStatisticsPath = "/forum.php?mod=viewthread&tid=5&extra=page%3D1";

}  // namespace qv::system_settings
