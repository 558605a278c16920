#pragma once
// The message that names the files an uninstall could not remove.

#include <string>
#include <vector>

#include "uninstaller/wizard/UninstallSystem.h"

namespace qv::uninst {

struct FailedDelete {
    std::string path;
    DeleteResult result;
};

// Lists the first kListedFailures paths, each with its reason, counts the rest, and says
// that the uninstaller stays to be run again.
inline constexpr std::size_t kListedFailures = 20;
inline constexpr const char* kRetryHint =
    "卸载程序及其卸载信息已保留：请关闭正在使用这些文件的程序，然后再次运行卸载程序。\r\n";
std::string describeFailedDeletes(const std::vector<FailedDelete>& failed);

}  // namespace qv::uninst
