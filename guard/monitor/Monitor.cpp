#include "guard/monitor/Monitor.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "guard/monitor/LookAlikes.h"
#include "guard/monitor/ShortcutCleaning.h"
#include "guard/monitor/ShortcutScan.h"
#include "guard/platform/ui/UiHost.h"

namespace qv::monitor {

using platform::DriveType;

namespace {

class ScanInProgress {
public:
    explicit ScanInProgress(bool& flag) : flag_(flag) { flag_ = true; }
    ~ScanInProgress() { flag_ = false; }
    ScanInProgress(const ScanInProgress&) = delete;
    ScanInProgress& operator=(const ScanInProgress&) = delete;

private:
    bool& flag_;
};

// Whether `names` holds `name`, compared without regard to ASCII case as Windows does.
bool hasFile(const std::vector<std::string>& names, std::string_view name) {
    auto lower = [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    return std::any_of(names.begin(), names.end(), [&](const std::string& candidate) {
        return candidate.size() == name.size() &&
               std::equal(candidate.begin(), candidate.end(), name.begin(),
                          [&](char a, char b) { return lower(a) == lower(b); });
    });
}

// "e:\" for drive e.
std::string rootOf(char letter) {
    return std::string(1, letter) + ":\\";
}

std::string autorunPath(char letter) {
    return rootOf(letter) + "autorun.inf";
}

}  // namespace

Monitor::Monitor(Form1& main, platform::FileSystem& files, removal::DriveFileRemoval& removal,
                 IgnoreList& ignoreList, ProtectionLog& log, MonitorWindows& windows,
                 char windowsDrive)
    : main_(main),
      files_(files),
      removal_(removal),
      ignoreList_(ignoreList),
      log_(log),
      windows_(windows),
      windowsDrive_(windowsDrive) {
    main_.Jstm.onTimer = [this] { tick(); };
}

void Monitor::tick() {
    if (scanning_) return;
    ScanInProgress scan(scanning_);
    removalFailedThisPass_ = false;
    main_.Drive1.refresh();
    // The entries as they stand now; dialogs opened on the way do not change the pass.
    const std::vector<std::string> entries = main_.Drive1.entries();
    forgetMissingDrives(entries);
    for (const std::string& entry : entries) {
        if (entry.empty()) continue;
        const char letter = entry[0];
        // Read afresh for every drive: a letter added on the way counts at once.
        if (ignoreList_.ignores(letter)) continue;
        std::optional<DriveType>& type = memoryOf(letter).type;
        if (!type) type = files_.driveType(letter);
        if (!type) continue;  // gone, or cannot be asked
        switch (*type) {
            case DriveType::Removable:
                if (main_.JcbdUp.ticked()) checkRemovable(letter);
                break;
            case DriveType::Fixed:
                if (main_.Jcbdyp.ticked()) checkAskingOnly(letter);
                checkUsbDisk(letter);
                break;
            case DriveType::CdRom:
                if (main_.Jcbdgp.ticked()) noticeCdRom(letter);
                break;
            case DriveType::RamDisk:
                if (main_.Jcbdxncp.ticked()) checkAskingOnly(letter);
                break;
            default:
                break;
        }
    }
}

void Monitor::forgetDrives(std::uint32_t letters) {
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        if (letters & (std::uint32_t{1} << i)) drives_[i] = DriveMemory{};
    }
}

Monitor::DriveMemory& Monitor::memoryOf(char letter) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    return drives_[lower >= 'a' && lower <= 'z' ? lower - 'a' : 0];
}

void Monitor::forgetMissingDrives(const std::vector<std::string>& entries) {
    std::array<bool, 26> present{};
    for (const std::string& entry : entries) {
        if (!entry.empty() && std::isalpha(static_cast<unsigned char>(entry[0]))) {
            present[&memoryOf(entry[0]) - drives_.data()] = true;
        }
    }
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        if (!present[i]) drives_[i] = DriveMemory{};
    }
}

// The listing of drive `letter`'s root. When the shortcut scan will look at it, the
// shortcuts it finds are read on the way, on the read-ahead's thread; those reads are done
// when it returns, so that no file of the drive is open during a dialog or a removal.
std::optional<platform::FolderListing> Monitor::listRoot(char letter) {
    const std::string root = rootOf(letter);
    if (!scansShortcuts(letter)) return files_.listFolder(root);
    readAhead_.begin(root, memoryOf(letter).harmlessShortcuts);
    std::optional<platform::FolderListing> listing = files_.listFolder(root, &readAhead_);
    readAhead_.finish();
    return listing;
}

