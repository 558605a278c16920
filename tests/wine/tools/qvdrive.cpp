// qvdrive: defines or removes a simulated drive of the running Wine prefix, as plugging a
// stick in or pulling it out does.
//     qvdrive x floppy|removable|hd|fixed|network|cdrom|ramdisk FOLDER
//     qvdrive x remove
// FOLDER is a Unix path or a Windows path of an existing folder.

#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/wine/tools/TestKit.h"

namespace {

UINT typeNamed(const std::wstring& name) {
    if (name == L"floppy" || name == L"removable") return DRIVE_REMOVABLE;
    if (name == L"hd" || name == L"fixed") return DRIVE_FIXED;
    if (name == L"network") return DRIVE_REMOTE;
    if (name == L"cdrom") return DRIVE_CDROM;
    if (name == L"ramdisk") return DRIVE_RAMDISK;
    return DRIVE_UNKNOWN;
}

int usage() {
    std::fputs(
        "usage: qvdrive LETTER floppy|removable|hd|fixed|network|cdrom|ramdisk FOLDER\n"
        "       qvdrive LETTER remove\n",
        stderr);
    return 2;
}

int failed(const char* what) {
    std::fprintf(stderr, "qvdrive: %s (error %lu)\n", what, GetLastError());
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace qv::testkit;
    if (argc < 3 || std::wstring(argv[1]).size() != 1) return usage();
    char letter = static_cast<char>(argv[1][0]);
    std::wstring kind = argv[2];
    if (kind == L"remove" && argc == 3) {
        return removeDrive(letter) ? 0 : failed("the drive could not be removed");
    }
    UINT type = typeNamed(kind);
    if (type == DRIVE_UNKNOWN || argc != 4) return usage();
    auto folder = unixPath(argv[3]);
    if (!folder) return failed("no Unix path for that folder");
    return defineDrive(letter, type, *folder) ? 0 : failed("the drive could not be defined");
}
