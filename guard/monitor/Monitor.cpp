#include "guard/monitor/Monitor.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "guard/app/Guard.h"
#include "guard/main_window/Form1.h"
#include "guard/monitor/Form5.h"
#include "guard/monitor/LookAlikes.h"
#include "guard/monitor/Tips.h"

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

std::string autorunPath(char letter) {
    return std::string(1, letter) + ":\\autorun.inf";
}

}  // namespace

Monitor::Monitor(Guard& guard) : guard_(guard) {
    guard.form1().Jstm.onTimer = [this] { tick(); };
}

void Monitor::tick() {
    if (scanning_) return;
    ScanInProgress scan(scanning_);
    Form1& main = guard_.form1();
    main.Drive1.refresh();
    // The entries as they stand now; dialogs opened on the way do not change the pass.
    const std::vector<std::string> entries = main.Drive1.entries();
    for (const std::string& entry : entries) {
        if (entry.empty()) continue;
        const char letter = entry[0];
        // Read afresh for every drive: a letter added on the way counts at once.
        if (main.Yhl.text().find(letter) != std::string::npos) continue;
        std::optional<DriveType> type = guard_.services().files.driveType(letter);
        if (!type) continue;  // gone, or cannot be asked
        switch (*type) {
            case DriveType::Removable:
                if (main.JcbdUp.ticked()) checkRemovable(letter);
                break;
            case DriveType::Fixed:
                if (main.Jcbdyp.ticked()) checkAskingOnly(letter);
                break;
            case DriveType::CdRom:
                if (main.Jcbdgp.ticked()) noticeCdRom(letter);
                break;
            case DriveType::RamDisk:
                if (main.Jcbdxncp.ticked()) checkAskingOnly(letter);
                break;
            default:
                break;
        }
    }
}

// A removable drive: the autorun.inf deleted at once or after asking, then the look-alikes.
// With the look-alike scan on, one listing of the root answers both questions; it is read
// again only when a dialog may have changed the drive in between.
void Monitor::checkRemovable(char letter) {
    Form1& main = guard_.form1();
    platform::FileSystem& files = guard_.services().files;
    const std::string root = std::string(1, letter) + ":\\";
    const std::string autorun = autorunPath(letter);
    std::optional<platform::FolderListing> listing;
    if (main.Upcrsm.ticked()) listing = files.listFolder(root);
    const bool found = listing ? hasFile(listing->files, "autorun.inf") : files.fileExists(autorun);
    bool asked = false;
    if (found) {
        if (main.Zdcl.ticked()) {
            // Automatic handling always tells and always logs, whatever the options say.
            guard_.showToast(kToastDeleting);
            if (files.deleteFile(autorun).ok()) {
                guard_.protectionLog().recordDeletion(autorun);
            } else {
                guard_.showToast(kToastDeleteFailed);
            }
        } else {
            guard_.showThreatDialog(autorun);
            asked = true;
        }
    }
    if (!main.Upcrsm.ticked()) return;
    if (!listing || asked) listing = files.listFolder(root);
    scanLookAlikes(root, listing ? *listing : platform::FolderListing{});
}

// Fixed disks and RAM disks are never cleaned without asking, and get no look-alike scan.
void Monitor::checkAskingOnly(char letter) {
    const std::string autorun = autorunPath(letter);
    if (guard_.services().files.fileExists(autorun)) guard_.showThreatDialog(autorun);
}

// Once per letter: the letter goes on the ignore list before the notice.
void Monitor::noticeCdRom(char letter) {
    ui::TextBox& ignored = guard_.form1().Yhl;
    ignored.setText(ignored.text() + letter);
    const std::string d(1, letter);
    guard_.host().messageBox("发现光盘 " + d + ":\\ 建议用杀毒软件进行杀毒后再使用！", "发现光盘",
                             ui::MsgButtons::Ok);
}

// The folder list shows the root's folders; each one's executable twin goes in the list.
void Monitor::scanLookAlikes(const std::string& root, const platform::FolderListing& listing) {
    Form5& dialog = guard_.form5();
    dialog.Dir1.setListing(root, folderPaths(root, listing));
    for (std::string& path : lookAlikeFiles(dialog.Dir1.entries(), listing.files)) {
        dialog.List1.addItem(std::move(path));
    }
    guard_.showSuspiciousFiles();
}

}  // namespace qv::monitor
