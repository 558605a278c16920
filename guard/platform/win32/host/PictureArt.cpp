#include "guard/platform/win32/host/PictureArt.h"

#include <algorithm>
#include <vector>

#include "common/win32/Gdi.h"
#include "guard/platform/win32/host/PictureShapes.h"

namespace qv::win32 {

namespace {

// The banner's words, drawn with GDI over its shapes.
void drawBannerText(HDC dc, RECT target) {
    int h = target.bottom - target.top;
    int w = target.right - target.left;
    if (h < 8 || w < 40) return;
    UniqueFont title(CreateFontW(-(h * 36 / 100), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                 GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 ANTIALIASED_QUALITY, DEFAULT_PITCH, L"黑体"));
    UniqueFont line(CreateFontW(-(h * 17 / 100), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                ANTIALIASED_QUALITY, DEFAULT_PITCH, L"宋体"));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, RGB(255, 255, 255));
    {
        Selection font(dc, title.get());
        RECT r{target.left + w * 23 / 100, target.top + h * 14 / 100, target.right,
               target.top + h * 60 / 100};
        DrawTextW(dc, L"QVu盘卫士", -1, &r, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    {
        Selection font(dc, line.get());
        SetTextColor(dc, RGB(255, 235, 150));
        RECT r{target.left + w * 23 / 100, target.top + h * 60 / 100, target.right,
               target.top + h * 88 / 100};
        DrawTextW(dc, L"U盘病毒的克星 · 守护您的每一次插入", -1, &r,
                  DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

}  // namespace

bool isKnownPicture(std::string_view key) {
    return findPictureShape(key) != nullptr;
}

int naturalPictureSize(std::string_view key) {
    const PictureShape* shape = findPictureShape(key);
    return shape ? shape->naturalSize : 0;
}

void drawPicture(HDC dc, Canvas& canvas, std::string_view key, RECT target) {
    double w = target.right - target.left;
    double h = target.bottom - target.top;
    if (w <= 0 || h <= 0) return;
    const PictureShape* shape = findPictureShape(key);
    GdiFlush();  // GDI drawing into the bitmap must land before its pixels are touched
    if (!shape) {
        canvas.setView(target.left, target.top, w, h, kPictureUnit, kPictureUnit);
        drawUnknownPicture(canvas);
        return;
    }
    canvas.setView(target.left, target.top, w, h, shape->designWidth, shape->designHeight);
    shape->draw(canvas);
    if (shape->hasText) drawBannerText(dc, target);
}

UniqueIcon makePictureIcon(std::string_view key, int size) {
    if (size <= 0) return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap colour;
    {
        UniqueScreenDc screen(GetDC(nullptr));
        colour.reset(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
        if (!colour || !dc) return {};
        // The bitmap leaves the DC before it becomes the icon's.
        Selection drawing(dc.get(), colour.get());
        std::fill_n(static_cast<std::uint32_t*>(bits), static_cast<size_t>(size) * size, 0u);
        Canvas canvas(static_cast<std::uint32_t*>(bits), size, size, size, false);
        drawPicture(dc.get(), canvas, key, RECT{0, 0, size, size});
        GdiFlush();
    }

    // The icon gets copies of both bitmaps; ours go when this returns.
    std::vector<BYTE> maskBits(static_cast<size_t>((size + 15) / 16 * 2) * size, 0);
    UniqueBitmap mask(CreateBitmap(size, size, 1, 1, maskBits.data()));
    if (!mask) return {};
    ICONINFO icon{TRUE, 0, 0, mask.get(), colour.get()};
    return UniqueIcon(CreateIconIndirect(&icon));
}

}  // namespace qv::win32
