// The autorun.inf reader and the associated file's confinement over any bytes: a name it
// accepts always stays one plain file on the drive of the autorun.inf.

#include <cstddef>
#include <cstdint>
#include <string_view>

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
    QV_FUZZ_CHECK(path->starts_with("e:\\"));
    std::string_view rest = std::string_view(*path).substr(3);
    QV_FUZZ_CHECK(rest == *command);
    QV_FUZZ_CHECK(rest.find_first_of(":*?<>|\"") == std::string_view::npos);
    QV_FUZZ_CHECK(!rest.starts_with("\\") && !rest.starts_with("/"));
    // Never climbs above the root.
    int depth = 0;
    std::size_t at = 0;
    while (at <= rest.size()) {
        std::size_t end = rest.find_first_of("\\/", at);
        if (end == std::string_view::npos) end = rest.size();
        std::string_view part = rest.substr(at, end - at);
        if (part == "..")
            --depth;
        else if (!part.empty() && part != ".")
            ++depth;
        QV_FUZZ_CHECK(depth >= 0);
        at = end + 1;
    }
    return 0;
}
