#pragma once
// What the setup program's Wine tests share: the package's files, the places an
// installation leaves things (folder, Start menu, registry, data folder), the guard's badge,
// the uninstall wizard, and clearing all of it away again.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/wine/tools/TestKit.h"

namespace qv::setup::test {

inline const wchar_t* const kUninstallKey =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QVud";
inline const wchar_t* const kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

bool exists(const std::wstring& path);
// The package's files, relative to the installation folder, as the build listed them.
std::vector<std::wstring> packageFiles();
std::wstring menuFolder();
// %ProgramData%\QVu盘卫士 and the default installation folder under Program Files.
std::wstring sharedDataFolder();
std::wstring defaultInstallFolder();
bool keyExists(const wchar_t* key);
// A string value under HKEY_LOCAL_MACHINE; nullopt when there is none.
std::optional<std::wstring> machineString(const wchar_t* key, const wchar_t* value);
// The names of what a folder holds, for a failure message.
std::string folderEntries(const std::wstring& folder);
// The guard's badge, of whichever process shows it (of `processId` when not 0).
HWND findBadge(DWORD processId = 0);
std::wstring processImage(DWORD pid);
HWND awaitTopWindow(const std::wstring& title, const std::wstring& className = L"#32770");
// Clicks the wizard's uninstall picture, as the user does, and waits for the report.
HWND uninstallAndAwaitReport(HWND wizard);
// Whatever an installation left: the folder, the Start menu folder, the registry and the
// shared data folder.
void removeInstallation(const std::wstring& folder);

// Control ids of the uninstall wizard.
constexpr int kWizardMessage = 101, kUninstallFace = 105;

}  // namespace qv::setup::test
