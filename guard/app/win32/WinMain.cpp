// QVud.exe: the guard with its real services and real windows. Everything runs on this one
// thread: the start-up, then the message loop, in which the windows' events and the
// timers run the guard. The program takes no command-line arguments; its current folder
// is the folder of its own file.

#include <windows.h>

#include "common/win32/Text.h"
#include "common/win32/Win32RemovalFiles.h"
#include "guard/app/Guard.h"
#include "guard/main_window/SingleCopy.h"
#include "guard/platform/Services.h"
#include "guard/platform/win32/host/Win32Host.h"
#include "guard/platform/win32/services/Win32Clock.h"
#include "guard/platform/win32/services/Win32FileSystem.h"
#include "guard/platform/win32/services/Win32Processes.h"
#include "guard/platform/win32/services/Win32Registry.h"
#include "guard/platform/win32/services/Win32SingleInstance.h"
#include "guard/platform/win32/services/Win32Skin.h"
#include "guard/platform/win32/services/Win32WebVisit.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // The single-instance test comes first, before anything of the guard exists: a copy
    // refused here has made no form, no timer and no file, so nothing of it runs while its
    // notice is open.
    qv::win32::Win32SingleInstance singleInstance;
    qv::win32::Win32Host host(instance);
    if (qv::refusedAsSecondCopy(host, singleInstance)) return 0;

    qv::win32::Win32FileSystem files;
    qv::win32::Win32RemovalFiles removalFiles;
    qv::win32::Win32Processes processes;
    qv::win32::Win32Registry registry;
    qv::win32::Win32Clock clock;
    qv::win32::Win32Skin skin;
    qv::win32::Win32WebVisit web;
    qv::platform::Services services{files, removalFiles, processes, registry, clock, skin, web};

    // The settings files, the log and the registry files are named by bare names, so they
    // are looked for in the current folder; Windows starts a program from the Run key (and
    // from a shortcut) with some other one. The program's own folder is where they live.
    std::string folder = processes.programFolder();
    if (!folder.empty()) SetCurrentDirectoryW(qv::win32::toWide(folder).c_str());

    qv::Guard guard(host, services);
    guard.start();
    host.onVolumeArrival([&guard] { guard.volumeArrived(); });
    // Forms unloaded by a handler are destroyed between messages, when none of their
    // handlers can still be running.
    return host.run([&guard] { guard.collectUnloadedForms(); });
}
