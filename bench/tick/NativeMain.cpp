// The monitor pass benchmark on the drive-table services, over a temporary folder.

#include <dirent.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <random>
#include <string>

#include "bench/tick/TickBench.h"
#include "common/posix/DriveTableRemovalFiles.h"
#include "guard/platform/posix/DriveTableFileSystem.h"
#include "guard/platform/posix/MemoryServices.h"

namespace fs = std::filesystem;

namespace {
std::atomic<long> allocationCount{0};
}

// Every allocation of the process is counted, to show what an idle check costs the heap.
void* operator new(std::size_t size) {
    ++allocationCount;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

int main() {
    fs::path base =
        fs::temp_directory_path() / ("qv-bench-" + std::to_string(std::random_device{}()));
    fs::create_directories(base / "cwd");
    qv::posix::DriveTableFileSystem files(base / "cwd");
    qv::posix::FixedFolders folders;
    qv::posix::RecordingProcesses processes;
    qv::posix::ScriptedElevation elevation;
    qv::posix::MemoryRegistry registry;
    qv::posix::ManualClock clock;
    qv::posix::RecordingSkin skin;
    qv::posix::RecordingWebVisit web;
    qv::posix::DriveTableRemovalFiles removalFiles(
        base / "cwd", [&files](const std::string& path) { return files.hostPathOnDrive(path); },
        files.marks());
    qv::platform::Services services{files,    removalFiles, folders, processes, elevation,
                                    registry, clock,        skin,    web};

    fs::path stick = base / "e";
    qv::bench::TickBenchPlatform platform{
        services,
        [&](int entries) -> std::string {
            fs::create_directories(stick);
            qv::bench::RootContent content = qv::bench::rootContent(entries);
            for (const auto& name : content.folders) fs::create_directory(stick / name);
            for (const auto& name : content.files) std::ofstream(stick / name) << "MZ";
            const std::string shortcut = qv::bench::shortcutFile();
            for (const auto& name : content.shortcuts) {
                std::ofstream(stick / name, std::ios::binary) << shortcut;
            }
            files.addDrive('e', qv::platform::DriveType::Removable, stick);
            return "e:\\";
        },
        [&] {
            files.removeDrive('e');
            fs::remove_all(stick);
        },
        // readdir itself, whose entries carry their kind: the least a listing can cost.
        [&](const std::string&) {
            long n = 0;
            if (DIR* dir = ::opendir(stick.c_str())) {
                while (::readdir(dir)) ++n;
                ::closedir(dir);
            }
            return n;
        },
        [] { return allocationCount.load(); }};
    int result = qv::bench::runTickBench(platform, "native, drive-table services");
    fs::remove_all(base);
    return result;
}
