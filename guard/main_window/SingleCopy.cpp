#include "guard/main_window/SingleCopy.h"

namespace qv {

bool refusedAsSecondCopy(ui::UiHost& host, platform::SingleInstance& instance) {
    if (instance.claim() != platform::InstanceClaim::TakenByAnother) return false;
    host.messageBox(kAlreadyRunning, "提示", ui::MsgButtons::Ok);
    return true;
}

}  // namespace qv
