#include "guard/monitor/Monitor.h"

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
void Monitor::checkRemovable(char letter) {
    Form1& main = guard_.form1();
    platform::FileSystem& files = guard_.services().files;
    const std::string autorun = autorunPath(letter);
    if (files.fileExists(autorun)) {
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
        }
    }
    if (main.Upcrsm.ticked()) scanLookAlikes(std::string(1, letter) + ":\\");
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

// One listing of the root gives both its folders and its files.
void Monitor::scanLookAlikes(const std::string& root) {
    Form5& dialog = guard_.form5();
    std::optional<platform::FolderListing> listing = guard_.services().files.listFolder(root);
    if (!listing) listing.emplace();  // not ready: nothing to find
    dialog.Dir1.setListing(root, folderPaths(root, *listing));
    std::vector<std::string> folders;
    for (int i = 0; i < dialog.Dir1.listCount(); ++i) folders.push_back(dialog.Dir1.list(i));
    for (std::string& path : lookAlikeFiles(folders, listing->files)) {
        dialog.List1.addItem(std::move(path));
    }
    guard_.showSuspiciousFiles();
}

}  // namespace qv::monitor
