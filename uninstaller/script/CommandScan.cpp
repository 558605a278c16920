#include "uninstaller/script/CommandScan.h"

#include "common/xz/XzFormat.h"

namespace qv::uninst {

std::optional<std::vector<std::string>> scanCommands(const std::vector<std::string>& lines) {
    std::vector<std::string> commands;
    std::size_t listBytes = 0;
    const std::size_t n = lines.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (lines[i] != xz::kCommandBegin) continue;
        for (std::size_t k = i + 1; k < n && lines[k] != xz::kCommandEnd; ++k) {
            listBytes += lines[k].size();
            if (commands.size() >= xz::kMaxCommands || listBytes > xz::kMaxListBytes) {
                return std::nullopt;
            }
            commands.push_back(lines[k]);
        }
    }
    return commands;
}

}  // namespace qv::uninst
