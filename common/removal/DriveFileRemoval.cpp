#include "common/removal/DriveFileRemoval.h"

#include "common/removal/DrivePath.h"
#include "common/removal/RemovalTexts.h"

namespace qv::removal {

DriveFileRemoval::DriveFileRemoval(RemovalFiles& files, std::string quarantineFolder)
    : files_(files), quarantine_(files, std::move(quarantineFolder)) {}

RemovalResult DriveFileRemoval::remove(const std::string& path) {
    std::optional<std::string> plain = plainDrivePath(path);
    if (!plain) return RemovalResult::keptFor(kNotADrivePathReason);
    Opened<DriveFile> opened = files_.openOnDrive(*plain);
    if (opened.missing) return RemovalResult::nothingThere(opened.failure.description());
    if (!opened.file) return RemovalResult::keptFor(opened.failure.description());
    DriveFile& file = *opened.file;

    KeptEntry entry;
    if (Status kept = quarantine_.keep(*plain, file, entry); !kept.ok()) {
        return RemovalResult::keptFor(kept.description());
    }
    // From here the copy is whole on the disk: the file may go.
    const std::uint32_t attributes = file.attributes();
    const std::uint32_t wormMarks = kReadOnly | kHidden | kSystem;
    Status removed = Status::success();
    if (attributes & wormMarks) removed = file.setAttributes(attributes & ~wormMarks);
    if (removed.ok()) {
        removed = file.deleteOnClose();
        if (!removed.ok() && (attributes & wormMarks)) (void)file.setAttributes(attributes);
    }
    if (!removed.ok()) {
        // Not removed: the file stays as it was and nothing of it stays in the quarantine.
        (void)quarantine_.drop(entry.name);
        return RemovalResult::keptFor(removed.description());
    }
    opened.file.reset();  // closing it removes it
    quarantine_.trim(entry);
    return RemovalResult::succeeded();
}

}  // namespace qv::removal
