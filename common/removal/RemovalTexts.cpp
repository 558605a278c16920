#include "common/removal/RemovalTexts.h"

namespace qv::removal {

std::string_view withoutFullStop(std::string_view reason) {
    constexpr std::string_view kFullStop = "。";
    while (reason.ends_with(kFullStop)) reason.remove_suffix(kFullStop.size());
    return reason;
}

std::string readFailedReason(std::string_view systemReason) {
    std::string text = "读取文件失败（";
    text += withoutFullStop(systemReason);
    text += "），因此没有删除";
    return text;
}

std::string notQuarantinedReason(std::string_view systemReason) {
    std::string text = "无法放入隔离区（";
    text += withoutFullStop(systemReason);
    text += "），因此没有删除";
    return text;
}

std::string reasonSentence(std::string_view reason) {
    std::string text(withoutFullStop(reason));
    text += "。";
    return text;
}

std::string notRemovedText(const std::vector<NotRemoved>& files) {
    std::string text = "未能删除以下文件：";
    for (const NotRemoved& file : files) {
        text += "\r\n";
        text += file.path;
        text += "：";
        text += reasonSentence(file.reason);
    }
    return text;
}

}  // namespace qv::removal
