// The system settings file XTset.ini, loaded at start-up by Jiazai2. Only a digit that
// differs from the option's designed value acts: it sets the option to the other value
// and runs that option's load action. Any other character, a short line, a missing or
// unreadable file leave the options as designed.

#include "guard/main_window/SystemSettings.h"

#include <optional>
#include <string>

#include "guard/main_window/Form1.h"
#include "guard/main_window/SettingsLine.h"
#include "guard/main_window/Site.h"

namespace qv {

std::string system_settings::skinToWear(platform::FileSystem& files, platform::Folders& folders) {
    if (files.fileExists(kSkinFile)) return kSkinFile;
    return platform::shippedFile(folders, kSkinFile);
}

void Form1::Jiazai2() {
    std::optional<std::string> text = services_.files.readText(runtime_files::kSystemSettings);
    if (!text) return;
    std::string_view line = settings::firstLine(*text);
    auto at = [line](size_t position, char digit) {
        return settings::digitAt(line, position, digit);
    };

    if (at(1, '1')) Qd.setValue(1);  // the registry follows only when the user saves
    if (at(2, '1')) {
        Tj.setValue(1);
        Webtj.navigate(std::string(site::kForumAddress) + system_settings::kStatisticsPath);
        Label8.setCaption("统计计划已开启");
    }
    if (at(3, '0')) Jlrz.setValue(0);
    if (at(4, '1')) Zdcl.setValue(1);
    // Action notices off silence the insertion toast only: the insertion check itself
    // keeps running, or smart mode would examine no inserted drive for the whole run.
    if (at(5, '0')) Upts.setValue(0);
    if (at(6, '1')) {
        Jzpf.setValue(1);
        services_.skin.attach(system_settings::skinToWear(services_.files, services_.folders),
                              system_settings::kSkinPassword);
    }
    if (at(7, '0')) Cscl.setValue(0);
    if (at(8, '1')) {
        Xshy.setValue(1);
        shell_.showWelcome();
    }
    if (at(9, '1')) Mrgl.setValue(1);
}

}  // namespace qv
