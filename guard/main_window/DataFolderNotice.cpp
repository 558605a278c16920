#include "guard/main_window/DataFolderNotice.h"

namespace qv {

std::string dataFolderRefusedMessage(const std::string& dataFolder, const std::string& reason,
                                     const std::string& programFolder) {
    return "无法使用数据文件夹“" + dataFolder + "”：" + reason +
           "\r\n本次运行的设置、防护日志和进程列表将写入程序所在的文件夹“" + programFolder +
           "”，若该文件夹不能写入则无法保存。";
}

}  // namespace qv
