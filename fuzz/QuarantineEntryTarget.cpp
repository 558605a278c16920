// The quarantine's entry reader and the drive-path rule over any bytes: a header it accepts
// gives back the same header once written again, and a path it accepts is a plain path on
// a drive that stays as it is when made plain again.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/removal/DrivePath.h"
#include "common/removal/QuarantineFormat.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (auto parsed = qv::removal::parseHeader(bytes)) {
        QV_FUZZ_CHECK(parsed->length <= bytes.size());
        std::string again = qv::removal::encodeHeader(parsed->header);
        QV_FUZZ_CHECK(!again.empty());
        auto reread = qv::removal::parseHeader(again);
        QV_FUZZ_CHECK(reread && reread->length == again.size());
        QV_FUZZ_CHECK(reread->header.originalPath == parsed->header.originalPath);
        QV_FUZZ_CHECK(reread->header.removedAt == parsed->header.removedAt);
        QV_FUZZ_CHECK(reread->header.size == parsed->header.size);
        QV_FUZZ_CHECK(reread->header.lastWritten == parsed->header.lastWritten);
    }
    if (bytes.size() >= qv::removal::kTrailerSize) {
        auto trailer = bytes.substr(bytes.size() - qv::removal::kTrailerSize);
        if (auto digest = qv::removal::parseTrailer(trailer)) {
            QV_FUZZ_CHECK(qv::removal::encodeTrailer(*digest) == trailer);
        }
    }

    if (auto plain = qv::removal::plainDrivePath(bytes)) {
        QV_FUZZ_CHECK(plain->size() > 3 && (*plain)[1] == ':' && (*plain)[2] == '\\');
        QV_FUZZ_CHECK(qv::removal::plainDrivePath(*plain) == *plain);
        std::string_view rest = std::string_view(*plain).substr(3);
        QV_FUZZ_CHECK(rest.find_first_of(":*?<>|\"/") == std::string_view::npos);
        QV_FUZZ_CHECK(rest.find("\\\\") == std::string_view::npos && rest.back() != '\\');
        for (std::size_t at = 0; at <= rest.size();) {
            std::size_t end = std::min(rest.find('\\', at), rest.size());
            std::string_view part = rest.substr(at, end - at);
            QV_FUZZ_CHECK(part != "." && part != "..");
            at = end + 1;
        }
    }
    return 0;
}
