// The uninstaller's script reader over any bytes: lines, the sections read by Dq and the
// command scan, within their limits.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/xz/XzFormat.h"
#include "common/xz/XzLines.h"
#include "fuzz/FuzzCheck.h"
#include "uninstaller/script/CommandScan.h"
#include "uninstaller/script/ScriptParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines = qv::xz::splitLines(text);
    for (const std::string& line : lines) {
        QV_FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
    }
    if (auto script = qv::uninst::Dq(lines)) {
        QV_FUZZ_CHECK(script->deleteList.size() <= qv::xz::kMaxDeleteEntries);
    }
    if (auto commands = qv::uninst::scanCommands(lines)) {
        QV_FUZZ_CHECK(commands->size() <= qv::xz::kMaxCommands);
    }
    return 0;
}
