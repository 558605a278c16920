#include "guard/app/Guard.h"

#include <memory>

#include "common/GuardRuntimeFiles.h"

namespace qv {

Guard::Guard(ui::UiHost& host, platform::Services& services)
    : form1_(host, services, *this),
      ignoreList_(form1_.Yhl),
      score_(form1_, *this),
      monitorOptions_(form1_),
      systemSettingsSave_(form1_, services),
      removal_(services.removalFiles, runtime_files::kQuarantineFolder),
      form3_(host, form1_, *this),
      form4_(graveyard_,
             [&host = host, &services = services] {
                 return std::make_unique<Form4>(host, services.files, services.processes,
                                                services.folders);
             }),
      form6_(graveyard_,
             [&host = host, &services = services] {
                 return std::make_unique<Form6>(host, services.files, services.processes,
                                                services.folders);
             }),
      protectionLog_(services.files, services.clock, form1_.Jlrz, host, services.folders),
      monitorWindows_(graveyard_, host, form1_, services.files, removal_, protectionLog_,
                      ignoreList_, *this),
      monitor_(form1_, services.files, removal_, ignoreList_, protectionLog_, monitorWindows_,
               platform::driveLetterOf(services.folders.windowsFolder())),
      insertionCheck_(form1_, score_, monitor_, monitorWindows_),
      ignoreListButtons_(form1_, ignoreList_),
      masterSwitches_(form1_),
      immunisation_(form1_, services.files, removal_),
      emergencyCleaner_(form1_, services, removal_),
      policySwitches_(form1_, services),
      navigation_(form1_),
      lifecycleMenu_(form1_, form3_),
      links_(form1_, services.processes, services.folders, form4_) {}

void Guard::start() {
    form1_.load();
}

void Guard::showBadge() {
    form3_.show();
}

void Guard::showProtectionState(bool allOff) {
    form3_.showProtectionState(allOff);
}

void Guard::showWelcome() {
    form6_.get().show();
}

void Guard::wireMenu(Form5& menuOwner) {
    const ProgramMenuItems items{menuOwner,       menuOwner.Xianshi, menuOwner.Jinchenggl,
                                 menuOwner.wjll,  menuOwner.Chakan,  menuOwner.PIfgg,
                                 menuOwner.Tuichu};
    lifecycleMenu_.attach(items);
    links_.wireMenu(items);
}

ui::Menu& Guard::menu() {
    return monitorWindows_.form5().Cd;
}

}  // namespace qv
