// The shortcut reader and the worm-shortcut rule over any bytes: nothing is read outside
// the bytes given (the sanitizers watch), no string grows past what the read limit allows,
// and every file of the drive a worm's shortcut names lies on that drive.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/worms/CommandPayloads.h"
#include "common/worms/ShellLink.h"
#include "common/worms/WormShortcut.h"
#include "fuzz/DrivePathCheck.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto link =
        qv::worms::readShellLink(bytes, [](std::string_view ansi) { return std::string(ansi); });
    if (!link) return 0;
    // A UTF-16 unit becomes at most 3 bytes of UTF-8, a byte of the code page 1 here.
    for (const std::string* text : {&link->environmentPath, &link->idListPath, &link->linkInfoPath,
                                    &link->relativePath, &link->workingFolder, &link->arguments}) {
        QV_FUZZ_CHECK(text->size() <= 3 * qv::worms::kShellLinkReadLimit / 2);
    }
    qv::worms::HiddenNames hidden;
    hidden.add("docs");
    auto target = qv::worms::wormTarget(*link, "docs.lnk", "e:\\", hidden);
    if (target) {
        QV_FUZZ_CHECK(qv::worms::namesSystemTool(*target) ||
                      !qv::worms::fileOnDrive(*target, "e:\\").empty());
    }
    for (const std::string& target : link->targets()) {
        std::string file = qv::worms::fileOnDrive(target, "e:\\");
        if (!file.empty()) checkOnDriveE(file);
    }
    for (const std::string& file : qv::worms::namedFiles(link->arguments, "e:\\")) {
        checkOnDriveE(file);
    }
    return 0;
}
