#include "guard/monitor/ExaminedDrive.h"

namespace qv::monitor {

void ExaminedDrive::take(platform::FileSystem& files, std::string_view path) {
    letter_ = path.size() >= 2 && path[1] == ':' ? path[0] : 0;
    identity_ = letter_ ? files.volumeIdentity(letter_) : std::nullopt;
}

bool ExaminedDrive::unchanged(platform::FileSystem& files) const {
    if (!letter_) return true;
    const std::optional<platform::VolumeIdentity> now =
        identity_ ? files.volumeIdentity(letter_) : std::nullopt;
    if (now) return now == identity_;
    // Nothing to compare (not read then, or not now while the drive is there: a root busy a
    // moment): the drive's presence decides, and the removal finds what it finds.
    return files.driveType(letter_).has_value();
}

bool ExaminedDrive::unchangedOrTold(platform::FileSystem& files, ui::UiHost& host) const {
    if (unchanged(files)) return true;
    host.messageBox(kDriveChangedText, "提示", ui::MsgButtons::Ok);
    return false;
}

}  // namespace qv::monitor
