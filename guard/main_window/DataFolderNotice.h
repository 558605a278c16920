#pragma once
// What the guard tells at start-up when its data folder cannot be made or used: it runs
// on in its program folder, and what cannot be written there is told at each attempt.

#include <string>

namespace qv {

// The notice (title "错误") for `dataFolder`, refused for `reason`, with `programFolder`
// taking its place.
std::string dataFolderRefusedMessage(const std::string& dataFolder, const std::string& reason,
                                     const std::string& programFolder);

}  // namespace qv
