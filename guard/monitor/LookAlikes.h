#pragma once
// The look-alike rule: a file in a drive's root is suspicious when its name is exactly the
// name of a folder of that same root followed by ".exe" or ".com" (a worm hides the real
// folder and plants an executable with its name and a folder's icon).

#include <string>
#include <vector>

#include "guard/platform/FileSystem.h"

namespace qv::monitor {

// The full paths of the folders of `listing` under `root` ("e:\"), as the folder list shows
// them.
std::vector<std::string> folderPaths(const std::string& root,
                                     const platform::FolderListing& listing);

// The suspicious files of the root `root` ("e:\"): for each folder name n, in order, the
// path of n + ".exe" when that file exists and then of n + ".com" when that one does.
// Names compare without regard to ASCII case, as Windows finds files.
std::vector<std::string> lookAlikeFiles(const std::string& root,
                                        const std::vector<std::string>& folderNames,
                                        const std::vector<std::string>& fileNames);

}  // namespace qv::monitor
