// SHA-256 on the standard test vectors (FIPS 180-4's examples and the million 'a'), at
// the lengths around the padding's block boundary, fed in pieces of every awkward size, and
// the processor's SHA extensions against the portable code.

#include <gtest/gtest.h>

#include <string>

#include "common/removal/Sha256.h"

namespace qv::removal {
namespace {

std::string digestOf(const std::string& bytes, std::size_t piece = 0) {
    Sha256 hash;
    if (piece == 0) {
        hash.update(bytes);
    } else {
        for (std::size_t at = 0; at < bytes.size(); at += piece) {
            hash.update(std::string_view(bytes).substr(at, piece));
        }
    }
    return toHex(hash.finish());
}

TEST(Sha256Test, StandardVectors) {
    EXPECT_EQ(digestOf(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(digestOf("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(digestOf("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(
        digestOf("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmn"
                 "opqklmnopqrlmnopqrsmnopqrstnopqrstu"),
        "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1");
    EXPECT_EQ(digestOf(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256Test, LengthsAroundTheLastBlocksPadding) {
    const std::pair<std::size_t, const char*> cases[] = {
        {55, "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {56, "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {63, "7d3e74a05d7db15bce4ad9ec0658ea98e3f06eeecf16b4c6fff2da457ddc2f34"},
        {64, "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {119, "31eba51c313a5c08226adf18d4a359cfdfd8d2e816b13f4af952f7ea6584dcfb"},
        {120, "2f3d335432c70b580af0e8e1b3674a7c020d683aa5f73aaaedfdc55af904c21c"},
    };
    for (auto [length, digest] : cases) EXPECT_EQ(digestOf(std::string(length, 'a')), digest);
}

TEST(Sha256Test, PiecesOfAnySizeGiveTheDigestOfTheWhole) {
    std::string bytes;
    for (int i = 0; i < 5000; ++i) bytes += static_cast<char>(i * 7 + i / 13);
    const std::string whole = digestOf(bytes);
    for (std::size_t piece : {1, 3, 63, 64, 65, 127, 1000, 4999}) {
        EXPECT_EQ(digestOf(bytes, piece), whole) << piece;
    }
}

TEST(Sha256Test, TheProcessorsExtensionsCompressAsThePortableCodeDoes) {
    std::string blocks;
    for (int i = 0; i < 64 * 37; ++i) blocks += static_cast<char>((i * 2654435761u) >> 13);
    auto data = reinterpret_cast<const std::uint8_t*>(blocks.data());
    Sha256State portable = {1, 2, 3, 4, 5, 6, 7, 0xFFFFFFFF}, extensions = portable;
    compressPortable(portable, data, 37);
    if (!compressWithShaExtensions(extensions, data, 37)) {
        GTEST_SKIP() << "this processor has no SHA extensions";
    }
    EXPECT_EQ(extensions, portable);
}

}  // namespace
}  // namespace qv::removal
