#pragma once
// The drive monitor's windows, each loaded on use and unloaded when it closes: the toast
// Tips, the threat dialog Form2, the suspicious-file dialog Form5 (which also owns the
// program's pop-up menu) and the shortcut-worm dialog Form7. The monitor pass shows its
// dialogs through here, modally and one after the other, in the order Monitor.h gives.

#include <string>

#include "common/removal/DriveFileRemoval.h"
#include "guard/main_window/Form1.h"
#include "guard/main_window/IgnoreList.h"
#include "guard/monitor/Form2.h"
#include "guard/monitor/Form5.h"
#include "guard/monitor/Form7.h"
#include "guard/monitor/MenuWiring.h"
#include "guard/monitor/ProtectionLog.h"
#include "guard/monitor/Tips.h"
#include "guard/platform/FileSystem.h"
#include "guard/platform/ui/FormSlot.h"

namespace qv::monitor {

class MonitorWindows {
public:
    // Every reference outlives this object; unloaded forms go to `graveyard`.
    MonitorWindows(ui::FormGraveyard& graveyard, ui::UiHost& host, Form1& main,
                   platform::FileSystem& files, removal::DriveFileRemoval& removal,
                   ProtectionLog& log, IgnoreList& ignoreList, MenuWiring& menuWiring);
    MonitorWindows(const MonitorWindows&) = delete;
    MonitorWindows& operator=(const MonitorWindows&) = delete;

    // Shows the toast with `text` (loading it at the corner when it is not open); returns
    // at once. A toast already open keeps its counter and takes the new text.
    void showToast(const std::string& text);
    Tips* tipsIfLoaded() const { return tips_.ifLoaded(); }

    // The threat dialog for the autorun.inf at `path`: a fresh dialog reads the file, then
    // shows modally; returns when the user (or its countdown) has answered.
    void showThreatDialog(const std::string& path);
    bool form2Loaded() const { return form2_.loaded(); }

    // The suspicious-file dialog, loaded when needed: the look-alike scan fills its list,
    // the badge opens its menu.
    Form5& form5() { return form5_.get(); }
    bool form5Loaded() const { return form5_.loaded(); }
    // Shows the suspicious-file dialog modally when its list has lines; returns when it
    // has closed.
    void showSuspiciousFiles();

    // The shortcut-worm dialog for the findings of one drive: a fresh dialog, shown
    // modally; returns when the user has answered.
    void showShortcutWorm(monitor::ShortcutWorm worm);
    bool form7Loaded() const { return form7_.loaded(); }

private:
    ui::FormSlot<Form2> form2_;
    ui::FormSlot<Form5> form5_;
    ui::FormSlot<Form7> form7_;
    ui::FormSlot<Tips> tips_;
};

}  // namespace qv::monitor
