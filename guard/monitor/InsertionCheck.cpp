#include "guard/monitor/InsertionCheck.h"

#include <string>

#include "guard/app/Guard.h"
#include "guard/main_window/Form1.h"
#include "guard/monitor/Monitor.h"
#include "guard/monitor/Tips.h"

namespace qv::monitor {

InsertionCheck::InsertionCheck(Guard& guard, Monitor& monitor) : guard_(guard), monitor_(monitor) {
    guard.form1().Uptip.onTimer = [this] { run(); };
}

void InsertionCheck::run() {
    if (monitor_.scanning()) return;
    Form1& main = guard_.form1();
    main.Drive1.refresh();
    std::string letters;
    for (const std::string& entry : main.Drive1.entries()) {
        if (!entry.empty()) letters += entry[0];
    }
    // Only the number of drives counts: the first look after start-up finds them all new.
    if (letters.size() > main.xcptxt.text().size()) {
        if (main.Upts.ticked()) guard_.showToast(kToastScanning);
        if (main.df.caption() != "12" && main.Znms.value()) monitor_.tick();
    }
    main.xcptxt.setText(letters);
}

}  // namespace qv::monitor
