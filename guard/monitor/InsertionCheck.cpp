#include "guard/monitor/InsertionCheck.h"

#include <string>

namespace qv::monitor {

InsertionCheck::InsertionCheck(Form1& main, const ProtectionScore& score, Monitor& monitor,
                               MonitorWindows& windows)
    : main_(main), score_(score), monitor_(monitor), windows_(windows) {
    main.Uptip.onTimer = [this] { run(); };
}

void InsertionCheck::run() {
    if (monitor_.scanning()) return;
    main_.Drive1.refresh();
    // A letter that went may come back as another drive before the next pass.
    monitor_.forgetMissingDrives(main_.Drive1.entries());
    std::string letters;
    for (const std::string& entry : main_.Drive1.entries()) {
        if (!entry.empty()) letters += entry[0];
    }
    // Only the number of drives counts: the first look after start-up finds them all new.
    if (letters.size() > main_.xcptxt.text().size()) {
        if (main_.Upts.ticked()) windows_.showToast(kToastScanning);
        if (!score_.skipsInsertionPass() && main_.Znms.value()) monitor_.tick();
    }
    main_.xcptxt.setText(letters);
}

}  // namespace qv::monitor
