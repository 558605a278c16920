// The monitor pass benchmark on the real Win32 services, over a drive simulated by Wine's
// mount manager.

#include <windows.h>

#include <memory>
#include <string>

#include "bench/tick/TickBench.h"
#include "guard/platform/win32/services/Win32Clock.h"
#include "guard/platform/win32/services/Win32FileSystem.h"
#include "guard/platform/win32/services/Win32Processes.h"
#include "guard/platform/win32/services/Win32Registry.h"
#include "guard/platform/win32/services/Win32SingleInstance.h"
#include "guard/platform/win32/services/Win32Skin.h"
#include "guard/platform/win32/services/Win32WebVisit.h"
#include "tests/wine/tools/TestKit.h"

int wmain() {
    qv::win32::Win32FileSystem files;
    qv::win32::Win32Processes processes;
    qv::win32::Win32Registry registry;
    qv::win32::Win32Clock clock;
    qv::win32::Win32SingleInstance instance;
    qv::win32::Win32Skin skin;
    qv::win32::Win32WebVisit web;
    qv::platform::Services services{files, processes, registry, clock, instance, skin, web};

    std::unique_ptr<qv::testkit::TempFolder> folder;
    std::unique_ptr<qv::testkit::SimulatedDrive> drive;
    qv::bench::TickBenchPlatform platform{
        services,
        [&](int entries) -> std::string {
            folder = std::make_unique<qv::testkit::TempFolder>(L"qv-bench");
            qv::bench::RootContent content = qv::bench::rootContent(entries);
            for (const auto& name : content.folders) {
                if (!CreateDirectoryW((*folder / qv::testkit::wide(name)).c_str(), nullptr))
                    return "";
            }
            for (const auto& name : content.files) {
                if (!qv::testkit::writeBytes(*folder / qv::testkit::wide(name), "MZ")) return "";
            }
            auto letter = qv::testkit::freeDriveLetter();
            if (!letter) return "";
            drive = std::make_unique<qv::testkit::SimulatedDrive>(*letter, DRIVE_REMOVABLE,
                                                                  folder->path());
            if (!drive->ok()) return "";
            return qv::testkit::utf8(drive->root());
        },
        [&] {
            drive.reset();
            folder.reset();
        },
        [&](const std::string& root) {
            std::wstring pattern = qv::testkit::wide(root) + L"*";
            WIN32_FIND_DATAW entry;
            HANDLE search =
                FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                 nullptr, FIND_FIRST_EX_LARGE_FETCH);
            long n = 0;
            if (search == INVALID_HANDLE_VALUE) return n;
            do ++n;
            while (FindNextFileW(search, &entry));
            FindClose(search);
            return n;
        },
        {}};
    return qv::bench::runTickBench(platform, "Wine, Win32 services");
}
