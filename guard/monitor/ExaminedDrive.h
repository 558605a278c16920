#pragma once
// The drive a dialog was opened for. A dialog waits for the user, or for its countdown,
// while sticks come and go: a click meant for a stick that has since been pulled out must
// not remove the same-named files of another plugged in under its letter.

#include <optional>
#include <string_view>

#include "guard/platform/FileSystem.h"
#include "guard/platform/ui/UiHost.h"

namespace qv::monitor {

class ExaminedDrive {
public:
    // Remembers the drive of `path` ("e:\autorun.inf", "e:\") and the volume in it now.
    void take(platform::FileSystem& files, std::string_view path);
    // Whether that drive holds the same volume still. When the identity cannot be compared
    // (it could not be read then, or now), the drive counts as the same while it is there.
    bool unchanged(platform::FileSystem& files) const;
    // The same; when it is not, the user is told by `host` (kDriveChangedText) before the
    // dialog closes untouched.
    bool unchangedOrTold(platform::FileSystem& files, ui::UiHost& host) const;

private:
    char letter_ = 0;
    std::optional<platform::VolumeIdentity> identity_;
};

// What a dialog says when its drive holds another volume or none, and does nothing (in
// short lines: a message box may lose a character where it wraps Chinese text).
inline constexpr const char* kDriveChangedText =
    "U盘已拔出或已更换，\r\n不是发现问题时的那个U盘，\r\n没有删除或改动任何文件。";

}  // namespace qv::monitor
