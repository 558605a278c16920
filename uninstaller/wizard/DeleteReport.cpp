#include "uninstaller/wizard/DeleteReport.h"

namespace qv::uninst {

namespace {

std::string reasonText(const DeleteResult& result) {
    return result.reason.empty() ? "无法删除" : result.reason;
}

}  // namespace

std::string describeFailedDeletes(const std::vector<FailedDelete>& failed) {
    std::string text = "卸载未全部完成，以下文件未能删除：\r\n";
    std::size_t listed = 0;
    for (const FailedDelete& f : failed) {
        if (listed == kListedFailures) break;
        text += f.path + "（" + reasonText(f.result) + "）\r\n";
        ++listed;
    }
    if (failed.size() > listed) {
        text += "……另有 " + std::to_string(failed.size() - listed) + " 个文件未能删除。\r\n";
    }
    return text + kRetryHint;
}

}  // namespace qv::uninst
