#include "installer/script/UninstallScript.h"

#include <algorithm>

#include "common/GuardRuntimeFiles.h"
#include "common/SaveTemporary.h"
#include "common/xz/XzFormat.h"
#include "common/xz/XzLines.h"

namespace qv::setup {

namespace {

using namespace qv::xz;

// A path is usable when it is one line and means the same inside double quotes on a
// command line as it does to the file system.
bool usablePath(std::string_view path) {
    if (path.empty()) return false;
    return std::none_of(path.begin(), path.end(), [](char c) {
        return c == '"' || c == '%' || static_cast<unsigned char>(c) < 0x20;
    });
}

bool isAbsolute(std::string_view path) {
    return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

// A relative name that stays inside the folder: no empty, "." or ".." part.
bool staysInside(std::string_view name) {
    std::size_t start = 0;
    for (;;) {
        std::size_t end = std::min(name.find('\\', start), name.size());
        std::string_view part = name.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        if (end == name.size()) return true;
        start = end + 1;
    }
}

std::string quoted(std::string_view path) {
    std::string text = "\"";  // built in steps: GCC 12 misreads the one-line sum (-Wrestrict)
    text.append(path);
    text += '"';
    return text;
}

// The folders of the relative file names, deepest first, each once.
std::vector<std::string> subfoldersOf(const std::vector<std::string>& files) {
    std::vector<std::string> folders;
    for (const std::string& file : files) {
        for (std::size_t end = file.rfind('\\'); end != std::string::npos && end > 0;
             end = file.rfind('\\', end - 1)) {
            std::string folder = file.substr(0, end);
            if (std::find(folders.begin(), folders.end(), folder) == folders.end())
                folders.push_back(folder);
        }
    }
    std::sort(folders.begin(), folders.end(), [](const std::string& a, const std::string& b) {
        return std::count(a.begin(), a.end(), '\\') > std::count(b.begin(), b.end(), '\\');
    });
    return folders;
}

std::string refusal(std::string_view what, std::string_view path) {
    return std::string(what) + "“" + std::string(path) + "”不能用于卸载脚本。";
}

}  // namespace

UninstallScript uninstallScript(const Installation& in) {
    if (!isAbsolute(in.folder) || in.folder.ends_with('\\') || !usablePath(in.folder))
        return {"", refusal("安装文件夹", in.folder)};
    if (!in.menuFolder.empty() && (!isAbsolute(in.menuFolder) || !usablePath(in.menuFolder)))
        return {"", refusal("开始菜单文件夹", in.menuFolder)};
    if (!isAbsolute(in.systemFolder) || !usablePath(in.systemFolder))
        return {"", refusal("系统文件夹", in.systemFolder)};
    if (!in.dataFolder.empty() &&
        (!isAbsolute(in.dataFolder) || in.dataFolder.ends_with('\\') || !usablePath(in.dataFolder)))
        return {"", refusal("数据文件夹", in.dataFolder)};
    for (const std::string& name : in.files) {
        if (!usablePath(name) || name.find(':') != std::string::npos || !staysInside(name))
            return {"", refusal("文件", name)};
    }
    for (const std::string& name : in.shortcuts) {
        if (!usablePath(name) || name.find('\\') != std::string::npos)
            return {"", refusal("快捷方式", name)};
    }

    const std::string folder = in.folder + "\\";
    std::vector<std::string> lines = {std::string(kTitleBegin),
                                      std::string(kProductTitle),
                                      std::string(kTextBegin),
                                      "感谢您使用" + std::string(kProductTitle) + "！",
                                      "卸载将删除本软件的程序文件、设置文件、防护日志，"
                                      "以及隔离区中被清除文件的副本。",
                                      "需要找回的文件，请在卸载前用文件浏览器从隔离区恢复。",
                                      std::string(kTextEnd),
                                      std::string(kDeleteBegin)};
    for (const std::string& name : in.files) {
        if (name != kUninstallerName && name != kScriptName) lines.push_back(folder + name);
    }
    // A guard that kept its files beside itself may have left a save cut short (the
    // temporary beside the file it was replacing); it would keep the folder from going.
    for (const char* name : runtime_files::kAll) {
        lines.push_back(folder + name);
        lines.push_back(folder + name + kSaveTemporarySuffix);
    }
    if (!in.dataFolder.empty()) {
        const std::string data = in.dataFolder + "\\";
        for (const char* name : runtime_files::kAll) lines.push_back(data + name);
        lines.push_back(data + std::string(kChosenSkin));
    }
    for (const std::string& name : in.shortcuts) lines.push_back(in.menuFolder + "\\" + name);
    lines.push_back(std::string(kDeleteEnd));

    // No command may hold the uninstaller's folder, which is removed at the end. The
    // uninstaller starts them in the system folder; each also goes there first, so that the
    // script does not depend on where it is run from.
    const std::string away = "cd /d %SystemRoot% & ";
    const std::string system = in.systemFolder + "\\";
    const std::string reg = quoted(system + "reg.exe");
    lines.push_back(std::string(kCommandBegin));
    lines.push_back(away + reg + " delete " + quoted(kRunKey) + " /v " + std::string(kRunValue) +
                    " /f");
    lines.push_back(away + reg + " delete " + quoted(kUninstallKey) + " /f");
    if (!in.menuFolder.empty()) lines.push_back(away + "rd /q " + quoted(in.menuFolder));
    // The quarantine of a guard that kept its files beside itself, and the shared data
    // folder with whatever it holds.
    lines.push_back(away + "rd /s /q " + quoted(folder + runtime_files::kQuarantineFolder));
    if (!in.dataFolder.empty()) lines.push_back(away + "rd /s /q " + quoted(in.dataFolder));
    // Waits (ping's delay of about two seconds) for the uninstaller, which ends right
    // after starting the commands, to be gone.
    std::string last = away + quoted(system + "ping.exe") + " -n 3 127.0.0.1 >nul & del /f /q " +
                       quoted(folder + std::string(kUninstallerName)) + " & del /f /q " +
                       quoted(folder + std::string(kScriptName));
    for (const std::string& sub : subfoldersOf(in.files))
        last += " & rd /q " + quoted(folder + sub);
    last += " & rd /q " + quoted(in.folder);
    lines.push_back(last);
    lines.push_back(std::string(kCommandEnd));

    return {joinLines(lines), ""};
}

}  // namespace qv::setup
