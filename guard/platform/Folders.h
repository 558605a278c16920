#pragma once
// Where the guard's files and the system's tools are: the program folder holds what ships
// beside QVud.exe (the registry files, the version text, the default skin, the companion
// programs), the data folder what the guard writes (its current folder, so the bare names
// Rz.log, QVset.ini ... lie there; common/folders/DataFolder.h says which folder it is),
// and the system's folders the tools it starts. Every program and file is named by its
// full path, never looked for through the search order, which would look in the program's
// own and the current folder first, where anyone who can write them may have put a
// program of the same name.

#include <string>
#include <string_view>

namespace qv::platform {

class Folders {
public:
    virtual ~Folders() = default;
    // Without a trailing backslash, except for the root of a drive ("E:\").
    virtual std::string programFolder() = 0;
    virtual std::string dataFolder() = 0;
    virtual std::string systemFolder() = 0;   // C:\Windows\System32
    virtual std::string windowsFolder() = 0;  // C:\Windows
};

// `name` in `folder`, with one backslash between them.
std::string inFolder(std::string_view folder, std::string_view name);

// The lower-case letter of the drive that holds `path` ('e' for "E:\QV"); 0 for a path
// that does not begin with one.
char driveLetterOf(std::string_view path);

// A file shipped beside the program ("Cup.reg", "Filedir.exe").
inline std::string shippedFile(Folders& folders, std::string_view name) {
    return inFolder(folders.programFolder(), name);
}
// A tool of the system folder: cmd.exe, attrib.exe, reg.exe, taskkill.exe, tasklist.exe.
inline std::string systemTool(Folders& folders, std::string_view name) {
    return inFolder(folders.systemFolder(), name);
}
// A program of the Windows folder: explorer.exe, notepad.exe, regedit.exe.
inline std::string windowsTool(Folders& folders, std::string_view name) {
    return inFolder(folders.windowsFolder(), name);
}

}  // namespace qv::platform
