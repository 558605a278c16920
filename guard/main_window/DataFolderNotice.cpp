#include "guard/main_window/DataFolderNotice.h"

namespace qv {

std::string dataFolderRefusedMessage(const std::string& dataFolder, const std::string& reason,
                                     const std::string& programFolder) {
    // Each folder stands on a line of its own, and no line of Chinese text is long enough to
    // be wrapped: a message box may lose a character where it wraps one (seen under Wine).
    return "无法使用数据文件夹：\r\n" + dataFolder + "\r\n原因：" + reason +
           "\r\n本次运行的设置、防护日志和进程列表\r\n将写入程序所在的文件夹：\r\n" +
           programFolder + "\r\n若该文件夹不能写入则无法保存。";
}

}  // namespace qv
