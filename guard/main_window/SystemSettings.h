#pragma once
// The system settings file XTset.ini: one line of nine digits, one per option of the
// system settings page, in this order: Qd, Tj, Jlrz, Zdcl, Upts, Jzpf, Cscl, Xshy, Mrgl.

namespace qv::system_settings {

inline constexpr const char* kFile = "XTset.ini";
inline constexpr const char* kSkinFile = "Pifu.she";
inline constexpr const char* kSkinPassword = "";
// The statistics page, on the forum site.
inline constexpr const char* kStatisticsPath = "/forum.php?mod=viewthread&tid=5&extra=page%3D1";

}  // namespace qv::system_settings
