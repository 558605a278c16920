#include "guard/shell/ExternalLinks.h"

#include "guard/main_window/Site.h"
#include "guard/platform/CommandLine.h"
#include "guard/platform/ui/UiHost.h"
#include "guard/shell/LinkCommands.h"

namespace qv {

using platform::WindowMode;

ExternalLinks::ExternalLinks(Form1& main, platform::Processes& processes,
                             platform::Folders& folders, ui::FormSlot<Form4>& processManager)
    : main_(main),
      processes_(processes),
      folders_(folders),
      tools_(links::toolsIn(folders)),
      processManager_(processManager) {
    main.Image5.onClick = [this] { openProcessManager(); };
    main.Image6.onClick = [this] { openProtectionLog(); };
    main.Image7.onClick = [this] { openFileBrowser(); };
    main.Image8.onClick = [this] { openSkinChanger(); };

    main.Label2.onClick = [this] { Bbscom(); };
    main.Label10.onClick = [this] { Bbscom(); };
    main.Image4.onClick = [this] { Bbscom(); };
    main.Label11.onClick = [this] {
        openPage(links::bugReportThread(tools_, site::kForumAddress));
    };
    main.Label6.onClick = [this] { openPage(links::publishSoftware(tools_, site::kForumAddress)); };
    main.Label5.onClick = [this] { openPage(links::helpBoard(tools_, site::kForumAddress)); };
    main.Label9.onClick = [this] { openPage(links::moodBoard(tools_, site::kForumAddress)); };
}

void ExternalLinks::wireMenu(const ProgramMenuItems& menu) {
    menu.Jinchenggl.onClick = [this] { openProcessManager(); };
    menu.wjll.onClick = [this] { openFileBrowser(); };
    menu.Chakan.onClick = [this] { openProtectionLog(); };
    menu.PIfgg.onClick = [this] { openSkinChanger(); };
}

void ExternalLinks::Bbscom() {
    openPage(links::forumHome(tools_, site::kForumAddress));
}

// The editor is started whether or not the log exists yet.
void ExternalLinks::openProtectionLog() {
    (void)processes_.start(links::logViewer(tools_), WindowMode::Normal);
}

void ExternalLinks::openFileBrowser() {
    startModule(links::kFileBrowser, links::kFileBrowserMissing);
}

void ExternalLinks::openSkinChanger() {
    startModule(links::kSkinChanger, links::kSkinChangerMissing);
}

// One process manager: opening it again brings the same window, as it is, to the front.
void ExternalLinks::openProcessManager() {
    Form4& manager = processManager_.get();
    if (manager.visible()) {
        manager.activate();
    } else {
        manager.show();
    }
}

// The companions are the ones shipped beside the guard, by full path.
void ExternalLinks::startModule(const char* program, const char* missingMessage) {
    const std::string commandLine = platform::commandLine(platform::shippedFile(folders_, program));
    if (processes_.start(commandLine, WindowMode::Normal).ok()) return;
    main_.host().messageBox(missingMessage, "提示", ui::MsgButtons::Ok);
}

void ExternalLinks::openPage(const std::string& commandLine) {
    (void)processes_.start(commandLine, WindowMode::Hidden);
}

}  // namespace qv
