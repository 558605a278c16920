// QVud.exe: the guard with its real services and real windows. Everything runs on this one
// thread: the start-up, then the message loop, in which the windows' events and the
// timers run the guard. The program takes no command-line arguments; its current folder
// is its data folder (common/folders/DataFolder.h), where the files it writes by their bare
// names live.

#include <windows.h>

#include "common/win32/Folders.h"
#include "common/win32/SystemError.h"
#include "common/win32/SystemLibraries.h"
#include "common/win32/Text.h"
#include "common/win32/Win32RemovalFiles.h"
#include "guard/app/Guard.h"
#include "guard/main_window/DataFolderNotice.h"
#include "guard/main_window/SingleCopy.h"
#include "guard/platform/Services.h"
#include "guard/platform/win32/host/Win32Host.h"
#include "guard/platform/win32/services/Win32Clock.h"
#include "guard/platform/win32/services/Win32Elevation.h"
#include "guard/platform/win32/services/Win32FileSystem.h"
#include "guard/platform/win32/services/Win32Folders.h"
#include "guard/platform/win32/services/Win32Processes.h"
#include "guard/platform/win32/services/Win32Registry.h"
#include "guard/platform/win32/services/Win32SingleInstance.h"
#include "guard/platform/win32/services/Win32Skin.h"
#include "guard/platform/win32/services/Win32WebVisit.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    qv::win32::searchLibrariesInSystemFolderOnly();
    // The single-instance test comes first, before anything of the guard exists: a copy
    // refused here has made no form, no timer and no file, so nothing of it runs while its
    // notice is open.
    qv::win32::Win32SingleInstance singleInstance;
    qv::win32::Win32Host host(instance);
    if (qv::refusedAsSecondCopy(host, singleInstance)) return 0;

    // The settings files, the log and the process list are named by bare names, so they
    // lie in the current folder; Windows starts a program from the Run key (and from a
    // shortcut) in some other one. The data folder is made the current one, made first when
    // it is not there yet. When it cannot be made (a policy forbids it), the guard still
    // runs, in its program folder: what it cannot write there it says at each attempt, and
    // the user hears now why.
    const std::string programFolder = qv::win32::programFolder();
    const std::string dataFolder = qv::win32::dataFolder();
    qv::Status dataReady = qv::win32::makeFolder(dataFolder);
    if (dataReady && !SetCurrentDirectoryW(qv::win32::toWide(dataFolder).c_str()))
        dataReady = qv::win32::lastErrorFailure();
    if (!dataReady) SetCurrentDirectoryW(qv::win32::toWide(programFolder).c_str());

    qv::win32::Win32FileSystem files;
    qv::win32::Win32RemovalFiles removalFiles;
    qv::win32::Win32Folders folders(dataReady ? dataFolder : programFolder);
    qv::win32::Win32Processes processes;
    qv::win32::Win32Elevation elevation;
    qv::win32::Win32Registry registry;
    qv::win32::Win32Clock clock;
    qv::win32::Win32Skin skin;
    qv::win32::Win32WebVisit web;
    qv::platform::Services services{files,    removalFiles, folders, processes, elevation,
                                    registry, clock,        skin,    web};

    qv::Guard guard(host, services);
    guard.start();
    if (!dataReady) {
        host.messageBox(
            qv::dataFolderRefusedMessage(dataFolder, dataReady.description(), programFolder),
            "错误", qv::ui::MsgButtons::Ok);
    }
    host.onVolumeArrival([&guard](std::uint32_t letters) { guard.volumeArrived(letters); });
    // Forms unloaded by a handler are destroyed between messages, when none of their
    // handlers can still be running.
    return host.run([&guard] { guard.collectUnloadedForms(); });
}
