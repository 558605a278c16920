#include "guard/main_window/Autostart.h"

namespace qv::autostart {

std::string commandFor(std::string_view folder) {
    if (folder.ends_with('\\')) return std::string(folder) + "QVud.exe";
    return "\"" + std::string(folder) + "\\QVud.exe\"";
}

}  // namespace qv::autostart
