#include "guard/protection/PolicyFiles.h"

namespace qv::protection {

std::string importCommandLine(const std::string& file) {
    return "regedt32 /s " + file;
}

std::string missingPolicyFileMessage(const std::string& file) {
    return "命令未能执行：找不到注册表文件 " + file + "，请把它放回程序所在的文件夹。";
}

std::string editorNotStartedMessage(const std::string& description) {
    return "命令未能执行：无法启动注册表编辑器 regedt32。\r\n原因：" + description;
}

}  // namespace qv::protection
