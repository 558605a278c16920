// The monitor pass benchmark on the real Win32 services, over a drive simulated by Wine's
// mount manager.

#include <windows.h>

#include <chrono>
#include <memory>
#include <string>

#include "bench/tick/TickBench.h"
#include "common/win32/Folders.h"
#include "common/win32/UniqueHandle.h"
#include "common/win32/Win32RemovalFiles.h"
#include "guard/platform/win32/services/Win32Clock.h"
#include "guard/platform/win32/services/Win32Elevation.h"
#include "guard/platform/win32/services/Win32FileSystem.h"
#include "guard/platform/win32/services/Win32Folders.h"
#include "guard/platform/win32/services/Win32Processes.h"
#include "guard/platform/win32/services/Win32Registry.h"
#include "guard/platform/win32/services/Win32Skin.h"
#include "guard/platform/win32/services/Win32WebVisit.h"
#include "tests/wine/tools/TestKit.h"

namespace {

// The drive's entries. Wine looks for a name it is about to create among all of a
// folder's entries without regard to case, so making 100,000 of them one by one through
// Wine takes hours; a large root is made by the Unix shell instead, as a stick written
// on another system would arrive, its shortcuts copied from one written beside the lists.
bool makeEntries(const std::wstring& folder, const qv::bench::RootContent& content) {
    const std::string shortcut = qv::bench::shortcutFile();
    if (content.folders.size() + content.files.size() < 10000) {
        for (const auto& name : content.folders) {
            if (!CreateDirectoryW((folder + L"\\" + qv::testkit::wide(name)).c_str(), nullptr))
                return false;
        }
        for (const auto& name : content.files) {
            if (!qv::testkit::writeBytes(folder + L"\\" + qv::testkit::wide(name), "MZ"))
                return false;
        }
        for (const auto& name : content.shortcuts) {
            if (!qv::testkit::writeBytes(folder + L"\\" + qv::testkit::wide(name), shortcut))
                return false;
        }
        return true;
    }
    static qv::testkit::TempFolder lists(L"qv-bench-lists");
    std::string folders, files, shortcuts;
    for (const auto& name : content.folders) folders += name + "\n";
    for (const auto& name : content.files) files += name + "\n";
    for (const auto& name : content.shortcuts) shortcuts += name + "\n";
    auto unixFolder = qv::testkit::unixPath(folder);
    auto unixLists = qv::testkit::unixPath(lists.path());
    if (!unixFolder || !unixLists || !qv::testkit::writeBytes(lists / L"folders", folders) ||
        !qv::testkit::writeBytes(lists / L"files", files) ||
        !qv::testkit::writeBytes(lists / L"shortcuts", shortcuts) ||
        !qv::testkit::writeBytes(lists / L"shortcut.lnk", shortcut))
        return false;
    std::wstring script =
        qv::testkit::wide("cd '" + *unixFolder + "' && xargs mkdir < '" + *unixLists +
                          "/folders' && xargs -n 1 cp '" + *unixLists + "/shortcut.lnk' < '" +
                          *unixLists + "/shortcuts' && xargs touch < '" + *unixLists + "/files'");
    std::wstring command = L"Z:\\bin\\sh -c \"" + script + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &started))
        return false;
    qv::win32::UniqueKernelHandle process(started.hProcess), thread(started.hThread);
    WaitForSingleObject(process.get(), 600000);
    // A Unix process's exit code does not come back through Wine: look at the last entry.
    std::wstring last = folder + L"\\" + qv::testkit::wide(content.files.back());
    return qv::testkit::waitFor(
        [&] { return GetFileAttributesW(last.c_str()) != INVALID_FILE_ATTRIBUTES; },
        std::chrono::seconds(60));
}

}  // namespace

int wmain() {
    qv::win32::Win32FileSystem files;
    qv::win32::Win32Folders folders(qv::win32::dataFolder());
    qv::win32::Win32Processes processes;
    qv::win32::Win32Elevation elevation;
    qv::win32::Win32Registry registry;
    qv::win32::Win32Clock clock;
    qv::win32::Win32Skin skin;
    qv::win32::Win32WebVisit web;
    qv::win32::Win32RemovalFiles removalFiles;
    qv::platform::Services services{files,    removalFiles, folders, processes, elevation,
                                    registry, clock,        skin,    web};

    std::unique_ptr<qv::testkit::TempFolder> folder;
    std::unique_ptr<qv::testkit::SimulatedDrive> drive;
    qv::bench::TickBenchPlatform platform{
        services,
        [&](int entries) -> std::string {
            folder = std::make_unique<qv::testkit::TempFolder>(L"qv-bench");
            qv::bench::RootContent content = qv::bench::rootContent(entries);
            if (!makeEntries(folder->path(), content)) return "";
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
            qv::win32::UniqueFind search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry,
                                                          FindExSearchNameMatch, nullptr,
                                                          FIND_FIRST_EX_LARGE_FETCH));
            long n = 0;
            if (!search) return n;
            do ++n;
            while (FindNextFileW(search.get(), &entry));
            return n;
        },
        {}};
    return qv::bench::runTickBench(platform, "Wine, Win32 services");
}
