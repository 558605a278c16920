// qvdrive LETTER TYPE [FOLDER]: defines drive LETTER over FOLDER (a Unix or Windows path)
// with TYPE one of floppy (removable), hd (fixed), network, cdrom, ramdisk; or removes it
// with TYPE "remove". Running programs see the change at once, as with a stick plugged
// in or pulled out.

#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/wine/tools/TestKit.h"

namespace {

UINT driveTypeNamed(const std::wstring& name) {
    if (name == L"floppy" || name == L"removable") return DRIVE_REMOVABLE;
    if (name == L"hd" || name == L"fixed") return DRIVE_FIXED;
    if (name == L"network") return DRIVE_REMOTE;
    if (name == L"cdrom") return DRIVE_CDROM;
    if (name == L"ramdisk") return DRIVE_RAMDISK;
    return DRIVE_UNKNOWN;
}

int usage() {
    std::fputs(
        "usage: qvdrive LETTER floppy|hd|network|cdrom|ramdisk FOLDER\n"
        "       qvdrive LETTER remove\n",
        stderr);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace qv::testkit;
    if (argc < 3 || std::wstring(argv[1]).size() != 1) return usage();
    wchar_t letterW = argv[1][0];
    if (letterW > 0x7f) return usage();
    char letter = static_cast<char>(letterW);
    std::wstring type = argv[2];
    if (type == L"remove") {
        if (argc != 3) return usage();
        if (!removeDrive(letter)) {
            std::fprintf(stderr, "qvdrive: cannot remove %c: (error %lu)\n", letter,
                         GetLastError());
            return 1;
        }
        return 0;
    }
    UINT driveType = driveTypeNamed(type);
    if (driveType == DRIVE_UNKNOWN || argc != 4) return usage();
    auto unix = unixPath(argv[3]);
    if (!unix) {
        std::fprintf(stderr, "qvdrive: no Unix path for %ls\n", argv[3]);
        return 1;
    }
    if (!defineDrive(letter, driveType, *unix)) {
        std::fprintf(stderr, "qvdrive: cannot define %c: (error %lu)\n", letter, GetLastError());
        return 1;
    }
    return 0;
}
