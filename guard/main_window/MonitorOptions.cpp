#include "guard/main_window/MonitorOptions.h"

#include <charconv>
#include <string>

#include "guard/app/Guard.h"
#include "guard/main_window/Form1.h"

namespace qv {

int leadingNumber(const std::string& text) {
    size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos) return 0;
    int value = 0;
    std::from_chars(text.data() + at, text.data() + text.size(), value);
    return value;
}

MonitorOptions::MonitorOptions(Guard& guard) : guard_(guard) {
    Form1& main = guard.form1();
    struct Weighted {
        ui::CheckBox& box;
        int weight;
    };
    for (Weighted w :
         {Weighted{main.JcbdUp, kWeightRemovable}, Weighted{main.Jcbdyp, kWeightFixed},
          Weighted{main.Jcbdxncp, kWeightRamDisk}, Weighted{main.Upcrsm, kWeightInsertionScan}}) {
        w.box.onClick = [this, &box = w.box, weight = w.weight] {
            weightChanged(box.value(), weight);
        };
    }
    main.Ssms.onClick = [this] { Ssmsdm(); };
    main.Znms.onClick = [&main] { main.Jstm.setEnabled(false); };
}

void MonitorOptions::Ssmsdm() {
    guard_.form1().Jstm.setEnabled(true);
}

// Writing the score runs its own change handling, which starts or stops the monitor.
void MonitorOptions::weightChanged(int value, int weight) {
    ui::Label& score = guard_.form1().df;
    int now = leadingNumber(score.caption());
    score.setCaption(std::to_string(value == 0 ? now - weight : now + weight));
}

}  // namespace qv
