#pragma once
// The one Guard object of a run: it owns the platform services (by reference), the forms
// and the window host, and is how every form reaches every other. Form1 (the main window
// and store of state) and Form3 (the badge) live for the whole run; the other forms are
// loaded on first use and unloaded when closed.

#include <memory>

#include "guard/monitor/ProtectionLog.h"
#include "guard/platform/Services.h"
#include "guard/platform/ui/FormSlot.h"
#include "guard/platform/ui/UiHost.h"

namespace qv {

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;
class MonitorOptions;
class Tips;

namespace monitor {
class InsertionCheck;
class Monitor;
}  // namespace monitor
namespace protection {
class EmergencyCleaner;
class Immunisation;
class MasterSwitches;
class PolicySwitches;
}  // namespace protection
class IgnoreList;
class LifecycleMenu;
class Navigation;
class Form6;
class ExternalLinks;
class SystemSettingsSave;

class Guard {
public:
    Guard(ui::UiHost& host, platform::Services& services);
    ~Guard();
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

    // Runs the start-up of the main window (its load). Returns false when the program is
    // to end at once (another copy already runs).
    bool start();

    ui::UiHost& host() { return host_; }
    platform::Services& services() { return services_; }

    Form1& form1();
    Form3& form3();
    Form2& form2();  // loads it when needed
    bool form2Loaded() const;
    void unloadForm2();
    Form5& form5();  // loads it when needed
    bool form5Loaded() const;
    void unloadForm5();
    Form4& form4();  // the process manager, loaded when needed
    bool form4Loaded() const;
    Form6& form6();  // the welcome window, loaded when needed
    bool form6Loaded() const;
    void unloadForm6();
    ExternalLinks& links() { return *links_; }

    monitor::ProtectionLog& protectionLog() { return protectionLog_; }
    monitor::Monitor& monitor() { return *monitor_; }

    // Windows announced a new volume: look for new drives now rather than at the next
    // insertion check (it is the same check, so a running scan is never doubled).
    void volumeArrived();

    // Shows the toast with `text` (loading it at the corner when it is not open); returns
    // at once. A toast already open keeps its counter and takes the new text.
    void showToast(const std::string& text);
    Tips* tipsIfLoaded() const;
    void unloadTips();

    // The threat dialog for the autorun.inf at `path`: a fresh dialog reads the file, then
    // shows modally; returns when the user (or its countdown) has answered.
    void showThreatDialog(const std::string& path);
    // Shows the suspicious-file dialog modally when lines were added to its list; returns
    // when it has closed.
    void showSuspiciousFiles();

    // Destroys forms unloaded since the last call; the host calls it when no handler runs.
    void collectUnloadedForms() { graveyard_.collect(); }

private:
    ui::UiHost& host_;
    platform::Services& services_;
    ui::FormGraveyard graveyard_;
    monitor::ProtectionLog protectionLog_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<Form3> form3_;
    ui::FormSlot<Form2> form2_;
    ui::FormSlot<Form5> form5_;
    ui::FormSlot<Tips> tips_;
    std::unique_ptr<MonitorOptions> monitorOptions_;
    std::unique_ptr<protection::MasterSwitches> masterSwitches_;
    std::unique_ptr<monitor::Monitor> monitor_;
    std::unique_ptr<monitor::InsertionCheck> insertionCheck_;
    std::unique_ptr<Navigation> navigation_;
    std::unique_ptr<LifecycleMenu> lifecycleMenu_;
    std::unique_ptr<IgnoreList> ignoreList_;
    std::unique_ptr<protection::Immunisation> immunisation_;
    std::unique_ptr<protection::EmergencyCleaner> emergencyCleaner_;
    std::unique_ptr<protection::PolicySwitches> policySwitches_;
    ui::FormSlot<Form4> form4_;
    ui::FormSlot<Form6> form6_;
    std::unique_ptr<ExternalLinks> links_;
    std::unique_ptr<SystemSettingsSave> systemSettingsSave_;
};

}  // namespace qv
