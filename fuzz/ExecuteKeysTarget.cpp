// The autorun.inf's execute keys (shellexecute=, shell\<verb>\command=) over any bytes,
// UTF-16 or not, with the words of the command they give: the command is one trimmed line,
// and every file it names lies on the drive of the autorun.inf.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/DrivePathCheck.h"
#include "fuzz/FuzzCheck.h"
#include "guard/monitor/AutorunFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string text =
        qv::monitor::autorunText(bytes, [](std::string_view ansi) { return std::string(ansi); });
    if (auto command = qv::monitor::executeCommand(text)) {
        QV_FUZZ_CHECK(!command->empty());
        QV_FUZZ_CHECK(command->find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
        QV_FUZZ_CHECK(command->front() != ' ' && command->back() != ' ');
        QV_FUZZ_CHECK(text.find(*command) != std::string::npos);
    }
    auto program = qv::monitor::autorunProgram("e:\\autorun.inf", text);
    if (!program) return 0;
    QV_FUZZ_CHECK(!program->command.empty());
    for (const std::string& file : program->files) checkOnDriveE(file);
    return 0;
}
