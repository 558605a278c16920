#include "guard/platform/win32/icons/SetupBitmaps.h"

#include <cstdint>
#include <functional>
#include <vector>

#include "guard/platform/win32/host/Canvas.h"
#include "guard/platform/win32/host/PictureShapes.h"
#include "guard/platform/win32/icons/LittleEndian.h"

namespace qv::icons {

namespace {

using win32::Canvas;
using win32::gradient;
using win32::rgba;
using win32::solid;

constexpr int kScale = 2;

// A bottom-up 24-bit bitmap file of `pixels` (0xAARRGGBB, rows top-down, alpha ignored).
std::string bitmapFile(const std::vector<std::uint32_t>& pixels, int width, int height) {
    const std::uint32_t row = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    const std::uint32_t image = row * static_cast<std::uint32_t>(height);
    constexpr std::uint32_t kHeaders = 14 + 40;
    std::string file = "BM";
    put32(file, kHeaders + image);
    put32(file, 0);  // reserved
    put32(file, kHeaders);
    put32(file, 40);
    put32(file, static_cast<std::uint32_t>(width));
    put32(file, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
    put16(file, 1);                                   // planes
    put16(file, 24);                                  // bits per pixel
    put32(file, 0);                                   // BI_RGB
    put32(file, image);
    put32(file, 3780);  // 96 dots per inch, in dots per metre
    put32(file, 3780);
    put32(file, 0);
    put32(file, 0);
    for (int y = height - 1; y >= 0; --y) {
        std::string line;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
            line += static_cast<char>(p & 0xFF);        // blue
            line += static_cast<char>(p >> 8 & 0xFF);   // green
            line += static_cast<char>(p >> 16 & 0xFF);  // red
        }
        line.resize(row, '\0');
        file += line;
    }
    return file;
}

// The guard's shield (the badge's picture) in the square of `size` design units at (x, y).
void drawShield(Canvas& canvas, double x, double y, double size, double designWidth,
                double designHeight) {
    const win32::PictureShape* badge = win32::findPictureShape("badge");
    const double unit = canvas.width() / designWidth;
    canvas.setView(x * unit, y * unit, size * unit, size * unit, badge->designWidth,
                   badge->designHeight);
    badge->draw(canvas);
    canvas.setView(0, 0, canvas.width(), canvas.height(), designWidth, designHeight);
}

// The bitmap file of a picture designed `designWidth` x `designHeight` (its pixels at 96
// DPI), drawn by `draw` in those units at kScale times the size.
std::string drawnBitmapFile(int designWidth, int designHeight,
                            const std::function<void(Canvas&)>& draw) {
    const int width = designWidth * kScale, height = designHeight * kScale;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, 0u);
    Canvas canvas(pixels.data(), width, height, width, true);
    canvas.setView(0, 0, width, height, designWidth, designHeight);
    draw(canvas);
    return bitmapFile(pixels, width, height);
}

}  // namespace

std::string setupSideBitmapFile() {
    constexpr int kWidth = 164, kHeight = 314;
    return drawnBitmapFile(kWidth, kHeight, [](Canvas& canvas) {
        canvas.fillRect(0, 0, kWidth, kHeight,
                        gradient({0, 0}, rgba(20, 70, 170), {0, kHeight}, rgba(80, 165, 250)));
        canvas.fillEllipse(140, 40, 70, 70, solid(rgba(255, 255, 255, 22)));
        canvas.fillEllipse(20, 250, 60, 60, solid(rgba(255, 255, 255, 18)));
        drawShield(canvas, 27, 70, 110, kWidth, kHeight);
        canvas.fillRect(0, kHeight - 8, kWidth, 8, solid(rgba(255, 200, 40)));
    });
}

std::string setupHeaderBitmapFile() {
    constexpr int kWidth = 150, kHeight = 57;
    return drawnBitmapFile(kWidth, kHeight, [](Canvas& canvas) {
        canvas.fillRect(0, 0, kWidth, kHeight, solid(rgba(255, 255, 255)));
        drawShield(canvas, kWidth - 53, 4, 49, kWidth, kHeight);
    });
}

}  // namespace qv::icons
