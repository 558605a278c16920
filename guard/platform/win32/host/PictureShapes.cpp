#include "guard/platform/win32/host/PictureShapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace qv::win32 {

namespace {

// Design boxes: most pictures are drawn in 100 x 100 units; the two wide ones in their
// own proportions.
constexpr double kUnit = kPictureUnit;
constexpr double kBannerW = 350, kBannerH = 84;
constexpr double kWelcomeW = 400, kWelcomeH = 267;

void quadratic(Contour& c, Point a, Point control, Point b, int steps = 12) {
    for (int i = 1; i <= steps; ++i) {
        double t = static_cast<double>(i) / steps;
        double u = 1 - t;
        c.push_back({u * u * a.x + 2 * u * t * control.x + t * t * b.x,
                     u * u * a.y + 2 * u * t * control.y + t * t * b.y});
    }
}

// A heraldic shield inside the box (x, y, w, h): a gently arched top, straight sides and
// curved flanks meeting in a point at the bottom.
Contour shieldContour(double x, double y, double w, double h) {
    auto at = [&](double u, double v) { return Point{x + u * w, y + v * h}; };
    Contour c{at(0, 0.14)};
    quadratic(c, at(0, 0.14), at(0.5, -0.06), at(1, 0.14));
    c.push_back(at(1, 0.5));
    quadratic(c, at(1, 0.5), at(0.97, 0.84), at(0.5, 1));
    quadratic(c, at(0.5, 1), at(0.03, 0.84), at(0, 0.5));
    return c;
}

void drawShield(Canvas& cv, double x, double y, double w, double h) {
    cv.fill({shieldContour(x, y, w, h)},
            gradient({0, y}, rgba(40, 80, 170), {0, y + h}, rgba(10, 35, 100)));
    double inset = w * 0.08;
    cv.fill({shieldContour(x + inset, y + inset, w - 2 * inset, h - 2 * inset)},
            gradient({0, y}, rgba(110, 190, 255), {0, y + h}, rgba(20, 95, 205)));
    // A soft highlight over the upper half.
    cv.fill({shieldContour(x + inset * 1.6, y + inset * 1.6, w - 3.2 * inset, h * 0.55)},
            gradient({0, y}, rgba(255, 255, 255, 110), {0, y + h * 0.55}, rgba(255, 255, 255, 0)));
}

// A white USB stick: the plug with its two contact windows, and the body.
void drawStick(Canvas& cv, double cx, double top, double size) {
    double plugW = size * 0.36, plugH = size * 0.26;
    double px = cx - plugW / 2;
    double hole = plugW * 0.22;
    cv.fill({Canvas::rectContour(px, top, plugW, plugH),
             Canvas::rectContour(px + plugW * 0.18, top + plugH * 0.3, hole, hole),
             Canvas::rectContour(px + plugW * 0.6, top + plugH * 0.3, hole, hole)},
            solid(rgba(255, 255, 255)));
    double bodyW = size * 0.56, bodyH = size * 0.7;
    cv.fillRoundRect(cx - bodyW / 2, top + plugH, bodyW, bodyH, size * 0.1,
                     solid(rgba(255, 255, 255)));
    cv.fillRoundRect(cx - bodyW * 0.22, top + plugH + bodyH * 0.55, bodyW * 0.44, bodyH * 0.22,
                     size * 0.04, solid(rgba(30, 100, 200)));
}

void drawBadge(Canvas& cv) {
    drawShield(cv, 8, 4, 84, 92);
    drawStick(cv, 50, 20, 46);
}

void drawWarning(Canvas& cv) {
    cv.fill({{{50, 4}, {97, 92}, {3, 92}}}, solid(rgba(170, 40, 0)));
    cv.fill({{{50, 16}, {87, 85}, {13, 85}}},
            gradient({0, 16}, rgba(255, 230, 60), {0, 85}, rgba(255, 180, 0)));
    cv.fill({{{45, 35}, {55, 35}, {53, 63}, {47, 63}}}, solid(rgba(20, 20, 20)));
    cv.fillEllipse(50, 73, 5.5, 5.5, solid(rgba(20, 20, 20)));
}

// The rounded tile behind each navigation glyph, in its own colour.
void drawTile(Canvas& cv, Rgba light, Rgba dark) {
    cv.fillRoundRect(3, 3, 94, 94, 18, solid(rgba(dark.r / 2, dark.g / 2, dark.b / 2)));
    cv.fillRoundRect(6, 6, 88, 88, 15, gradient({0, 6}, light, {0, 94}, dark));
    cv.fillRoundRect(10, 9, 80, 38, 13,
                     gradient({0, 9}, rgba(255, 255, 255, 90), {0, 47}, rgba(255, 255, 255, 10)));
}

const Paint kGlyph = solid(rgba(255, 255, 255));

void drawNavMonitor(Canvas& cv) {
    drawTile(cv, rgba(90, 170, 255), rgba(20, 80, 190));
    cv.fill({shieldContour(24, 20, 52, 60), shieldContour(31, 27, 38, 45)}, kGlyph);
    cv.line({38, 50}, {47, 60}, 7, kGlyph);
    cv.line({45, 60}, {63, 39}, 7, kGlyph);
}

void drawNavClean(Canvas& cv) {
    drawTile(cv, rgba(110, 215, 120), rgba(20, 130, 50));
    cv.strokeEllipse(50, 50, 28, 28, 7, kGlyph);
    cv.fillRect(45, 32, 10, 36, kGlyph);
    cv.fillRect(32, 45, 36, 10, kGlyph);
}

void drawNavAdvanced(Canvas& cv) {
    drawTile(cv, rgba(255, 180, 80), rgba(210, 100, 10));
    Contour gear;
    constexpr int kTeeth = 8;
    for (int i = 0; i < kTeeth * 4; ++i) {
        double t = 2 * std::numbers::pi * (i + 0.5) / (kTeeth * 4);
        double r = (i % 4 == 0 || i % 4 == 1) ? 32 : 24;
        gear.push_back({50 + r * std::cos(t), 50 + r * std::sin(t)});
    }
    cv.fill({gear, Canvas::ellipseContour(50, 50, 10, 10)}, kGlyph);
}

void drawNavSettings(Canvas& cv) {
    drawTile(cv, rgba(185, 140, 240), rgba(100, 50, 170));
    const double rows[] = {30, 50, 70};
    const double knobs[] = {62, 38, 56};
    for (int i = 0; i < 3; ++i) {
        cv.fillRoundRect(22, rows[i] - 3, 56, 6, 3, kGlyph);
        cv.fillEllipse(knobs[i], rows[i], 8, 8, kGlyph);
        cv.fillEllipse(knobs[i], rows[i], 3.5, 3.5, solid(rgba(120, 70, 190)));
    }
}

void drawNavAbout(Canvas& cv) {
    drawTile(cv, rgba(90, 210, 210), rgba(10, 120, 140));
    cv.strokeEllipse(50, 50, 30, 30, 7, kGlyph);
    cv.fillEllipse(50, 34, 5.5, 5.5, kGlyph);
    cv.fillRoundRect(45, 43, 10, 30, 3, kGlyph);
}

void drawToolProcess(Canvas& cv) {
    cv.fillRoundRect(6, 12, 88, 76, 8, solid(rgba(30, 70, 140)));
    cv.fillRect(10, 26, 80, 58, solid(rgba(250, 252, 255)));
    cv.fillEllipse(82, 19, 3.5, 3.5, solid(rgba(255, 110, 90)));
    cv.fillEllipse(72, 19, 3.5, 3.5, solid(rgba(255, 210, 80)));
    const Rgba bars[] = {rgba(60, 150, 240), rgba(80, 190, 100), rgba(240, 150, 50),
                         rgba(200, 80, 80)};
    const double lengths[] = {60, 42, 52, 28};
    for (int i = 0; i < 4; ++i) {
        double y = 33 + i * 12.5;
        cv.fillRect(16, y, 6, 7, solid(rgba(150, 160, 180)));
        cv.fillRect(26, y, lengths[i], 7, solid(bars[i]));
    }
}

void drawToolLog(Canvas& cv) {
    Contour page{{18, 6}, {68, 6}, {84, 22}, {84, 94}, {18, 94}};
    cv.fill({page}, solid(rgba(90, 100, 120)));
    Contour inner{{22, 10}, {66, 10}, {80, 24}, {80, 90}, {22, 90}};
    cv.fill({inner}, gradient({0, 10}, rgba(255, 255, 255), {0, 90}, rgba(230, 236, 245)));
    cv.fill({{{66, 10}, {80, 24}, {66, 24}}}, solid(rgba(190, 200, 215)));
    for (int i = 0; i < 5; ++i) {
        double y = 34 + i * 10;
        cv.fillRect(30, y, i == 4 ? 26 : 42, 4, solid(rgba(120, 135, 160)));
    }
    cv.fill({shieldContour(54, 62, 22, 26)}, solid(rgba(40, 160, 70)));
}

void drawToolFiles(Canvas& cv) {
    Contour back{{8, 20}, {38, 20}, {46, 29}, {92, 29}, {92, 86}, {8, 86}};
    cv.fill({back}, solid(rgba(200, 140, 20)));
    Contour front{{8, 38}, {92, 38}, {88, 86}, {12, 86}};
    cv.fill({front}, gradient({0, 38}, rgba(255, 215, 90), {0, 86}, rgba(240, 170, 30)));
    cv.fillRect(10, 40, 80, 3, solid(rgba(255, 240, 170)));
}

void drawToolSkin(Canvas& cv) {
    cv.fill({Canvas::ellipseContour(50, 52, 44, 38), Canvas::ellipseContour(64, 70, 8, 7)},
            solid(rgba(150, 110, 60)));
    cv.fill({Canvas::ellipseContour(50, 52, 40, 34), Canvas::ellipseContour(64, 70, 11, 10)},
            gradient({0, 18}, rgba(250, 225, 180), {0, 86}, rgba(225, 185, 125)));
    const Rgba dots[] = {rgba(230, 50, 50), rgba(250, 190, 30), rgba(50, 170, 70),
                         rgba(40, 110, 230), rgba(150, 70, 200)};
    const Point at[] = {{28, 46}, {40, 32}, {58, 30}, {74, 40}, {34, 64}};
    for (int i = 0; i < 5; ++i) cv.fillEllipse(at[i].x, at[i].y, 7, 7, solid(dots[i]));
}

void drawBannerShapes(Canvas& cv) {
    cv.fillRect(0, 0, kBannerW, kBannerH,
                gradient({0, 0}, rgba(20, 70, 170), {kBannerW, 0}, rgba(80, 165, 250)));
    cv.fillEllipse(300, 10, 60, 60, solid(rgba(255, 255, 255, 25)));
    cv.fillEllipse(250, 80, 40, 40, solid(rgba(255, 255, 255, 20)));
    cv.fillRect(0, kBannerH - 6, kBannerW, 6, solid(rgba(255, 200, 40)));
    drawShield(cv, 12, 8, 56, 64);
    drawStick(cv, 40, 20, 30);
}

void drawWelcome(Canvas& cv) {
    cv.fillRect(0, 0, kWelcomeW, kWelcomeH,
                gradient({0, 0}, rgba(235, 245, 255), {0, kWelcomeH}, rgba(175, 210, 245)));
    cv.fillEllipse(360, 230, 120, 90, solid(rgba(255, 255, 255, 70)));
    cv.fillEllipse(30, 250, 90, 50, solid(rgba(255, 255, 255, 60)));
    // A deep ribbon behind the link line, so its light text stays legible.
    cv.fillRect(0, 59, kWelcomeW, 26,
                gradient({0, 0}, rgba(20, 60, 150), {kWelcomeW, 0}, rgba(50, 120, 210)));
    cv.fillRect(0, 85, kWelcomeW, 2, solid(rgba(255, 200, 40)));
    // A faint shield watermark in the lower right.
    cv.fill({shieldContour(300, 120, 80, 110)}, solid(rgba(30, 90, 200, 30)));
    cv.fillRect(0, kWelcomeH - 5, kWelcomeW, 5, solid(rgba(30, 90, 200)));
}

constexpr std::array kShapes{
    PictureShape{"badge", drawBadge, kUnit, kUnit, 32, false},
    PictureShape{"app", drawBadge, kUnit, kUnit, 32, false},
    PictureShape{"logo", drawBadge, kUnit, kUnit, 32, false},
    PictureShape{"warning", drawWarning, kUnit, kUnit, 32, false},
    PictureShape{"nav_monitor", drawNavMonitor, kUnit, kUnit, 0, false},
    PictureShape{"nav_clean", drawNavClean, kUnit, kUnit, 0, false},
    PictureShape{"nav_advanced", drawNavAdvanced, kUnit, kUnit, 0, false},
    PictureShape{"nav_settings", drawNavSettings, kUnit, kUnit, 0, false},
    PictureShape{"nav_about", drawNavAbout, kUnit, kUnit, 0, false},
    PictureShape{"tool_process", drawToolProcess, kUnit, kUnit, 0, false},
    PictureShape{"tool_log", drawToolLog, kUnit, kUnit, 0, false},
    PictureShape{"tool_files", drawToolFiles, kUnit, kUnit, 0, false},
    PictureShape{"tool_skin", drawToolSkin, kUnit, kUnit, 0, false},
    PictureShape{"banner", drawBannerShapes, kBannerW, kBannerH, 0, true},
    PictureShape{"welcome", drawWelcome, kWelcomeW, kWelcomeH, 0, false},
};

}  // namespace

const PictureShape* findPictureShape(std::string_view key) {
    for (const PictureShape& shape : kShapes) {
        if (shape.key == key) return &shape;
    }
    return nullptr;
}

void drawUnknownPicture(Canvas& cv) {
    cv.fillRect(0, 0, kPictureUnit, kPictureUnit, solid(rgba(236, 236, 236)));
    double px = 1 / std::max(cv.scale(), 0.01);  // one pixel, in design units
    cv.strokeRect(0, 0, kPictureUnit, kPictureUnit, px, solid(rgba(150, 150, 150)));
}

}  // namespace qv::win32
