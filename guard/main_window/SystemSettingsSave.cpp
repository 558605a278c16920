#include "guard/main_window/SystemSettingsSave.h"

#include "guard/main_window/Autostart.h"
#include "guard/main_window/Form1.h"
#include "guard/main_window/SettingsLine.h"
#include "guard/main_window/SystemSettings.h"
#include "guard/platform/ui/UiHost.h"

namespace qv {

namespace {

constexpr const char* kRegistryTool = "reg.exe";

}  // namespace

SystemSettingsSave::SystemSettingsSave(Form1& form, platform::Services& services)
    : form_(form),
      services_(services),
      admin_(form, "AutostartWatch", services.elevation, services.processes) {
    form.Command8.onClick = [this] { Command8_Click(); };
}

void SystemSettingsSave::Command8_Click() {
    Form1& f = form_;
    if (f.Jzpf.ticked()) {
        services_.skin.attach(system_settings::skinToWear(services_.files, services_.folders),
                              system_settings::kSkinPassword);
    }
    std::string line = settings::settingsLine({f.Qd.ticked(), f.Tj.ticked(), f.Jlrz.ticked(),
                                               f.Zdcl.ticked(), f.Upts.ticked(), f.Jzpf.ticked(),
                                               f.Cscl.ticked(), f.Xshy.ticked(), f.Mrgl.ticked()});
    saved_ = services_.files.writeText(runtime_files::kSystemSettings, line);
    if (!changeAutostart(f.Qd.ticked())) tellSaved();
}

bool SystemSettingsSave::changeAutostart(bool wanted) {
    platform::Registry& registry = services_.registry;
    const std::string data = autostart::commandFor(services_.folders.programFolder());
    // An entry already as wanted needs no change, and no prompt.
    if (autostart::inEffect(registry, wanted, data)) return false;

    if (!services_.elevation.elevated()) {
        form_.Command8.setEnabled(false);
        admin_.run(platform::systemTool(services_.folders, kRegistryTool),
                   autostart::regArguments(wanted, data),
                   [this, wanted, data](const AdminOutcome& outcome) {
                       form_.Command8.setEnabled(true);
                       if (!autostart::inEffect(services_.registry, wanted, data)) {
                           tellAutostartRefused(wanted, adminFailureReason(outcome, kRegistryTool),
                                                adminFailureTitle(outcome));
                       }
                       tellSaved();
                   });
        return true;
    }
    Status changed = wanted ? registry.writeString(autostart::kValuePath, data)
                            : registry.deleteValue(autostart::kValuePath);
    if (!changed.ok()) {
        tellAutostartRefused(wanted, changed.description(), "错误");
    } else if (!autostart::inEffect(registry, wanted, data)) {
        tellAutostartRefused(wanted, "注册表中的开机启动项与预期不符。", "错误");
    }
    return false;
}

void SystemSettingsSave::tellAutostartRefused(bool wanted, const std::string& reason,
                                              const char* title) {
    std::string text = wanted ? "无法设置开机启动！" : "无法取消开机启动！";
    form_.host().messageBox(text + "\n" + reason, title, ui::MsgButtons::Ok);
}

void SystemSettingsSave::tellSaved() {
    if (!saved_.ok()) {
        form_.host().messageBox("系统设置保存失败！\n" + saved_.description(), "错误",
                                ui::MsgButtons::Ok);
        return;
    }
    form_.host().messageBox("系统设置保存成功！", "提示", ui::MsgButtons::Ok);
}

}  // namespace qv
