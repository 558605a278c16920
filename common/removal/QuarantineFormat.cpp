#include "common/removal/QuarantineFormat.h"

namespace qv::removal {

namespace {

constexpr std::string_view kMagic = "QV-QUARANTINE 1\n";
constexpr std::string_view kTrailerKey = "sha256 ";
// The time is a short line of text.
constexpr std::size_t kLongestTime = 64;

// Reads "<key><decimal>\n" at `at`; the number has 1 to 20 digits and fits 64 bits.
std::optional<std::uint64_t> readNumberLine(std::string_view bytes, std::size_t& at,
                                            std::string_view key) {
    if (bytes.substr(at, key.size()) != key) return std::nullopt;
    std::size_t i = at + key.size();
    std::uint64_t value = 0;
    std::size_t digits = 0;
    for (; i < bytes.size() && bytes[i] >= '0' && bytes[i] <= '9'; ++i, ++digits) {
        std::uint64_t digit = static_cast<std::uint64_t>(bytes[i] - '0');
        if (digits >= 20 || value > (UINT64_MAX - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    if (digits == 0 || i >= bytes.size() || bytes[i] != '\n') return std::nullopt;
    at = i + 1;
    return value;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string encodeHeader(const EntryHeader& header) {
    if (header.originalPath.size() > kLongestPathBytes || header.removedAt.size() > kLongestTime ||
        header.removedAt.find('\n') != std::string::npos) {
        return {};
    }
    std::string bytes(kMagic);
    bytes += "path " + std::to_string(header.originalPath.size()) + "\n";
    bytes += header.originalPath;
    bytes += "\ntime " + header.removedAt;
    bytes += "\nsize " + std::to_string(header.size) + "\n";
    if (header.lastWritten != 0) bytes += "written " + std::to_string(header.lastWritten) + "\n";
    bytes += "\n";
    return bytes;
}

std::optional<ParsedHeader> parseHeader(std::string_view bytes) {
    if (!bytes.starts_with(kMagic)) return std::nullopt;
    std::size_t at = kMagic.size();
    ParsedHeader parsed;

    auto pathLength = readNumberLine(bytes, at, "path ");
    if (!pathLength || *pathLength > kLongestPathBytes || bytes.size() - at < *pathLength + 1) {
        return std::nullopt;
    }
    parsed.header.originalPath = std::string(bytes.substr(at, *pathLength));
    at += *pathLength;
    if (bytes[at++] != '\n') return std::nullopt;

    constexpr std::string_view kTimeKey = "time ";
    if (bytes.substr(at, kTimeKey.size()) != kTimeKey) return std::nullopt;
    at += kTimeKey.size();
    std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos || end - at > kLongestTime) return std::nullopt;
    parsed.header.removedAt = std::string(bytes.substr(at, end - at));
    at = end + 1;

    auto size = readNumberLine(bytes, at, "size ");
    if (!size) return std::nullopt;
    parsed.header.size = *size;
    if (at < bytes.size() && bytes[at] != '\n') {
        auto written = readNumberLine(bytes, at, "written ");
        if (!written) return std::nullopt;
        parsed.header.lastWritten = *written;
    }
    if (at >= bytes.size() || bytes[at] != '\n') return std::nullopt;
    parsed.length = at + 1;
    return parsed;
}

std::string encodeTrailer(const Sha256Digest& digest) {
    return std::string(kTrailerKey) + toHex(digest) + "\n";
}

std::optional<Sha256Digest> parseTrailer(std::string_view bytes) {
    if (bytes.size() != kTrailerSize || !bytes.starts_with(kTrailerKey) || bytes.back() != '\n') {
        return std::nullopt;
    }
    Sha256Digest digest;
    std::string_view hex = bytes.substr(kTrailerKey.size(), 64);
    for (std::size_t i = 0; i < digest.size(); ++i) {
        int high = hexValue(hex[2 * i]), low = hexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        digest[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return digest;
}

}  // namespace qv::removal
