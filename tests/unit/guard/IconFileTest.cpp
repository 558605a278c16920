// The programs' icon files as Windows reads them: a directory whose entries name each
// image's size and place, each image a 32-bit DIB of twice the icon's height with its AND
// mask, the picture drawn opaque in the middle and transparent (mask bit set) at the corner;
// and the setup program's pictures, bitmap files twice the size of their place.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "guard/platform/win32/icons/IconFile.h"
#include "guard/platform/win32/icons/SetupBitmaps.h"

namespace qv::icons {
namespace {

std::uint32_t read16(const std::string& bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes.at(at)) | static_cast<unsigned char>(bytes.at(at + 1))
                                                          << 8;
}

std::uint32_t read32(const std::string& bytes, std::size_t at) {
    return read16(bytes, at) | read16(bytes, at + 2) << 16;
}

TEST(IconFileTest, EveryImageIsWhereItsEntrySaysAndDrawnWithAMask) {
    const std::string file = iconFileOf("app", kIconSizes);
    ASSERT_GE(file.size(), 6u);
    EXPECT_EQ(read16(file, 0), 0u);
    EXPECT_EQ(read16(file, 2), 1u) << "an icon, not a cursor";
    ASSERT_EQ(read16(file, 4), kIconSizes.size());
    std::size_t expectedOffset = 6 + 16 * kIconSizes.size();
    for (std::size_t i = 0; i < kIconSizes.size(); ++i) {
        const std::uint32_t size = static_cast<std::uint32_t>(kIconSizes[i]);
        SCOPED_TRACE(size);
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(static_cast<unsigned char>(file[entry]), size);
        EXPECT_EQ(static_cast<unsigned char>(file[entry + 1]), size);
        EXPECT_EQ(read16(file, entry + 6), 32u) << "bits per pixel";
        const std::uint32_t length = read32(file, entry + 8), offset = read32(file, entry + 12);
        ASSERT_EQ(offset, expectedOffset) << "images follow each other without gaps";
        const std::size_t maskRow = (size + 31) / 32 * 4;
        ASSERT_EQ(length, 40 + size * size * 4 + maskRow * size);
        expectedOffset += length;

        EXPECT_EQ(read32(file, offset), 40u);
        EXPECT_EQ(read32(file, offset + 4), size);
        EXPECT_EQ(read32(file, offset + 8), 2 * size) << "colour and mask rows";
        EXPECT_EQ(read16(file, offset + 14), 32u);
        // Rows are stored bottom-up; the top-left pixel is in the last colour row.
        const std::size_t pixels = offset + 40, mask = pixels + size * size * 4;
        const std::uint32_t corner = read32(file, pixels + (size - 1) * size * 4);
        const std::uint32_t middle = read32(file, pixels + (size / 2 * size + size / 2) * 4);
        EXPECT_EQ(corner >> 24, 0u) << "transparent corner";
        EXPECT_EQ(middle >> 24, 255u) << "opaque middle";
        EXPECT_TRUE(static_cast<unsigned char>(file[mask + (size - 1) * maskRow]) & 0x80)
            << "the corner is masked out";
        EXPECT_FALSE(static_cast<unsigned char>(file[mask + size / 2 * maskRow + size / 2 / 8]) &
                     (0x80 >> size / 2 % 8))
            << "the middle is not";
    }
    EXPECT_EQ(file.size(), expectedOffset);
}

TEST(IconFileTest, EachProgramsPictureDiffersAndNothingIsMadeOfWhatCannotBeOne) {
    const std::string guard = iconFileOf("app", kIconSizes);
    EXPECT_NE(iconFileOf("tool_files", kIconSizes), guard);
    EXPECT_NE(iconFileOf("tool_skin", kIconSizes), guard);
    EXPECT_EQ(iconFileOf("no_such_picture", kIconSizes), "");
    EXPECT_EQ(iconFileOf("app", std::array{16, 256}), "") << "256 would need a PNG image";
    EXPECT_EQ(iconFileOf("app", std::array{0}), "");
    EXPECT_EQ(iconFileOf("app", std::span<const int>()), "");
}

TEST(IconFileTest, TheSetupPicturesAreBitmapsOfTwiceTheirPlace) {
    struct Picture {
        std::string file;
        std::uint32_t width, height;
    };
    for (const Picture& picture :
         {Picture{setupSideBitmapFile(), 164, 314}, Picture{setupHeaderBitmapFile(), 150, 57}}) {
        SCOPED_TRACE(picture.width);
        const std::string& file = picture.file;
        ASSERT_GE(file.size(), 54u);
        EXPECT_EQ(file.substr(0, 2), "BM");
        EXPECT_EQ(read32(file, 2), file.size());
        EXPECT_EQ(read32(file, 10), 54u) << "the pixels follow the two headers";
        EXPECT_EQ(read32(file, 18), 2 * picture.width);
        EXPECT_EQ(read32(file, 22), 2 * picture.height);
        EXPECT_EQ(read16(file, 28), 24u);
        const std::uint32_t row = (2 * picture.width * 3 + 3) / 4 * 4;
        EXPECT_EQ(file.size(), 54 + row * 2 * picture.height);
    }
}

}  // namespace
}  // namespace qv::icons
