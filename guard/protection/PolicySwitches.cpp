#include "guard/protection/PolicySwitches.h"

#include <string>

#include "guard/main_window/Form1.h"
#include "guard/platform/ui/UiHost.h"
#include "guard/protection/PolicyFiles.h"

namespace qv::protection {

PolicySwitches::PolicySwitches(Form1& form, platform::Services& services)
    : form_(form),
      services_(services),
      admin_(form, "PolicyImportWatch", services.elevation, services.processes) {
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
    const std::string file = platform::shippedFile(services_.folders, policy.file);
    if (!services_.files.fileExists(file)) {
        host.messageBox(missingPolicyFileMessage(policy.file), kPolicyErrorTitle,
                        ui::MsgButtons::Ok);
        return;
    }
    // What the file sets is there already: nothing to import, and no prompt.
    if (inEffect(services_.registry, policy.effect)) {
        host.messageBox(kCommandDoneMessage, "提示", ui::MsgButtons::Ok);
        return;
    }
    setButtonsEnabled(false);
    admin_.run(platform::windowsTool(services_.folders, kRegistryEditor), importArguments(file),
               [this, &policy](const AdminOutcome& outcome) { imported(policy, outcome); });
}

void PolicySwitches::imported(const PolicySwitch& policy, const AdminOutcome& outcome) {
    setButtonsEnabled(true);
    ui::UiHost& host = form_.host();
    if (inEffect(services_.registry, policy.effect)) {
        host.messageBox(kCommandDoneMessage, "提示", ui::MsgButtons::Ok);
    } else if (outcome.result == AdminOutcome::Result::NotStarted) {
        host.messageBox(editorNotStartedMessage(outcome.reason), kPolicyErrorTitle,
                        ui::MsgButtons::Ok);
    } else {
        host.messageBox(
            importNotDoneMessage(policy.file, adminFailureReason(outcome, kRegistryEditor)),
            adminFailureTitle(outcome), ui::MsgButtons::Ok);
    }
}

void PolicySwitches::setButtonsEnabled(bool enabled) {
    for (const PolicySwitch& policy : kPolicySwitches) {
        if (ui::Control* button = form_.find(policy.button)) button->setEnabled(enabled);
    }
}

}  // namespace qv::protection
