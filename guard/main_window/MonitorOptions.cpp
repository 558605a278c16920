#include "guard/main_window/MonitorOptions.h"

#include "guard/main_window/Form1.h"

namespace qv {

MonitorOptions::MonitorOptions(Form1& form) : form_(form) {
    form.Ssms.onClick = [this] { Ssmsdm(); };
    form.Znms.onClick = [&form] { form.Jstm.setEnabled(false); };
}

void MonitorOptions::Ssmsdm() {
    form_.Jstm.setEnabled(true);
}

}  // namespace qv
