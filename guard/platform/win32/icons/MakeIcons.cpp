// Writes the programs' icon files into the folder named by its one argument: QVud.ico
// (the badge's shield, also the uninstaller's and the setup program's), Filedir.ico (the
// file browser's folder) and Pifushe.ico (the skin changer's palette). Run by the build on
// the building machine, before the programs' resources are compiled.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "guard/platform/win32/icons/IconFile.h"

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
    for (Icon icon : {Icon{"QVud.ico", "app"}, Icon{"Filedir.ico", "tool_files"},
                      Icon{"Pifushe.ico", "tool_skin"}}) {
        const std::string bytes = qv::icons::iconFileOf(icon.picture, qv::icons::kIconSizes);
        std::ofstream out(folder / icon.file, std::ios::binary | std::ios::trunc);
        if (bytes.empty() || !(out << bytes) || !out.flush()) {
            std::fprintf(stderr, "could not write %s\n", (folder / icon.file).c_str());
            return 1;
        }
    }
    return 0;
}
