#pragma once
// Where the product keeps the files it writes: one data folder for every program (the
// guard, the skin changer, the file browser's quarantine). A copy run from a folder of its
// own (a stick, a download folder) keeps them beside itself, as a portable program does; a
// copy installed under Program Files, or in any folder the user cannot write, keeps them
// in the product's folder under ProgramData, which the setup program makes writable for
// the local Users group. The rule is pure; common/win32/Folders.h gathers its inputs.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::folders {

// The product's folder under ProgramData.
inline constexpr std::string_view kDataFolderName = "QVu盘卫士";

// `name` in `folder`, with one backslash between them ("e:\" + "Rz.log" is "e:\Rz.log").
std::string inFolder(std::string_view folder, std::string_view name);

// True when `path` is `folder` or lies inside it. Backslashes and slashes are alike, a
// trailing separator does not count, and ASCII letters compare without regard to case, as
// Windows compares names; "C:\Program Files Extra" does not lie inside "C:\Program Files".
bool isInside(std::string_view path, std::string_view folder);

enum class DataFolderReason {
    Portable,           // the program's own folder
    UnderProgramFiles,  // installed under Program Files: the shared folder
    NotWritable,        // the user cannot create a file beside the program: the shared folder
};

struct DataFolderChoice {
    std::string folder;
    DataFolderReason reason;
};

// The data folder of a program in `programFolder`: the shared folder `sharedFolder`
// (ProgramData's product folder) when the program lies inside one of `programFilesFolders`
// or when `userCanCreateFiles` (asked only then) says the user cannot create a file in the
// program's folder; otherwise the program's folder. Without a shared folder (the system
// could not name ProgramData) the program's folder is all there is.
DataFolderChoice chooseDataFolder(std::string_view programFolder,
                                  const std::vector<std::string>& programFilesFolders,
                                  std::string_view sharedFolder,
                                  const std::function<bool()>& userCanCreateFiles);

}  // namespace qv::folders
