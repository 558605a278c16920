// The pictures the host draws by code, the rasteriser under them, and what the screen
// shows: transparent labels over pictures, shapes that mark a picture without hiding it.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "guard/platform/win32/host/Canvas.h"
#include "guard/platform/win32/host/Layout.h"
#include "guard/platform/win32/host/PictureArt.h"
#include "tests/wine/host/HostFixture.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::test {

namespace {

using win32::Canvas;

struct Pixels {
    explicit Pixels(int w, int h, std::uint32_t fill = 0)
        : width(w), height(h), data(static_cast<size_t>(w) * h, fill) {}
    std::uint32_t at(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
    int width;
    int height;
    std::vector<std::uint32_t> data;
};

int red(std::uint32_t p) {
    return (p >> 16) & 0xFF;
}
int green(std::uint32_t p) {
    return (p >> 8) & 0xFF;
}
int blue(std::uint32_t p) {
    return p & 0xFF;
}
int alpha(std::uint32_t p) {
    return (p >> 24) & 0xFF;
}

// Draws `key` over a white 48 x 48 bitmap, as the host draws a picture on a form.
Pixels render(const std::string& key, int size = 48) {
    Pixels out(size, size);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::fill_n(pixels, static_cast<size_t>(size) * size, 0xFFFFFFFFu);
    Canvas canvas(pixels, size, size, size, true);
    win32::drawPicture(dc, canvas, key, RECT{0, 0, size, size});
    GdiFlush();
    std::copy_n(pixels, out.data.size(), out.data.begin());
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return out;
}

}  // namespace

TEST(Canvas, CoversPixelsExactlyAndBlendsPartlyCoveredEdges) {
    Pixels p(4, 2, 0xFF000000);
    Canvas canvas(p.data.data(), 4, 2, 4, true);
    canvas.fillRect(0.5, 0, 2, 2, win32::solid(win32::rgba(255, 255, 255)));
    EXPECT_NEAR(red(p.at(0, 0)), 128, 2) << "half covered";
    EXPECT_EQ(red(p.at(1, 0)), 255);
    EXPECT_NEAR(red(p.at(2, 1)), 128, 2);
    EXPECT_EQ(red(p.at(3, 1)), 0) << "outside";
    EXPECT_EQ(alpha(p.at(0, 0)), 255) << "an opaque canvas stays opaque";
}

TEST(Canvas, InnerContoursCutHolesAndTheViewMapsTheDesignBox) {
    Pixels p(10, 10, 0xFF000000);
    Canvas canvas(p.data.data(), 10, 10, 10, true);
    canvas.setView(0, 0, 10, 10, 100, 100);  // design units are tenths of a pixel
    canvas.strokeRect(0, 0, 100, 100, 20, win32::solid(win32::rgba(0, 0, 255)));
    EXPECT_EQ(blue(p.at(0, 0)), 255);
    EXPECT_EQ(blue(p.at(1, 5)), 255);
    EXPECT_EQ(blue(p.at(5, 5)), 0) << "the inside of an outline is left alone";
    EXPECT_EQ(blue(p.at(9, 9)), 255);
}

TEST(Canvas, GradientsRunBetweenTheirEndsAndTransparentCanvasesKeepAlpha) {
    Pixels p(10, 1, 0);
    Canvas canvas(p.data.data(), 10, 1, 10, false);
    canvas.fillRect(
        0, 0, 10, 1,
        win32::gradient({0.5, 0}, win32::rgba(0, 0, 0), {9.5, 0}, win32::rgba(255, 0, 0, 128)));
    EXPECT_EQ(red(p.at(0, 0)), 0);
    EXPECT_EQ(red(p.at(9, 0)), 255);
    EXPECT_NEAR(alpha(p.at(9, 0)), 128, 1);
    EXPECT_EQ(alpha(p.at(0, 0)), 255);
    EXPECT_GT(red(p.at(5, 0)), red(p.at(4, 0)));
}

TEST(Canvas, ShapesOutsideTheBufferAreClippedNotWrittenAnywhere) {
    std::vector<std::uint32_t> guarded(3 * 4, 0x12345678);  // one row of guard on each side
    Canvas canvas(guarded.data() + 4, 4, 1, 4, true);
    canvas.fillRect(-100, -100, 300, 300, win32::solid(win32::rgba(255, 255, 255)));
    canvas.fillEllipse(1e9, 1e9, 5, 5, win32::solid(win32::rgba(255, 0, 0)));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(guarded[i], 0x12345678u);
        EXPECT_EQ(guarded[8 + i], 0x12345678u);
        EXPECT_EQ(guarded[4 + i], 0xFFFFFFFFu);
    }
}

