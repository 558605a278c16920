#pragma once
// A small anti-aliased rasteriser over a 32-bit pixel buffer (0xAARRGGBB, the layout of
// a top-down 32-bit DIB), used to draw the program's pictures by code. Shapes are given
// in a design space (for example 100 x 100 units) that setView() maps onto a rectangle
// of the buffer, so one drawing fits any size. Fills use the even-odd rule over all
// contours of a shape, which makes rings and cut-outs plain; colours carry straight
// (not premultiplied) alpha and are composited "over" what the buffer already holds.

#include <cstdint>
#include <vector>

namespace qv::win32 {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

constexpr Rgba rgba(int r, int g, int b, int a = 255) {
    return Rgba{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(a)};
}

struct Point {
    double x = 0;
    double y = 0;
};

using Contour = std::vector<Point>;
using Shape = std::vector<Contour>;

// A solid colour, or a linear gradient from `from` (colour c0) to `to` (colour c1).
struct Paint {
    Rgba c0;
    Rgba c1;
    Point from;
    Point to;
    bool gradient = false;
};

inline Paint solid(Rgba c) {
    return Paint{c, c, {}, {}, false};
}
inline Paint gradient(Point from, Rgba c0, Point to, Rgba c1) {
    return Paint{c0, c1, from, to, true};
}

class Canvas {
public:
    // `pixels` has `height` rows of `width` pixels, `stride` pixels apart. An opaque
    // canvas ignores the alpha the buffer holds (GDI leaves it 0 on a screen bitmap) and
    // keeps every pixel opaque; otherwise alpha is composited too (for icons).
    Canvas(std::uint32_t* pixels, int width, int height, int stride, bool opaque);

    int width() const { return width_; }
    int height() const { return height_; }

    // Maps the design box (0,0)-(designWidth,designHeight) onto the pixel rectangle
    // (left, top, width, height); the rectangle may lie partly outside the buffer.
    void setView(double left, double top, double width, double height, double designWidth,
                 double designHeight);
    // Design units to buffer pixels under the current view.
    Point toPixels(Point p) const;
    double scale() const { return (scaleX_ + scaleY_) / 2; }

    void fill(const Shape& shape, const Paint& paint);
    void fillRect(double x, double y, double w, double h, const Paint& paint);
    void fillRoundRect(double x, double y, double w, double h, double radius, const Paint& paint);
    void fillEllipse(double cx, double cy, double rx, double ry, const Paint& paint);
    // A band of `thickness` around the ellipse's outline.
    void strokeEllipse(double cx, double cy, double rx, double ry, double thickness,
                       const Paint& paint);
    // A rectangular outline `thickness` wide, inside the rectangle.
    void strokeRect(double x, double y, double w, double h, double thickness, const Paint& paint);
    // A thick straight line with square ends.
    void line(Point a, Point b, double thickness, const Paint& paint);

    // Shape builders in design units.
    static Contour rectContour(double x, double y, double w, double h);
    static Contour roundRectContour(double x, double y, double w, double h, double radius);
    static Contour ellipseContour(double cx, double cy, double rx, double ry, int segments = 48);

    std::uint32_t pixel(int x, int y) const;

private:
    Rgba colourAt(const Paint& paint, double px, double py) const;
    void blend(int x, int y, Rgba colour, double coverage);

    std::uint32_t* pixels_;
    int width_;
    int height_;
    int stride_;
    bool opaque_;
    double originX_ = 0;
    double originY_ = 0;
    double scaleX_ = 1;
    double scaleY_ = 1;
};

}  // namespace qv::win32
