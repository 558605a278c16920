#include "guard/main_window/Form1.h"

#include <string>
#include <vector>

#include "guard/platform/ui/UiHost.h"

namespace qv {

namespace {

constexpr ui::Twips kWidth = 7380;
constexpr ui::Twips kStartHeight = 6120;
constexpr ui::Twips kHeight = 6090;
constexpr ui::Rect kPageArea{120, 2160, 0, 0};

// Drive-list entries: the drive letter and a colon ("c:"), in letter order.
void driveEntries(platform::FileSystem& files, std::vector<std::string>& entries) {
    for (char letter : files.driveLetters()) entries.push_back({letter, ':'});
}

// The entry of the drive that holds `folder` ("e:" for "E:\QV"); empty for a path without
// a drive letter.
std::string driveEntryOf(const std::string& folder) {
    const char letter = platform::driveLetterOf(folder);
    return letter ? std::string{letter, ':'} : std::string();
}

}  // namespace

Form1::Form1(ui::UiHost& uiHost, platform::Services& services, ShellWindows& shell)
    : ui::Form(uiHost, "Form1"), services_(services), shell_(shell) {
    design();

    auto drives = [&files = services.files](std::vector<std::string>& entries) {
        driveEntries(files, entries);
    };
    Drive1.setSource(drives);
    Drive2.setSource(drives);
    // The data folder is the guard's current folder, so its drive is the current drive.
    Drive2.setStartDrive(driveEntryOf(services.folders.dataFolder()));
    Drive1.refresh();
    Drive2.refresh();
    Webtj.setNavigator([&web = services.web](const std::string& url) { web.navigate(url); });

    Command6.onClick = [this] { Command6_Click(); };

    onLoad = [this] { Form_Load(); };
    onResize = [this] { Form_Resize(); };
    onQueryUnload = [this](bool& cancel, ui::CloseReason reason) {
        Form_QueryUnload(cancel, reason);
    };
    // A close that is let through (Windows shutting down, the task manager) ends the
    // program: the main window is the store of all state.
    onUnloadRequested = [this] { host().endProcess(); };
}

// Start-up, run once when the program starts; the single-instance test has been passed
// before the guard was made (SingleCopy.h).
void Form1::Form_Load() {
    host().hideFromTaskList();
    setSize(kWidth, kStartHeight);
    for (ui::Frame* frame : {&Frame1, &Frame2, &Frame3, &Frame4}) {
        frame->move(kPageArea.left, kPageArea.top);
    }
    Jiazai();
    Jiazai2();
    hide();
    shell_.showBadge();
}

// The user's close command only hides the main window behind the badge; any other close
// request (shutdown, log-off, the task manager) is let through.
void Form1::Form_QueryUnload(bool& cancel, ui::CloseReason reason) {
    if (reason != ui::CloseReason::UserClose) return;
    cancel = true;
    hide();
    shell_.showBadge();
}

// The window's size is fixed: every resize puts it back.
void Form1::Form_Resize() {
    setSize(kWidth, kHeight);
}

}  // namespace qv