TEST(PictureArt, EveryKnownPictureDrawsAPictureNotAnEmptySquare) {
    for (const char* key : {"badge", "app", "logo", "warning", "nav_monitor", "nav_clean",
                            "nav_advanced", "nav_settings", "nav_about", "tool_process", "tool_log",
                            "tool_files", "tool_skin", "banner", "welcome"}) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(win32::isKnownPicture(key));
        Pixels p = render(key);
        std::set<std::uint32_t> colours;
        int painted = 0;
        for (std::uint32_t px : p.data) {
            colours.insert(px & 0xFFFFFF);
            if ((px & 0xFFFFFF) != 0xFFFFFF) ++painted;
        }
        EXPECT_GE(colours.size(), 6u) << "more than a flat square";
        EXPECT_GT(painted, 48 * 48 / 5);
    }
    EXPECT_FALSE(win32::isKnownPicture("no_such_picture"));
}

TEST(PictureArt, AnUnknownKeyDrawsANeutralFrame) {
    Pixels p = render("no_such_picture");
    EXPECT_EQ(p.at(0, 0) & 0xFFFFFF, 0x969696u) << "grey edge";
    EXPECT_EQ(p.at(24, 24) & 0xFFFFFF, 0xECECECu) << "light inside";
}

TEST(PictureArt, TheBadgeIconIsAShieldWithTransparentCorners) {
    win32::UniqueIcon icon = win32::makePictureIcon("badge", 32);
    ASSERT_NE(icon.get(), nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 32;
    bi.bmiHeader.biHeight = -32;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    Pixels p(32, 32);
    HDC dc = GetDC(nullptr);
    ASSERT_EQ(GetDIBits(dc, info.hbmColor, 0, 32, p.data.data(), &bi, DIB_RGB_COLORS), 32);
    ReleaseDC(nullptr, dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    EXPECT_EQ(alpha(p.at(0, 31)), 0) << "the shield's point leaves the corners empty";
    EXPECT_EQ(alpha(p.at(31, 31)), 0);
    EXPECT_EQ(alpha(p.at(16, 14)), 255);
    int opaque = 0, bluish = 0, white = 0;
    for (std::uint32_t px : p.data) {
        if (alpha(px) > 200) ++opaque;
        if (alpha(px) > 200 && blue(px) > red(px) + 60) ++bluish;
        if (alpha(px) > 200 && red(px) > 230 && green(px) > 230 && blue(px) > 230) ++white;
    }
    EXPECT_GT(opaque, 32 * 32 * 45 / 100);
    EXPECT_LT(opaque, 32 * 32 * 92 / 100) << "not a square";
    EXPECT_GT(bluish, opaque / 3) << "a blue shield";
    EXPECT_GT(white, 20) << "with the white drive on it";
}

TEST(Layout, StackingPutsPicturesLowShapesAboveThemAndFramesUnderTheirContents) {
    win32::Win32Host host;
    SampleForm form(host);
    std::vector<std::string> names;
    for (ui::Control* c : win32::stackingOrder(form)) names.push_back(c->name());
    std::vector<std::string> expected{
        "Caption", "Picture", "Marker", "Check",   "OptionA",  "OptionB", "Button",     "Text",
        "Letter",  "List",    "Drives", "Folders", "Progress", "Box",     "InBoxLabel", "InBox"};
    EXPECT_EQ(names, expected);
    ui::Rect inside = win32::absoluteBounds(form.InBoxLabel);
    EXPECT_EQ(inside.left, 2400 + 240);
    EXPECT_EQ(inside.top, 1200 + 660);
}

TEST_F(HostTest, LabelsShowThePictureUnderThemAndShapesOnlyMarkTheirPicture) {
    ui::Form form(host, "Gallery");
    form.setBorder(ui::FormBorder::None);
    form.setBounds({1500, 1500, 6000, 4005});
    ui::Image back(form, "Back");
    back.setBounds({0, 0, 6000, 4005});
    back.setPicture("welcome");
    ui::Label link(form, "Link");
    link.setBounds({150, 960, 4455, 255});
    link.setCaption("云桥 - 电脑技术学习中心");
    link.setForeColor(0x00FFFF);
    ui::Image tile(form, "Tile");
    tile.setBounds({4500, 2400, 735, 735});
    tile.setPicture("nav_clean");
    ui::Shape mark(form, "Mark");
    mark.setBounds({4500, 2400, 735, 735});
    mark.setBorderColor(0xC0FFFF);
    mark.setBorderWidth(3);
    form.show();
    HWND hwnd = host.formWindow(form);
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);

    RECT label;
    GetWindowRect(findControlWindow(hwnd, L"Link"), &label);
    RECT tileRect;
    GetWindowRect(findControlWindow(hwnd, L"Tile"), &tileRect);
    int cx = (tileRect.left + tileRect.right) / 2, cy = tileRect.top + px(735) * 30 / 100;
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The label's corner shows the deep ribbon of the picture beneath it, not the form.
    auto ribbon = [&] {
        COLORREF c = testkit::screenPixel(label.right - 2, label.top + 1);
        return c != face && GetBValue(c) > 120 && GetRValue(c) < 110;
    };
    auto marked = [&] {
        return testkit::screenPixel(tileRect.left + 1, tileRect.top + 1) == RGB(0xFF, 0xFF, 0xC0);
    };
    auto tileShows = [&] {
        COLORREF c = testkit::screenPixel(cx, cy);
        return c != RGB(0xFF, 0xFF, 0xC0) && GetGValue(c) > GetRValue(c) + 40;
    };
    EXPECT_TRUE(pumpUntil([&] { return ribbon() && marked() && tileShows(); }))
        << "ribbon " << ribbon() << " marked " << marked() << " tile " << tileShows();
    testkit::saveScreenshot(L"host_pictures");
}

TEST_F(HostTest, ScreenshotOfEveryControlKind) {
    SampleForm form(host);
    form.setBorder(ui::FormBorder::FixedSingle);
    form.Check.setValue(1);
    form.OptionA.setValue(true);
    form.Text.setText("可以输入中文");
    form.List.addItem("e:\\docs.exe");
    form.List.addItem("e:\\照片.exe");
    form.Drives.setSource([](std::vector<std::string>& out) { out = {"c:", "e:"}; });
    form.Drives.refresh();
    form.Progress.setValue(60);
    form.Caption.setFont({"", 12, true});
    form.Caption.setForeColor(0x0000C0);
    form.show();
    HWND hwnd = host.formWindow(form);
    SetForegroundWindow(hwnd);
    RedrawWindow(hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT edit;
    GetWindowRect(child(form, L"Text"), &edit);
    // Wait until the window's pixels have reached the screen before taking the picture.
    EXPECT_TRUE(pumpUntil([&] {
        return testkit::screenPixel(edit.right - 4, edit.bottom - 4) == RGB(255, 255, 255);
    }));
    testkit::saveScreenshot(L"host_controls");
}

}  // namespace qv::test
