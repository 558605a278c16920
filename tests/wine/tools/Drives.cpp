// Simulated drives through Wine's mount manager, the way winecfg defines drives: one
// IOCTL_MOUNTMGR_DEFINE_UNIX_DRIVE request per change on \\.\MountPointManager, with the
// drive letter, its DRIVE_* type and the Unix folder behind it (DRIVE_NO_ROOT_DIR and no
// folder remove the drive). Wine keeps the change in the prefix: dosdevices and
// HKLM\Software\Wine\Drives.

#include <windows.h>
#include <winioctl.h>

#include <chrono>
#include <cstddef>
#include <cstring>
#include <vector>

#include "tests/wine/tools/TestKit.h"

namespace qv::testkit {

namespace {

// Wine's own extension of the mount manager, as Wine 8 declares it in its public
// include/ddk/mountmgr.h (mingw-w64 ships an older, shorter form of the request).
constexpr wchar_t kMountManager[] = L"\\\\.\\MountPointManager";
constexpr DWORD kDefineUnixDrive =
    CTL_CODE(static_cast<DWORD>('m'), 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct UnixDriveRequest {
    ULONG size;               // the whole request, strings included
    ULONG type;               // DRIVE_*; DRIVE_NO_ROOT_DIR removes the drive
    ULONG fsType;             // 0: NTFS
    DWORD serial;             // 0: none given
    ULONGLONG unixDevice;     // 0: none
    WCHAR letter;             // 'a'..'z'
    USHORT mountPointOffset;  // the Unix folder, NUL-ended bytes; 0 for none
    USHORT deviceOffset;      // the Unix device; 0 for none
    USHORT labelOffset;       // the volume label; 0 for none
};
static_assert(sizeof(UnixDriveRequest) == 32 && offsetof(UnixDriveRequest, letter) == 24);

// Wine starts its device drivers, the mount manager among them, with each session of a
// prefix; a program that asks while they are still starting (the first tests on a fresh
// machine, where everything starts slowly) finds no such device yet. Its absence is waited
// out for a bounded time; once the manager is there, its answer is final.
constexpr auto kMountManagerPatience = std::chrono::seconds(30);

HANDLE openMountManager() {
    const auto deadline = std::chrono::steady_clock::now() + kMountManagerPatience;
    for (;;) {
        HANDLE manager =
            CreateFileW(kMountManager, GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (manager != INVALID_HANDLE_VALUE) return manager;
        DWORD error = GetLastError();
        bool absent = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        if (!absent || std::chrono::steady_clock::now() >= deadline) {
            SetLastError(error);
            return INVALID_HANDLE_VALUE;
        }
        Sleep(100);
    }
}

char lower(char letter) {
    return (letter >= 'A' && letter <= 'Z') ? static_cast<char>(letter - 'A' + 'a') : letter;
}

bool askMountManager(char letter, UINT driveType, const std::string& unixFolder) {
    letter = lower(letter);
    if (letter < 'a' || letter > 'z' || unixFolder.find('\0') != std::string::npos) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (unixFolder.size() > 32000) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    std::vector<char> request(sizeof(UnixDriveRequest) + unixFolder.size() + 1, '\0');
    UnixDriveRequest header{};
    header.size = static_cast<ULONG>(request.size());
    header.type = driveType;
    header.letter = static_cast<WCHAR>(letter);
    header.mountPointOffset =
        unixFolder.empty() ? 0 : static_cast<USHORT>(sizeof(UnixDriveRequest));
    std::memcpy(request.data(), &header, sizeof header);
    std::memcpy(request.data() + sizeof header, unixFolder.data(), unixFolder.size());

    HANDLE manager = openMountManager();
    if (manager == INVALID_HANDLE_VALUE) return false;
    DWORD returned = 0;
    BOOL done = DeviceIoControl(manager, kDefineUnixDrive, request.data(),
                                static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr);
    DWORD error = GetLastError();
    CloseHandle(manager);
    SetLastError(error);
    return done != FALSE;
}

template <typename Function>
Function kernel32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

}  // namespace

bool defineDrive(char letter, UINT driveType, const std::string& unixFolder) {
    if (unixFolder.empty() || driveType <= DRIVE_NO_ROOT_DIR || driveType > DRIVE_RAMDISK) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return askMountManager(letter, driveType, unixFolder);
}

bool removeDrive(char letter) {
    return askMountManager(letter, DRIVE_NO_ROOT_DIR, "");
}

std::optional<std::string> unixPath(const std::wstring& windowsPath) {
    if (!windowsPath.empty() && windowsPath[0] == L'/') return utf8(windowsPath);
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = kernel32Function<ToUnix>("wine_get_unix_file_name");
    if (toUnix == nullptr) return std::nullopt;
    char* path = toUnix(windowsPath.c_str());
    if (path == nullptr) return std::nullopt;
    std::string result = path;
    HeapFree(GetProcessHeap(), 0, path);
    return result;
}

std::wstring windowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return wide(path);
    using ToDos = WCHAR*(CDECL*)(const char*);
    auto toDos = kernel32Function<ToDos>("wine_get_dos_file_name");
    if (toDos == nullptr) return {};
    WCHAR* dos = toDos(path.c_str());
    if (dos == nullptr) return {};
    std::wstring result = dos;
    HeapFree(GetProcessHeap(), 0, dos);
    return result;
}

std::optional<char> freeDriveLetter(char from) {
    DWORD used = GetLogicalDrives();
    for (char letter = lower(from); letter >= 'a' && letter <= 'y'; ++letter) {
        if (!(used & (1u << (letter - 'a')))) return letter;
    }
    return std::nullopt;
}

SimulatedDrive::SimulatedDrive(char letter, UINT driveType, const std::wstring& folder)
    : letter_(lower(letter)) {
    auto unix = unixPath(folder);
    defined_ = unix && defineDrive(letter_, driveType, *unix);
}

SimulatedDrive::~SimulatedDrive() {
    remove();
}

std::wstring SimulatedDrive::root() const {
    return std::wstring{static_cast<wchar_t>(letter_), L':', L'\\'};
}

void SimulatedDrive::remove() {
    if (defined_) removeDrive(letter_);
    defined_ = false;
}

}  // namespace qv::testkit