// A removable drive: the autorun.inf deleted at once or after asking, then the look-alikes.
// With the look-alike scan on, one listing of the root answers both questions; it is read
// again only when a dialog may have changed the drive in between.
void Monitor::checkRemovable(char letter) {
    const std::string root = rootOf(letter);
    const std::string autorun = autorunPath(letter);
    std::optional<platform::FolderListing> listing;
    if (main_.Upcrsm.ticked()) listing = listRoot(letter);
    const bool found =
        listing ? hasFile(listing->files, "autorun.inf") : files_.fileExists(autorun);
    bool asked = false;
    if (found) {
        if (main_.Zdcl.ticked()) {
            // Automatic handling always tells, whatever the options say. A file that
            // vanished meanwhile is no threat left to tell of.
            tellRemoving();
            removal::RemovalResult result = removal_.remove(autorun);
            if (result.removed()) log_.removed(autorun, Remover::AutomaticHandling);
            if (!result.gone()) tellRemovalFailed();
        } else {
            windows_.showThreatDialog(autorun);
            asked = true;
        }
    }
    if (!main_.Upcrsm.ticked()) return;
    if (!listing || asked) listing = listRoot(letter);
    if (!listing) listing.emplace();  // a root that cannot be listed holds nothing
    scanLookAlikes(root, *listing);
    if (scansShortcuts(letter)) scanShortcuts(letter, *listing);
}

// Fixed disks and RAM disks are never cleaned without asking, and get no look-alike scan.
void Monitor::checkAskingOnly(char letter) {
    const std::string autorun = autorunPath(letter);
    if (files_.fileExists(autorun)) windows_.showThreatDialog(autorun);
}

// Once per letter: the letter goes on the ignore list before the notice.
void Monitor::noticeCdRom(char letter) {
    const std::string d(1, letter);
    ignoreList_.add(d);
    main_.host().messageBox("发现光盘 " + d + ":\\ 建议用杀毒软件进行杀毒后再使用！", "发现光盘",
                            ui::MsgButtons::Ok);
}

// A USB disk that calls itself fixed: its autorun.inf is handled as a fixed disk's, its
// shortcuts as a stick's. Never the drive Windows runs from, whatever its bus (a system
// started from a USB disk): the cleaning would show the system's own hidden items.
void Monitor::checkUsbDisk(char letter) {
    if (!scansShortcuts(letter)) return;
    if (std::tolower(static_cast<unsigned char>(letter)) == windowsDrive_) return;
    std::optional<bool>& onUsbBus = memoryOf(letter).onUsbBus;
    if (!onUsbBus) onUsbBus = files_.onUsbBus(letter);
    if (!*onUsbBus) return;
    if (std::optional<platform::FolderListing> listing = listRoot(letter)) {
        scanShortcuts(letter, *listing);
    }
}

bool Monitor::scansShortcuts(char letter) const {
    return main_.JcbdUp.ticked() && main_.Upcrsm.ticked() && !ignoreList_.ignores(letter);
}

// Worm shortcuts found are cleaned at once with automatic handling, which always tells
// (as for an autorun.inf), or else shown in their dialog.
void Monitor::scanShortcuts(char letter, const platform::FolderListing& listing) {
    const std::string root = rootOf(letter);
    ShortcutWorm worm = monitor::scanShortcuts(root, listing, files_,
                                               memoryOf(letter).harmlessShortcuts, &readAhead_);
    if (!worm.found()) return;
    if (!main_.Zdcl.ticked()) return windows_.showShortcutWorm(std::move(worm));
    tellRemoving();
    CleaningReport report =
        cleanShortcutWorm(worm, removal_, files_, log_, Remover::AutomaticHandling);
    if (!report.complete()) tellRemovalFailed();
}

void Monitor::tellRemoving() {
    if (!removalFailedThisPass_) windows_.showToast(kToastDeleting);
}

void Monitor::tellRemovalFailed() {
    removalFailedThisPass_ = true;
    windows_.showToast(kToastDeleteFailed);
}

// The folder list shows the root's folders; each one's executable twin goes in the list.
void Monitor::scanLookAlikes(const std::string& root, const platform::FolderListing& listing) {
    Form5& dialog = windows_.form5();
    dialog.Dir1.setListing(root, folderPaths(root, listing));
    std::vector<std::string> found = lookAlikeFiles(root, listing.folders, listing.files);
    if (!found.empty()) dialog.examining(root);  // asked of the drive only when there is cause
    for (std::string& path : found) dialog.List1.addItem(std::move(path));
    windows_.showSuspiciousFiles();
}

}  // namespace qv::monitor
