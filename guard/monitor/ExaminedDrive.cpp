#include "guard/monitor/ExaminedDrive.h"

namespace qv::monitor {

void ExaminedDrive::take(platform::FileSystem& files, std::string_view path) {
    letter_ = path.size() >= 2 && path[1] == ':' ? path[0] : 0;
    identity_ = letter_ ? files.volumeIdentity(letter_) : std::nullopt;
}

bool ExaminedDrive::unchanged(platform::FileSystem& files) const {
    if (!letter_) return true;
    if (!identity_) return files.driveType(letter_).has_value();
    return files.volumeIdentity(letter_) == identity_;
}

}  // namespace qv::monitor
