#include "guard/protection/PolicySwitches.h"

#include <string>

#include "guard/app/Guard.h"
#include "guard/main_window/Form1.h"
#include "guard/protection/PolicyFiles.h"

namespace qv::protection {

PolicySwitches::PolicySwitches(Guard& guard) : guard_(guard) {
    Form1& f = guard.form1();
    for (const PolicySwitch& policy : kPolicySwitches) {
        if (ui::Control* button = f.find(policy.button)) {
            button->onClick = [this, &policy] { run(policy); };
        }
    }
}

void PolicySwitches::run(const PolicySwitch& policy) {
    ui::UiHost& host = guard_.host();
    if (policy.confirm && host.messageBox(kDangerConfirmation, "提示", ui::MsgButtons::OkCancel) !=
                              ui::MsgAnswer::Ok) {
        return;
    }
    platform::Services& services = guard_.services();
    // The registry editor would say nothing about a missing file in silent mode.
    if (!services.files.fileExists(policy.file)) {
        host.messageBox(missingPolicyFileMessage(policy.file), kPolicyErrorTitle,
                        ui::MsgButtons::Ok);
        return;
    }
    Status started =
        services.processes.start(importCommandLine(policy.file), platform::WindowMode::Hidden);
    if (!started) {
        host.messageBox(editorNotStartedMessage(started.description()), kPolicyErrorTitle,
                        ui::MsgButtons::Ok);
        return;
    }
    host.messageBox(kCommandDoneMessage, "提示", ui::MsgButtons::Ok);
}

}  // namespace qv::protection
