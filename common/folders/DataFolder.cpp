#include "common/folders/DataFolder.h"

namespace qv::folders {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string_view withoutTrailingSeparators(std::string_view path) {
    while (!path.empty() && isSeparator(path.back())) path.remove_suffix(1);
    return path;
}

}  // namespace

std::string inFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && !isSeparator(path.back())) path += '\\';
    path += name;
    return path;
}

bool isInside(std::string_view path, std::string_view folder) {
    path = withoutTrailingSeparators(path);
    folder = withoutTrailingSeparators(folder);
    if (folder.empty() || path.size() < folder.size()) return false;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        char a = path[i], b = folder[i];
        if (isSeparator(a) && isSeparator(b)) continue;
        if (upper(a) != upper(b)) return false;
    }
    return path.size() == folder.size() || isSeparator(path[folder.size()]);
}

DataFolderChoice chooseDataFolder(std::string_view programFolder,
                                  const std::vector<std::string>& programFilesFolders,
                                  std::string_view sharedFolder,
                                  const std::function<bool()>& userCanCreateFiles) {
    if (sharedFolder.empty()) return {std::string(programFolder), DataFolderReason::Portable};
    for (const std::string& programFiles : programFilesFolders) {
        if (isInside(programFolder, programFiles))
            return {std::string(sharedFolder), DataFolderReason::UnderProgramFiles};
    }
    if (!userCanCreateFiles()) return {std::string(sharedFolder), DataFolderReason::NotWritable};
    return {std::string(programFolder), DataFolderReason::Portable};
}

}  // namespace qv::folders
