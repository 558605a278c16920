// The autorun.inf reader and the associated file's confinement over any bytes: a name it
// accepts always stays one plain file on the drive of the autorun.inf.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/DrivePathCheck.h"
#include "fuzz/FuzzCheck.h"
#include "guard/monitor/AutorunFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto command = qv::monitor::openCommand(text);
    if (!command) return 0;
    QV_FUZZ_CHECK(!command->empty());
    QV_FUZZ_CHECK(command->find('\r') == std::string::npos);
    QV_FUZZ_CHECK(text.find("open=" + *command) != std::string_view::npos);

    auto path = qv::monitor::associatedFilePath("e:\\autorun.inf", *command);
    if (!path) return 0;
    checkOnDriveE(*path);
    // The name as Windows takes it: trailing dots and blanks of the last name dropped.
    std::string_view named(*command);
    while (!named.empty() && (named.back() == '.' || named.back() == ' ')) named.remove_suffix(1);
    QV_FUZZ_CHECK(std::string_view(*path).substr(3) == named);
    return 0;
}
