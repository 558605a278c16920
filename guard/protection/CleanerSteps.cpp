#include "guard/protection/CleanerSteps.h"

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

std::vector<std::string> wormKillCommands() {
    return {"taskkill /im temp1.exe /f /t", "taskkill /im temp2.exe /f /t"};
}

std::vector<std::string> systemWormFiles() {
    return {"c:\\windows\\xcopy.exe", "c:\\windows\\svchost.exe",
            "c:\\windows\\system32\\temp1.exe", "c:\\windows\\system32\\temp2.exe"};
}

std::string cleanerDoneMessage(const CleanerReport& report) {
    std::string text = "紧急杀毒完成！共删除 ";
    text += std::to_string(report.removed);
    text += " 个文件。";
    if (!report.stays.empty()) {
        text += "\r\n";
        text += removal::notRemovedText(report.stays);
    }
    return text;
}

std::vector<std::string> rootWormFiles(char letter) {
    std::vector<std::string> paths;
    for (const char* name : {"autorun.inf", "copy.exe", "host.exe", "rose.exe"}) {
        paths.push_back(std::string(1, letter) + ":\\" + name);
    }
    return paths;
}

}  // namespace qv::protection
