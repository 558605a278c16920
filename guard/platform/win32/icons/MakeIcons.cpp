// Writes the programs' icon files into the folder named by its one argument: QVud.ico
// (the badge's shield, also the uninstaller's and the setup program's), Filedir.ico (the
// file browser's folder) and Pifushe.ico (the skin changer's palette), and the setup
// program's two pictures, SetupSide.bmp and SetupHeader.bmp. Run by the build on the
// building machine, before the programs' resources and the setup program are made. A new
// file here is named in CMakeLists.txt beside this file too, and taken by a program's
// .rc file or by the setup script.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "guard/platform/win32/icons/IconFile.h"
#include "guard/platform/win32/icons/SetupBitmaps.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    struct Icon {
        const char* file;
        const char* picture;
    };
    auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
        if (!bytes.empty() && (out << bytes) && out.flush()) return true;
        std::fprintf(stderr, "could not write %s\n", (folder / name).c_str());
        return false;
    };
    for (Icon icon : {Icon{"QVud.ico", "app"}, Icon{"Filedir.ico", "tool_files"},
                      Icon{"Pifushe.ico", "tool_skin"}}) {
        if (!write(icon.file, qv::icons::iconFileOf(icon.picture, qv::icons::kIconSizes))) {
            return 1;
        }
    }
    return write("SetupSide.bmp", qv::icons::setupSideBitmapFile()) &&
                   write("SetupHeader.bmp", qv::icons::setupHeaderBitmapFile())
               ? 0
               : 1;
}
