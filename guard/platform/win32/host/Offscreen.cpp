#include "guard/platform/win32/host/Offscreen.h"

namespace qv::win32 {

Offscreen::Offscreen(HDC like, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_.reset(CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    dc_.reset(CreateCompatibleDC(like));
    if (bitmap_ && dc_) selection_.emplace(dc_.get(), bitmap_.get());
}

}  // namespace qv::win32
