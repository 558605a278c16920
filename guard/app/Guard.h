#pragma once
// The one Guard object of a run: it owns the forms, the behaviour wired to them and the
// shared state's owners, holds the platform services and the window host by reference,
// and connects the parts, which never reach each other: it implements the small
// interfaces through which the main window shows the shell's windows, the shell opens the
// program's pop-up menu, and the monitor has that menu's items wired. Form1 (the main
// window and store of state) and Form3 (the badge) live for the whole run; the other forms
// are loaded on first use and unloaded when closed.

#include <cstdint>

#include "common/removal/DriveFileRemoval.h"
#include "guard/main_window/Form1.h"
#include "guard/main_window/IgnoreList.h"
#include "guard/main_window/MonitorOptions.h"
#include "guard/main_window/ProtectionScore.h"
#include "guard/main_window/ShellWindows.h"
#include "guard/main_window/SystemSettingsSave.h"
#include "guard/monitor/InsertionCheck.h"
#include "guard/monitor/MenuWiring.h"
#include "guard/monitor/Monitor.h"
#include "guard/monitor/MonitorWindows.h"
#include "guard/monitor/ProtectionLog.h"
#include "guard/platform/Services.h"
#include "guard/platform/ui/FormSlot.h"
#include "guard/platform/ui/UiHost.h"
#include "guard/protection/EmergencyCleaner.h"
#include "guard/protection/IgnoreListButtons.h"
#include "guard/protection/Immunisation.h"
#include "guard/protection/MasterSwitches.h"
#include "guard/protection/PolicySwitches.h"
#include "guard/shell/ExternalLinks.h"
#include "guard/shell/Form3.h"
#include "guard/shell/Form4.h"
#include "guard/shell/Form6.h"
#include "guard/shell/LifecycleMenu.h"
#include "guard/shell/Navigation.h"
#include "guard/shell/ProgramMenu.h"

namespace qv {

class Guard final : private ShellWindows, private monitor::MenuWiring, private ProgramMenu {
public:
    Guard(ui::UiHost& host, platform::Services& services);
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

    // Runs the start-up of the main window (its load). The single-instance test comes
    // before the Guard is made (refusedAsSecondCopy).
    void start();

    Form1& form1() { return form1_; }
    Form3& form3() { return form3_; }
    Form4& form4() { return form4_.get(); }  // the process manager, loaded when needed
    bool form4Loaded() const { return form4_.loaded(); }
    Form6& form6() { return form6_.get(); }  // the welcome window, loaded when needed
    bool form6Loaded() const { return form6_.loaded(); }
    monitor::MonitorWindows& monitorWindows() { return monitorWindows_; }
    const monitor::MonitorWindows& monitorWindows() const { return monitorWindows_; }
    monitor::Monitor& monitor() { return monitor_; }

    // Windows announced a new volume under the drive letters `letters` (bit 0 for a:): look
    // for new drives now rather than at the next insertion check (it is the same check, so
    // a running scan is never doubled), and ask afresh what the monitor remembers of those
    // drives (a letter may be one it knew).
    void volumeArrived(std::uint32_t letters = platform::kEveryDriveLetter) {
        monitor_.forgetDrives(letters);
        insertionCheck_.run();
    }

    // Destroys forms unloaded since the last call; the host calls it when no handler runs.
    void collectUnloadedForms() { graveyard_.collect(); }

private:
    // ShellWindows, for the main window's behaviour.
    void showBadge() override;
    void showProtectionState(bool allOff) override;
    void showWelcome() override;
    // monitor::MenuWiring: the shell gives the items of a newly loaded menu their behaviour.
    void wireMenu(Form5& menuOwner) override;
    // ProgramMenu, for the badge.
    ui::Menu& menu() override;

    ui::FormGraveyard graveyard_;
    // The main window, its state's owners and its own behaviour.
    Form1 form1_;
    IgnoreList ignoreList_;
    ProtectionScore score_;
    MonitorOptions monitorOptions_;
    SystemSettingsSave systemSettingsSave_;
    // The one way every file is removed from a drive, and its quarantine.
    removal::DriveFileRemoval removal_;
    // The shell's windows that the main window shows.
    Form3 form3_;
    ui::FormSlot<Form4> form4_;
    ui::FormSlot<Form6> form6_;
    // The drive monitor.
    monitor::ProtectionLog protectionLog_;
    monitor::MonitorWindows monitorWindows_;
    monitor::Monitor monitor_;
    monitor::InsertionCheck insertionCheck_;
    // The protection tools.
    IgnoreListButtons ignoreListButtons_;
    protection::MasterSwitches masterSwitches_;
    protection::Immunisation immunisation_;
    protection::EmergencyCleaner emergencyCleaner_;
    protection::PolicySwitches policySwitches_;
    // The shell's behaviour.
    Navigation navigation_;
    LifecycleMenu lifecycleMenu_;
    ExternalLinks links_;
};

}  // namespace qv
