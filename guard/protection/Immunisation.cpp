#include "guard/protection/Immunisation.h"

#include <optional>
#include <string>

#include "common/removal/RemovalTexts.h"
#include "guard/main_window/Form1.h"
#include "guard/platform/ui/UiHost.h"
#include "guard/protection/ImmunisationTexts.h"

namespace qv::protection {

namespace {

// The drive letter of a drive-list entry, as the list gives it; empty when the entry does
// not begin with one (an empty list), so that no path is made from it.
std::string driveLetterOf(const std::string& entry) {
    if (entry.empty()) return {};
    char c = entry[0];
    bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    return letter ? std::string(1, c) : std::string();
}

// The marks of the folder autorun.inf: no worm replaces it, and it stays out of sight.
constexpr platform::DosAttributes kImmunisedMarks{.readOnly = true, .hidden = true, .system = true};

}  // namespace

Immunisation::Immunisation(Form1& form, platform::FileSystem& files,
                           removal::DriveFileRemoval& removal)
    : form_(form), files_(files), removal_(removal) {
    form.Command18.onClick = [this] { Command18_Click(); };
    form.Command17.onClick = [this] { Command17_Click(); };
    form.Drive2.onChange = [this] { Drive2_Change(); };
}

void Immunisation::Command18_Click() {
    const std::string letter = driveLetterOf(form_.Drive2.drive());
    const std::string folder = letter + ":\\autorun.inf";

    ImmunisationMode mode = ImmunisationMode::Normal;
    Status outcome = Status::failure("没有可免疫的磁盘。");
    std::optional<std::string> keptFile;  // why a file in the way was not removed
    if (!letter.empty()) {
        if (form_.Check1.ticked()) {
            // Whatever stands in the way: a file of that name, or an empty folder left by
            // an attempt that stopped half-way. Neither failure matters here; creating the
            // folder below tells whether the way is clear.
            removal::RemovalResult cleared = removal_.remove(folder);
            removeEmptyFolder(folder);
            mode = ImmunisationMode::Forced;
            if (!cleared.gone()) keptFile = cleared.reason();
        }
        // Marked as it is made: there is no attribute tool to wait for, and Wine takes a
        // folder's read-only mark only then.
        outcome = files_.createDirectoryAs(folder, kImmunisedMarks);
        // A file that stayed in the way says more by its own reason than "already exists".
        if (!outcome && keptFile && !isFolder(folder)) {
            outcome = Status::failure(folder + " 未能删除：" +
                                      std::string(removal::withoutFullStop(*keptFile)));
        }
        // With its trailing backslash the path names an ordinary folder "con", not the
        // console device; such a folder cannot be removed by ordinary means, and so the
        // folder around it cannot either.
        if (outcome) outcome = files_.createDirectory(folder + "\\con\\");
        if (outcome) outcome = checkImmunised(folder);
    }

    // What was created stays, whatever failed after it.
    if (outcome) {
        form_.host().messageBox(immunisedMessage(letter), kImmunisedTitle, ui::MsgButtons::Ok);
    } else {
        form_.host().messageBox(immunisationFailedMessage(mode, outcome.description()),
                                kImmunisationFailedTitle, ui::MsgButtons::Ok);
    }
}

// An attempt that stopped half-way leaves the folder empty and read-only, and FAT, the file
// system of most sticks, removes no read-only folder (its driver refuses to mark a
// read-only entry for deletion, a folder too: FatSetDispositionInfo in Microsoft's fastfat
// sample returns STATUS_CANNOT_DELETE). NTFS does not honour the mark on folders (the
// FILE_ATTRIBUTE_READONLY documentation). A folder that holds anything keeps its marks:
// the attempt fails anyway.
void Immunisation::removeEmptyFolder(const std::string& folder) {
    if (files_.removeDirectory(folder)) return;
    std::optional<platform::FolderListing> inside = files_.listFolder(folder);
    if (!inside || !inside->folders.empty() || !inside->files.empty()) return;
    if (files_.clearReadOnly(folder)) (void)files_.removeDirectory(folder);
}

bool Immunisation::isFolder(const std::string& path) {
    std::optional<platform::EntryAttributes> found = files_.attributes(path);
    return found && found->directory;
}

// Read back from the drive: a drive that accepted the calls may still not hold the result
// (a file system without these marks).
Status Immunisation::checkImmunised(const std::string& folder) {
    std::optional<platform::EntryAttributes> made = files_.attributes(folder);
    if (!made || !made->directory || made->dos != kImmunisedMarks) {
        return Status::failure(marksMissingReason(folder));
    }
    std::optional<platform::EntryAttributes> con = files_.attributes(folder + "\\con\\");
    if (!con || !con->directory) return Status::failure(conMissingReason(folder));
    return Status::success();
}

void Immunisation::Command17_Click() {
    form_.Drive2.refresh();
}

void Immunisation::Drive2_Change() {
    const std::string letter = driveLetterOf(form_.Drive2.drive());
    std::optional<platform::DriveType> type;
    if (!letter.empty()) type = files_.driveType(letter[0]);
    form_.Leixing.setCaption(driveTypeCaption(type));
}

}  // namespace qv::protection
