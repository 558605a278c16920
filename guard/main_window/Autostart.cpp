#include "guard/main_window/Autostart.h"

namespace qv::autostart {

std::string commandFor(std::string_view folder) {
    std::string data(folder);
    if (folder.ends_with('\\')) return data.append("QVud.exe");
    return data.insert(0, 1, '"').append("\\QVud.exe\"");
}

}  // namespace qv::autostart
