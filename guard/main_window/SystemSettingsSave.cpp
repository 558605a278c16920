#include "guard/main_window/SystemSettingsSave.h"

#include "guard/main_window/Autostart.h"
#include "guard/main_window/Form1.h"
#include "guard/main_window/SettingsLine.h"
#include "guard/main_window/SystemSettings.h"
#include "guard/platform/ui/UiHost.h"

namespace qv {

SystemSettingsSave::SystemSettingsSave(Form1& form, platform::Services& services)
    : form_(form), services_(services) {
    form.Command8.onClick = [this] { Command8_Click(); };
}

void SystemSettingsSave::Command8_Click() {
    Form1& f = form_;
    updateAutostart(f.Qd.ticked());
    if (f.Jzpf.ticked()) {
        services_.skin.attach(system_settings::kSkinFile, system_settings::kSkinPassword);
    }
    std::string line = settings::settingsLine({f.Qd.ticked(), f.Tj.ticked(), f.Jlrz.ticked(),
                                               f.Zdcl.ticked(), f.Upts.ticked(), f.Jzpf.ticked(),
                                               f.Cscl.ticked(), f.Xshy.ticked(), f.Mrgl.ticked()});
    Status written = services_.files.writeText(runtime_files::kSystemSettings, line);
    if (!written.ok()) {
        f.host().messageBox(std::string("系统设置保存失败！\n") + written.description(), "错误",
                            ui::MsgButtons::Ok);
        return;
    }
    f.host().messageBox("系统设置保存成功！", "提示", ui::MsgButtons::Ok);
}

// Writes the entry for the program's present folder, or removes it; a value that is not
// there needs no removing. A refusal (no right to write under HKEY_LOCAL_MACHINE) is told,
// and the settings are still saved.
void SystemSettingsSave::updateAutostart(bool wanted) {
    platform::Registry& registry = services_.registry;
    Status changed = Status::success();
    if (wanted) {
        changed = registry.writeString(autostart::kValuePath,
                                       autostart::commandFor(services_.processes.programFolder()));
    } else if (registry.valueExists(autostart::kValuePath)) {
        changed = registry.deleteValue(autostart::kValuePath);
    }
    if (changed.ok()) return;
    std::string text = wanted ? "无法设置开机启动！" : "无法取消开机启动！";
    form_.host().messageBox(text + "\n" + changed.description(), "错误", ui::MsgButtons::Ok);
}

}  // namespace qv
