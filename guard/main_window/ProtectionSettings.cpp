// The protection settings file QVset.ini: one line of six digits for the four drive-type
// options, the monitoring mode and the insertion scan. Loaded once at start-up by Jiazai,
// written only by the "保存设置" button.

#include <string>

#include "common/GuardRuntimeFiles.h"
#include "guard/main_window/Form1.h"
#include "guard/main_window/SettingsLine.h"
#include "guard/platform/ui/UiHost.h"

namespace qv {

namespace {

// Only the first line's first characters matter; a larger file is not read further.
constexpr size_t kSettingsReadLimit = 4096;

}  // namespace

// Only a "0" acts, position by position, and each change runs that control's own handling
// (the score, the mode). Anything else, a short line or no file leaves the designed value.
void Form1::Jiazai() {
    std::optional<std::string> text =
        services_.files.readTextStart(runtime_files::kProtectionSettings, kSettingsReadLimit);
    if (!text) return;
    std::string_view line = settings::firstLine(*text);
    if (settings::digitAt(line, 1, '0')) JcbdUp.setValue(0);
    if (settings::digitAt(line, 2, '0')) Jcbdyp.setValue(0);
    if (settings::digitAt(line, 3, '0')) Jcbdgp.setValue(0);
    if (settings::digitAt(line, 4, '0')) Jcbdxncp.setValue(0);
    if (settings::digitAt(line, 5, '0')) Ssms.setValue(true);  // real-time mode
    if (settings::digitAt(line, 6, '0')) Upcrsm.setValue(0);
}

// The file is replaced in one step, so a failed save leaves the previous settings whole;
// success is reported only after the new line is in place.
void Form1::Command6_Click() {
    std::string line = settings::settingsLine({JcbdUp.ticked(), Jcbdyp.ticked(), Jcbdgp.ticked(),
                                               Jcbdxncp.ticked(), Znms.value(), Upcrsm.ticked()});
    Status saved = services_.files.writeText(runtime_files::kProtectionSettings, line);
    if (saved.ok()) {
        host().messageBox("防护设置保存成功！", "提示", ui::MsgButtons::Ok);
    } else {
        host().messageBox("防护设置保存失败！" + saved.description(), "错误", ui::MsgButtons::Ok);
    }
}

}  // namespace qv
