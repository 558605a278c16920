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

// Lists the first kListedFailures paths, each with its reason, and counts the rest.
inline constexpr std::size_t kListedFailures = 20;
std::string describeFailedDeletes(const std::vector<FailedDelete>& failed);

}  // namespace qv::uninst
