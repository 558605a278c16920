#include "guard/protection/CleanerSteps.h"

#include "guard/platform/CommandLine.h"
#include "guard/platform/Folders.h"

namespace qv::protection {

CleanerStage cleanerStage(int step) {
    switch (step) {
        case 1:
            return {"正在初始化...", 10};
        case 2:
            return {"正在扫描文件...", 50};
        case 3:
            return {"正在删除病毒...", 80};
        case 4:
            return {"正在完成扫描...", 98};
        default:
            return {kCleanerReadyStatus, 0};
    }
}

std::string wormKillCommand(const std::string& taskkill, const std::string& image) {
    return platform::commandLine(taskkill, "/im " + image + " /f /t");
}

std::vector<std::string> systemWormFiles() {
    return {"c:\\windows\\xcopy.exe", "c:\\windows\\svchost.exe",
            "c:\\windows\\system32\\temp1.exe", "c:\\windows\\system32\\temp2.exe"};
}

std::vector<std::string> rootWormFiles(char letter) {
    std::vector<std::string> paths;
    for (const char* name : {"autorun.inf", "copy.exe", "host.exe", "rose.exe"}) {
        paths.push_back(std::string(1, letter) + ":\\" + name);
    }
    return paths;
}

// cmd.exe /d /s /c "<command> & <command> ...": /d leaves out the AutoRun commands of the
// registry, which would otherwise run with the same rights, and /s takes everything
// between the outer quotes as it stands (learn.microsoft.com/windows-server/
// administration/windows-commands/cmd). Every program inside is named by its full path.
std::string adminCleaningArguments(const std::string& systemFolder,
                                   const std::vector<std::string>& images,
                                   const std::vector<std::string>& files) {
    std::vector<std::string> commands;
    for (const std::string& image : images) {
        commands.push_back(
            wormKillCommand(platform::inFolder(systemFolder, "taskkill.exe"), image));
    }
    if (!images.empty() && !files.empty()) {
        commands.push_back(
            platform::commandLine(platform::inFolder(systemFolder, "ping.exe"), "-n 3 127.0.0.1") +
            " >nul");
    }
    if (!files.empty()) {
        // del passes over hidden and system files unless /a selects files of every
        // attribute; without /f it leaves a read-only one in place, and the report names it
        // (learn.microsoft.com/windows-server/administration/windows-commands/del).
        std::string del = "del /a";
        for (const std::string& file : files) del.append(" ").append(platform::quoted(file));
        commands.push_back(del);
    }
    std::string joined;
    for (const std::string& command : commands) {
        if (!joined.empty()) joined += " & ";
        joined += command;
    }
    return "/d /s /c \"" + joined + "\"";
}

std::string cleanerDoneMessage(const CleanerReport& report) {
    std::string text = "紧急杀毒完成！共删除 ";
    text += std::to_string(report.removed);
    text += " 个文件。";
    if (!report.stays.empty()) {
        text += "\r\n";
        text += removal::notRemovedText(report.stays);
    }
    if (!report.running.empty()) {
        text += "\r\n未能结束以下进程：";
        for (const removal::NotRemoved& process : report.running) {
            text += "\r\n" + process.path + "：" + removal::reasonSentence(process.reason);
        }
    }
    return text;
}

}  // namespace qv::protection
