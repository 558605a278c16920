#include "tests/wine/host/Screenshot.h"

#include <cstdio>
#include <vector>

#include "tests/wine/host/WinePaths.h"

namespace qv::test {

namespace {

// The artefact folder as a Windows path ("" when QV_ARTEFACTS is not set).
std::wstring artefactFolder() {
    char folder[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA("QV_ARTEFACTS", folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return windowsPath(folder);
}

}  // namespace

std::wstring saveScreenshot(const std::wstring& name, HWND window, const RECT* only) {
    std::wstring folder = artefactFolder();
    if (folder.empty()) return {};
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT area = screen;
    if (window) GetWindowRect(window, &area);
    if (only) area = *only;
    // Only what lies on the screen can be read (a copy reaching past it reads nothing).
    if (!IntersectRect(&area, &area, &screen)) return {};
    int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return {};

    HDC desktop = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(desktop);
    HBITMAP bitmap = CreateCompatibleBitmap(desktop, w, h);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, w, h, desktop, area.left, area.top, SRCCOPY);
    SelectObject(mem, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = w;
    info.biHeight = h;  // bottom-up, as BMP files store rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    int stride = (w * 3 + 3) & ~3;
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * h);
    GetDIBits(mem, bitmap, 0, static_cast<UINT>(h), pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, desktop);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::wstring path = folder + L"\\" + name + L".bmp";
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return {};
    bool ok = fwrite(&file, sizeof(file), 1, out) == 1 &&
              fwrite(&info, sizeof(info), 1, out) == 1 &&
              fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    ok = fclose(out) == 0 && ok;
    return ok ? path : std::wstring();
}

}  // namespace qv::test
