// The quarantine's entry format: a header that any path survives, and a reader that takes
// only whole, well-formed headers and trailers, whatever bytes it is given.

#include <gtest/gtest.h>

#include <string>

#include "common/removal/QuarantineFormat.h"

namespace qv::removal {
namespace {

TEST(QuarantineFormatTest, AnyPathSurvivesTheHeader) {
    const std::string paths[] = {
        "e:\\autorun.inf",
        "e:\\我的文档\\病毒.exe",
        "e:\\line\nbreak\npath 3\nx",
        "e:\\" + std::string(kLongestPathBytes - 3, 'x'),
        std::string("e:\\nul\0inside", 13),
    };
    for (const std::string& path : paths) {
        EntryHeader header{path, "2026-12-08 14:03:59", 123456789};
        std::string bytes = encodeHeader(header);
        ASSERT_FALSE(bytes.empty());
        auto parsed = parseHeader(bytes + "the file's bytes");
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->header.originalPath, path);
        EXPECT_EQ(parsed->header.removedAt, "2026-12-08 14:03:59");
        EXPECT_EQ(parsed->header.size, 123456789u);
        EXPECT_EQ(parsed->length, bytes.size());
    }
    EXPECT_EQ(encodeHeader({"e:\\" + std::string(kLongestPathBytes, 'x'), "t", 1}), "")
        << "longer than any Windows path";
    EXPECT_EQ(encodeHeader({"e:\\a", "two\nlines", 1}), "");

    // The time the file was last written, when known, survives too; an entry without it
    // (made before the line existed) reads as unknown.
    const std::string dated = encodeHeader({"e:\\a", "t", 1, 133790000000000000});
    ASSERT_NE(dated.find("\nwritten 133790000000000000\n\n"), std::string::npos);
    EXPECT_EQ(parseHeader(dated)->header.lastWritten, 133790000000000000u);
    EXPECT_EQ(parseHeader(encodeHeader({"e:\\a", "t", 1}))->header.lastWritten, 0u);
}

TEST(QuarantineFormatTest, OnlyAWholeWellFormedHeaderIsRead) {
    const std::string good = encodeHeader({"e:\\autorun.inf", "2026-12-08 14:03:59", 42});
    // Every cut short of the whole header is refused.
    for (std::size_t length = 0; length < good.size(); ++length) {
        EXPECT_FALSE(parseHeader(good.substr(0, length))) << length;
    }
    auto damaged = [&](std::string from, std::string to) {
        std::string bytes = good;
        bytes.replace(bytes.find(from), from.size(), to);
        return parseHeader(bytes).has_value();
    };
    EXPECT_FALSE(damaged("QV-QUARANTINE 1", "QV-QUARANTINE 2"));
    EXPECT_FALSE(damaged("path 14", "path 15"));
    EXPECT_FALSE(damaged("path 14", "path 99999999999999999999999"));
    EXPECT_FALSE(damaged("path 14", "path -1"));
    EXPECT_FALSE(damaged("size 42", "size 18446744073709551616"));
    EXPECT_FALSE(damaged("size 42", "size "));
    EXPECT_FALSE(damaged("time ", "tyme "));
    EXPECT_FALSE(damaged("42\n\n", "42\nx"));
    EXPECT_FALSE(damaged("42\n\n", "42\nwritten x\n\n"));
    EXPECT_FALSE(damaged("42\n\n", "42\nwritten 1\nwritten 2\n\n"));
    EXPECT_TRUE(damaged("42\n\n", "42\nwritten 1\n\n"));
    EXPECT_TRUE(damaged("size 42", "size 18446744073709551615"));
}

TEST(QuarantineFormatTest, TheTrailerCarriesTheDigestExactly) {
    Sha256 hash;
    hash.update("MZ");
    const Sha256Digest digest = hash.finish();
    const std::string trailer = encodeTrailer(digest);
    EXPECT_EQ(trailer.size(), kTrailerSize);
    EXPECT_EQ(parseTrailer(trailer), digest);
    EXPECT_FALSE(parseTrailer(trailer.substr(1)));
    EXPECT_FALSE(parseTrailer(trailer + "\n"));
    std::string upper = trailer;
    upper[10] = 'G';
    EXPECT_FALSE(parseTrailer(upper));
}

}  // namespace
}  // namespace qv::removal
