#include "guard/platform/win32/host/Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv::win32 {

namespace {

constexpr int kSubRows = 4;  // vertical samples per pixel; horizontal coverage is exact

struct Edge {
    Point a;
    Point b;
};

}  // namespace

Canvas::Canvas(std::uint32_t* pixels, int width, int height, int stride, bool opaque)
    : pixels_(pixels),
      width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      stride_(stride),
      opaque_(opaque) {}

void Canvas::setView(double left, double top, double width, double height, double designWidth,
                     double designHeight) {
    originX_ = left;
    originY_ = top;
    scaleX_ = designWidth > 0 ? width / designWidth : 1;
    scaleY_ = designHeight > 0 ? height / designHeight : 1;
}

Point Canvas::toPixels(Point p) const {
    return {originX_ + p.x * scaleX_, originY_ + p.y * scaleY_};
}

std::uint32_t Canvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<size_t>(y) * stride_ + x];
}

Rgba Canvas::colourAt(const Paint& paint, double px, double py) const {
    if (!paint.gradient) return paint.c0;
    Point f = toPixels(paint.from);
    Point t = toPixels(paint.to);
    double dx = t.x - f.x, dy = t.y - f.y;
    double len2 = dx * dx + dy * dy;
    double u = len2 > 0 ? ((px - f.x) * dx + (py - f.y) * dy) / len2 : 0;
    u = std::clamp(u, 0.0, 1.0);
    auto mix = [u](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(std::lround(a + (b - a) * u));
    };
    return Rgba{mix(paint.c0.r, paint.c1.r), mix(paint.c0.g, paint.c1.g),
                mix(paint.c0.b, paint.c1.b), mix(paint.c0.a, paint.c1.a)};
}

void Canvas::blend(int x, int y, Rgba c, double coverage) {
    std::uint32_t& d = pixels_[static_cast<size_t>(y) * stride_ + x];
    double sa = c.a / 255.0 * std::clamp(coverage, 0.0, 1.0);
    if (sa <= 0) return;
    double dr = (d >> 16) & 0xFF, dg = (d >> 8) & 0xFF, db = d & 0xFF;
    double da = opaque_ ? 1.0 : ((d >> 24) & 0xFF) / 255.0;
    double oa = sa + da * (1 - sa);
    auto channel = [&](double s, double dc) {
        double v = oa > 0 ? (s * sa + dc * da * (1 - sa)) / oa : 0;
        return static_cast<std::uint32_t>(std::clamp(std::lround(v), 0L, 255L));
    };
    std::uint32_t a = opaque_ ? 255u : static_cast<std::uint32_t>(std::lround(oa * 255));
    d = a << 24 | channel(c.r, dr) << 16 | channel(c.g, dg) << 8 | channel(c.b, db);
}

void Canvas::fill(const Shape& shape, const Paint& paint) {
    std::vector<Edge> edges;
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    for (const Contour& contour : shape) {
        if (contour.size() < 3) continue;
        for (size_t i = 0; i < contour.size(); ++i) {
            Point a = toPixels(contour[i]);
            Point b = toPixels(contour[(i + 1) % contour.size()]);
            if (!std::isfinite(a.x) || !std::isfinite(a.y)) return;
            edges.push_back({a, b});
            minX = std::min(minX, a.x);
            maxX = std::max(maxX, a.x);
            minY = std::min(minY, a.y);
            maxY = std::max(maxY, a.y);
        }
    }
    if (edges.empty()) return;
    int x0 = std::max(0, static_cast<int>(std::floor(minX)));
    int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(maxX)));
    int y0 = std::max(0, static_cast<int>(std::floor(minY)));
    int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(maxY)));
    if (x0 > x1 || y0 > y1) return;

    std::vector<double> coverage(static_cast<size_t>(x1 - x0 + 2));
    std::vector<double> crossings;
    for (int y = y0; y <= y1; ++y) {
        std::fill(coverage.begin(), coverage.end(), 0.0);
        for (int s = 0; s < kSubRows; ++s) {
            double sy = y + (s + 0.5) / kSubRows;
            crossings.clear();
            for (const Edge& e : edges) {
                bool down = e.a.y <= sy && e.b.y > sy;
                bool up = e.b.y <= sy && e.a.y > sy;
                if (!down && !up) continue;
                crossings.push_back(e.a.x + (sy - e.a.y) * (e.b.x - e.a.x) / (e.b.y - e.a.y));
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
                double left = std::max(crossings[i], static_cast<double>(x0));
                double right = std::min(crossings[i + 1], static_cast<double>(x1 + 1));
                if (right <= left) continue;
                int first = static_cast<int>(std::floor(left));
                int last = static_cast<int>(std::ceil(right)) - 1;
                for (int px = first; px <= last; ++px) {
                    double overlap = std::min<double>(px + 1, right) - std::max<double>(px, left);
                    if (overlap > 0) coverage[static_cast<size_t>(px - x0)] += overlap / kSubRows;
                }
            }
        }
        for (int x = x0; x <= x1; ++x) {
            double c = coverage[static_cast<size_t>(x - x0)];
            if (c > 0.001) blend(x, y, colourAt(paint, x + 0.5, y + 0.5), c);
        }
    }
}

