#include "guard/platform/win32/icons/IconFile.h"

#include <cstdint>
#include <vector>

#include "guard/platform/win32/host/Canvas.h"
#include "guard/platform/win32/host/PictureShapes.h"
#include "guard/platform/win32/icons/LittleEndian.h"

namespace qv::icons {

namespace {

constexpr std::size_t kDirectorySize = 6, kEntrySize = 16, kBitmapHeaderSize = 40;

// One image: the header of a bottom-up 32-bit DIB twice the icon's height (the colour
// rows, then the mask's), the colour rows bottom-up as B, G, R, A bytes, then the mask,
// one bit per pixel set where the picture is more transparent than not (what shows where
// Windows draws with the mask alone), rows padded to 32 bits.
std::string imageOf(const win32::PictureShape& shape, int size) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size, 0u);
    win32::Canvas canvas(pixels.data(), size, size, size, false);
    canvas.setView(0, 0, size, size, shape.designWidth, shape.designHeight);
    shape.draw(canvas);

    const std::size_t maskRow = (static_cast<std::size_t>(size) + 31) / 32 * 4;
    std::string image;
    put32(image, kBitmapHeaderSize);
    put32(image, static_cast<std::uint32_t>(size));
    put32(image, static_cast<std::uint32_t>(size) * 2);
    put16(image, 1);   // planes
    put16(image, 32);  // bits per pixel
    put32(image, 0);   // BI_RGB
    put32(image, static_cast<std::uint32_t>(pixels.size() * 4 + maskRow * size));
    for (int unused = 0; unused < 4; ++unused) put32(image, 0);
    for (int row = size - 1; row >= 0; --row) {
        for (int column = 0; column < size; ++column) {
            put32(image, pixels[static_cast<std::size_t>(row) * size + column]);  // 0xAARRGGBB
        }
    }
    for (int row = size - 1; row >= 0; --row) {
        std::string bits(maskRow, '\0');
        for (int column = 0; column < size; ++column) {
            if (pixels[static_cast<std::size_t>(row) * size + column] >> 24 < 128) {
                bits[column / 8] = static_cast<char>(bits[column / 8] | 0x80 >> column % 8);
            }
        }
        image += bits;
    }
    return image;
}

}  // namespace

std::string iconFileOf(std::string_view pictureKey, std::span<const int> sizes) {
    const win32::PictureShape* shape = win32::findPictureShape(pictureKey);
    if (!shape || sizes.empty()) return {};
    std::vector<std::string> images;
    for (int size : sizes) {
        if (size < 1 || size > 255) return {};
        images.push_back(imageOf(*shape, size));
    }
    std::string file;
    put16(file, 0);  // reserved
    put16(file, 1);  // an icon, not a cursor
    put16(file, static_cast<unsigned>(images.size()));
    std::size_t offset = kDirectorySize + kEntrySize * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        file += static_cast<char>(sizes[i]);  // width
        file += static_cast<char>(sizes[i]);  // height
        file += '\0';                         // no palette
        file += '\0';                         // reserved
        put16(file, 1);                       // planes
        put16(file, 32);                      // bits per pixel
        put32(file, static_cast<std::uint32_t>(images[i].size()));
        put32(file, static_cast<std::uint32_t>(offset));
        offset += images[i].size();
    }
    for (const std::string& image : images) file += image;
    return file;
}

}  // namespace qv::icons
