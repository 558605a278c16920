#include "guard/main_window/Autostart.h"

#include "guard/platform/CommandLine.h"

namespace qv::autostart {

namespace {

constexpr const char* kRunKey = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kValueName = "QVud";

}  // namespace

std::string commandFor(std::string_view folder) {
    std::string data(folder);
    if (folder.ends_with('\\')) return data.append("QVud.exe");
    return data.insert(0, 1, '"').append("\\QVud.exe\"");
}

bool inEffect(platform::Registry& registry, bool wanted, std::string_view data) {
    std::optional<platform::RegistryValue> value = registry.readValue(kValuePath);
    if (!wanted) return !value;
    return value && value->type == platform::RegistryValue::Type::String && value->text == data;
}

// "reg add <key> /v QVud /t REG_SZ /d <data> /f" and "reg delete <key> /v QVud /f": /f
// answers reg's own question before it replaces or deletes (learn.microsoft.com/
// windows-server/administration/windows-commands/reg-add, reg-delete).
std::string regArguments(bool wanted, std::string_view data) {
    std::string arguments = wanted ? "add " : "delete ";
    arguments += platform::argument(kRunKey) + " /v " + kValueName;
    if (wanted) arguments += " /t REG_SZ /d " + platform::argument(data);
    return arguments + " /f";
}

}  // namespace qv::autostart
