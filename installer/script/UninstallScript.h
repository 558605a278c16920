#pragma once
// The uninstall script Xz.ini that the setup program writes beside QVuninst.exe: the
// title, a farewell text, every file of the installation and of the guard's own making
// to delete, and the commands that remove what deleting files cannot.

#include <string>
#include <string_view>
#include <vector>

namespace qv::setup {

inline constexpr std::string_view kProductTitle = "QVu盘卫士";
inline constexpr std::string_view kUninstallerName = "QVuninst.exe";
// The skin the skin changer puts in the data folder.
inline constexpr std::string_view kChosenSkin = "Pifu.she";

// The Run value the guard's autostart writes, and the product's entry of "Programs and
// Features" the setup program writes.
inline constexpr std::string_view kRunKey =
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunValue = "QVud";
inline constexpr std::string_view kUninstallKey =
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QVud";

struct Installation {
    std::string folder;                  // absolute, without a trailing backslash
    std::vector<std::string> files;      // installed files, relative to folder ("skins\a.she")
    std::string menuFolder;              // the Start menu folder; empty when there is none
    std::vector<std::string> shortcuts;  // the shortcuts' file names in menuFolder
    // The system folder, whose reg.exe and ping.exe the commands start by full path.
    std::string systemFolder = "C:\\Windows\\system32";
    // The shared data folder (%ProgramData%\QVu盘卫士) where an installed guard keeps its
    // files; empty when there is none.
    std::string dataFolder = "";
};

struct UninstallScript {
    std::string text;   // UTF-8, CR LF line ends; empty when the installation is refused
    std::string error;  // why it is refused, for the user; empty when text is made
};

// The script for `installation`. The delete list names the installed files and the files
// the guard makes at run time, in the installation folder (a guard that can write there
// keeps them beside itself) and in the data folder. The commands, which the uninstaller
// runs only once every listed file is gone, remove the registry values, the Start menu
// folder, the quarantine and the data folder with whatever else it holds. QVuninst.exe
// cannot delete itself while it runs, so it and the script are not in the delete list:
// the last command waits until the uninstaller has ended, then deletes both and removes
// the folders that are left empty (never a folder that still holds something: the user
// may have chosen a folder of his own). Every program is named by its full path.
// Refused when a path could not be written as one line of the script or used inside
// double quotes of a command line (a line break, a double quote, a percent sign, which
// the command interpreter would expand).
UninstallScript uninstallScript(const Installation& installation);

}  // namespace qv::setup
