// The settings files' line reader over any bytes: the first line never holds a CR, a
// digit is only ever read inside it, and a line written back reads the same.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "guard/main_window/SettingsLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string_view line = qv::settings::firstLine(text);
    QV_FUZZ_CHECK(line.find('\r') == std::string_view::npos);
    QV_FUZZ_CHECK(text.starts_with(line));
    bool on[9];
    for (std::size_t position = 0; position <= 12; ++position) {
        bool zero = qv::settings::digitAt(line, position, '0');
        bool one = qv::settings::digitAt(line, position, '1');
        QV_FUZZ_CHECK(!(zero && one));
        if (zero || one) QV_FUZZ_CHECK(position >= 1 && position <= line.size());
        if (position >= 1 && position <= 9) on[position - 1] = one;
    }
    std::string saved =
        qv::settings::settingsLine({on[0], on[1], on[2], on[3], on[4], on[5], on[6], on[7], on[8]});
    QV_FUZZ_CHECK(saved.size() == 11 && saved.ends_with("\r\n"));
    std::string_view again = qv::settings::firstLine(saved);
    for (std::size_t position = 1; position <= 9; ++position) {
        QV_FUZZ_CHECK(qv::settings::digitAt(again, position, '1') == on[position - 1]);
    }
    return 0;
}
