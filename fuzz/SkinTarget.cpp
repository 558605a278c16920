// The skin file reader over any bytes: it either gives a theme or nothing, never more.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "guard/platform/skin/SkinFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)qv::skin::readSkin(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