Contour Canvas::rectContour(double x, double y, double w, double h) {
    return {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
}

Contour Canvas::ellipseContour(double cx, double cy, double rx, double ry, int segments) {
    Contour c;
    c.reserve(static_cast<size_t>(segments));
    for (int i = 0; i < segments; ++i) {
        double t = 2 * std::numbers::pi * i / segments;
        c.push_back({cx + rx * std::cos(t), cy + ry * std::sin(t)});
    }
    return c;
}

Contour Canvas::roundRectContour(double x, double y, double w, double h, double radius) {
    radius = std::clamp(radius, 0.0, std::min(w, h) / 2);
    if (radius <= 0) return rectContour(x, y, w, h);
    Contour c;
    constexpr int kCornerSteps = 8;
    const Point centres[4] = {{x + w - radius, y + radius},
                              {x + w - radius, y + h - radius},
                              {x + radius, y + h - radius},
                              {x + radius, y + radius}};
    for (int corner = 0; corner < 4; ++corner) {
        double start = -std::numbers::pi / 2 + corner * std::numbers::pi / 2;
        for (int i = 0; i <= kCornerSteps; ++i) {
            double t = start + (std::numbers::pi / 2) * i / kCornerSteps;
            c.push_back({centres[corner].x + radius * std::cos(t),
                         centres[corner].y + radius * std::sin(t)});
        }
    }
    return c;
}

void Canvas::fillRect(double x, double y, double w, double h, const Paint& paint) {
    fill({rectContour(x, y, w, h)}, paint);
}

void Canvas::fillRoundRect(double x, double y, double w, double h, double radius,
                           const Paint& paint) {
    fill({roundRectContour(x, y, w, h, radius)}, paint);
}

void Canvas::fillEllipse(double cx, double cy, double rx, double ry, const Paint& paint) {
    fill({ellipseContour(cx, cy, rx, ry)}, paint);
}

void Canvas::strokeEllipse(double cx, double cy, double rx, double ry, double thickness,
                           const Paint& paint) {
    double half = thickness / 2;
    fill({ellipseContour(cx, cy, rx + half, ry + half),
          ellipseContour(cx, cy, std::max(rx - half, 0.0), std::max(ry - half, 0.0))},
         paint);
}

void Canvas::strokeRect(double x, double y, double w, double h, double thickness,
                        const Paint& paint) {
    double t = std::min({thickness, w / 2, h / 2});
    fill({rectContour(x, y, w, h), rectContour(x + t, y + t, w - 2 * t, h - 2 * t)}, paint);
}

void Canvas::line(Point a, Point b, double thickness, const Paint& paint) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double len = std::hypot(dx, dy);
    if (len <= 0) return;
    double nx = -dy / len * thickness / 2, ny = dx / len * thickness / 2;
    double ex = dx / len * thickness / 2, ey = dy / len * thickness / 2;
    fill({{{a.x + nx - ex, a.y + ny - ey},
           {b.x + nx + ex, b.y + ny + ey},
           {b.x - nx + ex, b.y - ny + ey},
           {a.x - nx - ex, a.y - ny - ey}}},
         paint);
}

}  // namespace qv::win32
