#pragma once
// A file saved in one step is first written whole to a temporary beside it, named after
// it with this suffix ("QVset.ini.qvsave"), which then takes its place. A save killed
// half-way leaves that temporary behind; the next save of the same file removes it. No
// other file is ever taken for one.

namespace qv {

inline constexpr const char* kSaveTemporarySuffix = ".qvsave";
inline constexpr const wchar_t* kSaveTemporarySuffixW = L".qvsave";

}  // namespace qv
