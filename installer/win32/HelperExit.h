#pragma once
// The exit codes of qvsetup-helper.exe; the setup program names each to the user.

namespace qv::setup {

enum class HelperExit {
    Done = 0,
    Usage = 2,                  // the command line was not understood
    ManifestUnreadable = 3,     // the list of the package's files could not be read
    PathRefused = 4,            // a path cannot stand in the script (see uninstallScript)
    NotRepresentable = 5,       // a path has characters the system code page lacks
    WriteFailed = 6,            // Xz.ini could not be written
    DataFolderFailed = 7,       // the shared data folder could not be made or opened up
    NotStarted = 8,             // the program could not be started with the user's rights
    FolderHoldsOtherFiles = 9,  // outside Program Files, the folder holds other files
    FolderNotPlain = 10,        // the installation folder is a link or junction
    FolderNotProtected = 11,    // the installation folder could not be given its list
    GuardRunning = 12,          // a guard of the installation folder runs, in any session
    FolderPlaceNotSafe = 13     // another user could put a folder in the installation's place
};

}  // namespace qv::setup
