#pragma once
// The one Guard object of a run: it owns the platform services (by reference), the forms
// and the window host, and is how every form reaches every other. Form1 (the main window
// and store of state) and Form3 (the badge) live for the whole run; the other forms are
// loaded on first use and unloaded when closed.

#include <memory>

#include "guard/platform/Services.h"
#include "guard/platform/ui/FormSlot.h"
#include "guard/platform/ui/UiHost.h"

namespace qv {

class Form1;
class Form3;
class Form4;
class Form5;
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
    Form5& form5();  // loads it when needed
    bool form5Loaded() const;
    void unloadForm5();
    Form4& form4();  // the process manager, loaded when needed
    bool form4Loaded() const;
    Form6& form6();  // the welcome window, loaded when needed
    bool form6Loaded() const;
    void unloadForm6();
    ExternalLinks& links() { return *links_; }

    // Destroys forms unloaded since the last call; the host calls it when no handler runs.
    void collectUnloadedForms() { graveyard_.collect(); }

private:
    ui::UiHost& host_;
    platform::Services& services_;
    ui::FormGraveyard graveyard_;
    std::unique_ptr<Form1> form1_;
    std::unique_ptr<Form3> form3_;
    ui::FormSlot<Form5> form5_;
    ui::FormSlot<Form4> form4_;
    ui::FormSlot<Form6> form6_;
    std::unique_ptr<ExternalLinks> links_;
    std::unique_ptr<SystemSettingsSave> systemSettingsSave_;
};

}  // namespace qv
