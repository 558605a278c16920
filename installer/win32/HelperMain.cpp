// qvsetup-helper.exe: what the setup program does with the product's own code, run from
// the setup's temporary folder while it installs.
//
//   qvsetup-helper.exe write-xz <folder> <manifest> <menu folder> <shortcut>...
//
// writes <folder>\Xz.ini for the files the manifest lists (UTF-8, one name relative to
// the folder a line, as the package was built), the guard's files in the folder and in the
// shared data folder, and the shortcuts in the Start menu folder.
//
//   qvsetup-helper.exe program-folder <folder>
//   qvsetup-helper.exe check-program-folder <folder>
//
// readies the installation folder: outside Program Files, only administrators may change
// it (see ProgramFolder.h); or only tells whether it could, while the user still chooses.
//
//   qvsetup-helper.exe guard-running <folder>
//
// tells (GuardRunning) whether <folder>\QVud.exe runs, for any user in any session: the
// guard's single-instance mutex shows the setup only one of its own session.
//
//   qvsetup-helper.exe data-folder
//
// makes the shared data folder (%ProgramData%\QVu盘卫士), in which the local Users group may
// modify what is there but not the folder itself (see SharedDataFolder.h).
//
//   qvsetup-helper.exe run-as-user <program>
//
// starts <program> with the rights of the user who is logged on, never the setup's.
//
// The exit code tells the setup program what happened (HelperExit).

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

#include "common/win32/FileBytes.h"
#include "common/win32/Folders.h"
#include "common/win32/Privileges.h"
#include "common/win32/RunningProcesses.h"
#include "common/win32/SystemLibraries.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "common/xz/XzFormat.h"
#include "common/xz/XzLines.h"
#include "installer/script/UninstallScript.h"
#include "installer/win32/AnsiFile.h"
#include "installer/win32/HelperExit.h"
#include "installer/win32/ProgramFolder.h"
#include "installer/win32/SharedDataFolder.h"
#include "installer/win32/UnelevatedStart.h"

namespace {

using namespace qv::setup;
using qv::win32::toUtf8;

constexpr std::size_t kMaxManifestBytes = 1024 * 1024;

// The names the manifest lists; empty lines are none. Nothing when it cannot be read.
std::optional<std::vector<std::string>> readManifest(const std::wstring& path) {
    qv::win32::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    if (!qv::win32::readUpTo(file.get(), kMaxManifestBytes + 1, bytes).ok() ||
        bytes.size() > kMaxManifestBytes) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (std::string& line : qv::xz::splitLines(bytes)) {
        if (!line.empty()) names.push_back(std::move(line));
    }
    return names;
}

HelperExit writeScript(const std::vector<std::wstring>& args) {
    if (args.size() < 3) return HelperExit::Usage;
    std::optional<std::vector<std::string>> files = readManifest(args[1]);
    if (!files) return HelperExit::ManifestUnreadable;
    Installation installation{toUtf8(args[0]),           std::move(*files),
                              toUtf8(args[2]),           {},
                              qv::win32::systemFolder(), qv::win32::sharedDataFolder()};
    for (std::size_t i = 3; i < args.size(); ++i) installation.shortcuts.push_back(toUtf8(args[i]));

    UninstallScript script = uninstallScript(installation);
    if (script.text.empty()) return HelperExit::PathRefused;
    switch (win32::writeAnsiFile(args[0] + L"\\" + qv::win32::toWide(qv::xz::kScriptName),
                                 script.text)) {
        case win32::AnsiWrite::Written:
            return HelperExit::Done;
        case win32::AnsiWrite::NotRepresentable:
            return HelperExit::NotRepresentable;
        case win32::AnsiWrite::Failed:
            break;
    }
    return HelperExit::WriteFailed;
}

HelperExit makeDataFolder() {
    std::string folder = qv::win32::sharedDataFolder();
    if (folder.empty()) return HelperExit::DataFolderFailed;
    return win32::makeSharedDataFolder(qv::win32::toWide(folder)).ok()
               ? HelperExit::Done
               : HelperExit::DataFolderFailed;
}

HelperExit prepareProgramFolder(const std::wstring& folder, bool change) {
    switch (win32::prepareProgramFolder(folder, change)) {
        case win32::ProgramFolderResult::Ready:
            return HelperExit::Done;
        case win32::ProgramFolderResult::HoldsOtherFiles:
            return HelperExit::FolderHoldsOtherFiles;
        case win32::ProgramFolderResult::NotPlainFolder:
            return HelperExit::FolderNotPlain;
        case win32::ProgramFolderResult::PlaceNotSafe:
            return HelperExit::FolderPlaceNotSafe;
        case win32::ProgramFolderResult::Failed:
            break;
    }
    return HelperExit::FolderNotProtected;
}

HelperExit guardRunning(const std::wstring& folder) {
    qv::win32::enablePrivilege(SE_DEBUG_NAME);
    bool running = false;
    qv::win32::forEachProcessOf(folder + L"\\QVud.exe", SYNCHRONIZE,
                                [&running](HANDLE) { running = true; });
    return running ? HelperExit::GuardRunning : HelperExit::Done;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    qv::win32::searchLibrariesInSystemFolderOnly();
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return static_cast<int>(HelperExit::Usage);
    std::vector<std::wstring> args(argv + (count > 0 ? 1 : 0), argv + count);
    LocalFree(argv);
    if (args.empty()) return static_cast<int>(HelperExit::Usage);
    const std::wstring verb = args[0];
    args.erase(args.begin());
    if (verb == L"write-xz") return static_cast<int>(writeScript(args));
    if ((verb == L"program-folder" || verb == L"check-program-folder") && args.size() == 1) {
        return static_cast<int>(prepareProgramFolder(args[0], verb == L"program-folder"));
    }
    if (verb == L"guard-running" && args.size() == 1) {
        return static_cast<int>(guardRunning(args[0]));
    }
    if (verb == L"data-folder" && args.empty()) return static_cast<int>(makeDataFolder());
    if (verb == L"run-as-user" && args.size() == 1) {
        return static_cast<int>(win32::startUnelevated(args[0]).ok() ? HelperExit::Done
                                                                     : HelperExit::NotStarted);
    }
    return static_cast<int>(HelperExit::Usage);
}
