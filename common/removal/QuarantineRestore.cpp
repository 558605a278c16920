#include "common/removal/QuarantineRestore.h"

#include <optional>

#include "common/removal/DrivePath.h"
#include "common/removal/RemovalTexts.h"

namespace qv::removal {

namespace {

constexpr const char* kFolderInTheWay = "原位置有同名的文件夹";

// Makes every missing folder from the drive's root down to `folder`.
Status makeFolders(RemovalFiles& files, const std::string& folder) {
    for (std::size_t at = folder.find('\\', 3);; at = folder.find('\\', at + 1)) {
        std::string step = folder.substr(0, at);
        if (step.size() <= 3) break;  // the root itself
        Found found = Found::Nothing;
        if (Status looked = files.findOnDrive(step, found); !looked.ok()) return looked;
        if (found == Found::File) return Status::failure("“" + step + "”是文件，不是文件夹");
        if (found == Found::Nothing) {
            if (Status made = files.makeFolderOnDrive(step); !made.ok()) return made;
        }
        if (at == std::string::npos) break;
    }
    return Status::success();
}

RestoreResult failed(const std::string& path, std::string reason) {
    return {RestoreResult::Outcome::Failed, path, std::move(reason)};
}

}  // namespace

RestoreResult restoreEntry(DriveFileRemoval& removal, const std::string& entryName,
                           const AskReplace& askReplace) {
    RemovalFiles& files = removal.files();
    std::string path;
    std::uint64_t lastWritten = 0;
    std::unique_ptr<NewFile> copy;
    // The copy is made under a name of its own beside the original place, then checked.
    Status read = removal.quarantine().read(
        entryName,
        [&](const EntryHeader& header) {
            path = header.originalPath;
            lastWritten = header.lastWritten;
            // A name that opens a device is no file's: an entry saying one was crafted.
            if (plainDrivePath(path) != path || namesDevice(path)) {
                return Status::failure(kNotADrivePathReason);
            }
            const std::string folder = folderOf(path);
            if (Status made = makeFolders(files, folder); !made.ok()) return made;
            std::string name = folder;
            if (name.back() != '\\') name += '\\';
            name += "~qvu" + std::to_string(files.now().order) + ".tmp";
            Opened<NewFile> opened = files.createOnDrive(name);
            if (!opened.file) return opened.failure;
            copy = std::move(opened.file);
            return Status::success();
        },
        [&](std::string_view bytes) { return copy->write(bytes); });
    if (!read.ok()) return failed(path, read.description());
    // Dated as it was: a restored document keeps the time it was last changed. A date that
    // cannot be set loses none of the file's bytes, so the restore goes on without it.
    if (lastWritten != 0) (void)copy->setLastWritten(lastWritten);

    Found found = Found::Nothing;
    if (Status looked = files.findOnDrive(path, found); !looked.ok()) {
        return failed(path, looked.description());
    }
    if (found == Found::Folder) return failed(path, kFolderInTheWay);
    if (found == Found::File) {
        if (!askReplace(path)) return {RestoreResult::Outcome::Declined, path, {}};
        RemovalResult moved = removal.remove(path);
        if (!moved.gone()) {
            return failed(path, "原位置的文件无法移开（" +
                                    std::string(withoutFullStop(moved.reason())) + "）");
        }
    }
    if (Status placed = copy->place(path); !placed.ok()) return failed(path, placed.description());
    (void)removal.quarantine().drop(entryName);
    return {RestoreResult::Outcome::Restored, path, {}};
}

std::string describe(const RestoreResult& result) {
    switch (result.outcome) {
        case RestoreResult::Outcome::Restored:
            return "已恢复“" + result.originalPath + "”。";
        case RestoreResult::Outcome::Declined:
            return {};  // the user's own choice needs no notice
        case RestoreResult::Outcome::Failed:
            break;
    }
    std::string text = "无法恢复";
    if (!result.originalPath.empty()) text += "“" + result.originalPath + "”";
    text += "：" + reasonSentence(result.reason);
    return text;
}

}  // namespace qv::removal
