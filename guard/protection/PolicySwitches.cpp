#include "guard/protection/PolicySwitches.h"

#include <string>

#include "guard/main_window/Form1.h"
#include "guard/platform/ui/UiHost.h"
#include "guard/protection/PolicyFiles.h"

namespace qv::protection {

PolicySwitches::PolicySwitches(Form1& form, platform::FileSystem& files,
                               platform::Processes& processes)
    : form_(form), files_(files), processes_(processes) {
    for (const PolicySwitch& policy : kPolicySwitches) {
        if (ui::Control* button = form.find(policy.button)) {
            button->onClick = [this, &policy] { run(policy); };
        }
    }
}

void PolicySwitches::run(const PolicySwitch& policy) {
    ui::UiHost& host = form_.host();
    if (policy.confirm && host.messageBox(kDangerConfirmation, "提示", ui::MsgButtons::OkCancel) !=
                              ui::MsgAnswer::Ok) {
        return;
    }
    // The registry editor would say nothing about a missing file in silent mode.
    if (!files_.fileExists(policy.file)) {
        host.messageBox(missingPolicyFileMessage(policy.file), kPolicyErrorTitle,
                        ui::MsgButtons::Ok);
        return;
    }
    Status started = processes_.start(importCommandLine(policy.file), platform::WindowMode::Hidden);
    if (!started) {
        host.messageBox(editorNotStartedMessage(started.description()), kPolicyErrorTitle,
                        ui::MsgButtons::Ok);
        return;
    }
    host.messageBox(kCommandDoneMessage, "提示", ui::MsgButtons::Ok);
}

}  // namespace qv::protection
