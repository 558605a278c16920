#include "guard/shell/ExternalLinks.h"

#include "guard/app/Guard.h"
#include "guard/main_window/Form1.h"
#include "guard/monitor/Form5.h"
#include "guard/shell/Form4.h"
#include "guard/shell/LinkCommands.h"
#include "guard/shell/Site.h"

namespace qv {

using platform::WindowMode;

ExternalLinks::ExternalLinks(Guard& guard) : guard_(guard) {
    Form1& f = guard.form1();
    f.Image5.onClick = [this] { openProcessManager(); };
    f.Image6.onClick = [this] { openProtectionLog(); };
    f.Image7.onClick = [this] { openFileBrowser(); };
    f.Image8.onClick = [this] { openSkinChanger(); };

    f.Label2.onClick = [this] { Bbscom(); };
    f.Label10.onClick = [this] { Bbscom(); };
    f.Image4.onClick = [this] { Bbscom(); };
    f.Label11.onClick = [this] { openPage(links::bugReportThread(site::kForumAddress)); };
    f.Label6.onClick = [this] { openPage(links::publishSoftware(site::kForumAddress)); };
    f.Label5.onClick = [this] { openPage(links::helpBoard(site::kForumAddress)); };
    f.Label9.onClick = [this] { openPage(links::moodBoard(site::kForumAddress)); };
}

void ExternalLinks::wireMenu(Form5& menuOwner) {
    menuOwner.Jinchenggl.onClick = [this] { openProcessManager(); };
    menuOwner.wjll.onClick = [this] { openFileBrowser(); };
    menuOwner.Chakan.onClick = [this] { openProtectionLog(); };
    menuOwner.PIfgg.onClick = [this] { openSkinChanger(); };
}

void ExternalLinks::Bbscom() {
    openPage(links::forumHome(site::kForumAddress));
}

// The editor is started whether or not the log exists yet.
void ExternalLinks::openProtectionLog() {
    (void)guard_.services().processes.start(links::kLogViewer, WindowMode::Normal);
}

void ExternalLinks::openFileBrowser() {
    startModule(links::kFileBrowser, links::kFileBrowserMissing);
}

void ExternalLinks::openSkinChanger() {
    startModule(links::kSkinChanger, links::kSkinChangerMissing);
}

// One process manager: opening it again shows the same window as it is.
void ExternalLinks::openProcessManager() {
    guard_.form4().show();
}

void ExternalLinks::startModule(const char* commandLine, const char* missingMessage) {
    if (guard_.services().processes.start(commandLine, WindowMode::Normal).ok()) return;
    guard_.host().messageBox(missingMessage, "提示", ui::MsgButtons::Ok);
}

void ExternalLinks::openPage(const std::string& commandLine) {
    (void)guard_.services().processes.start(commandLine, WindowMode::Hidden);
}

}  // namespace qv
