// The screen, or a window's part of it, as a 24-bit BMP in the artefact folder
// ($QV_ARTEFACTS); and single pixels of the screen.

#include <windows.h>

#include <vector>

#include "tests/wine/tools/TestKit.h"

namespace qv::testkit {

namespace {

std::wstring artefactFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    DWORD n = GetEnvironmentVariableW(L"QV_ARTEFACTS", folder, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) return {};
    std::wstring path = folder;
    if (path[0] == L'/') path = windowsPath(utf8(path));
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

// Saves the screen area `area` (screen coordinates) as `name`.bmp.
std::optional<std::wstring> saveArea(std::wstring_view name, const RECT& area) {
    std::wstring folder = artefactFolder();
    if (folder.empty() || name.empty()) return std::nullopt;
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return std::nullopt;

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up rows, as BMP files keep them
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    std::vector<char> pixels(stride * static_cast<size_t>(height));

    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return std::nullopt;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    bool copied = false;
    if (memory != nullptr && bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
        SelectObject(memory, previous);
        copied =
            copied && GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == height;
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (memory != nullptr) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!copied) return std::nullopt;

    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    bytes.append(pixels.data(), pixels.size());
    std::wstring path = folder + L"\\" + std::wstring(name) + L".bmp";
    if (!writeBytes(path, bytes)) return std::nullopt;
    return path;
}

// Whether `window` or one of its controls still has a part to paint (which may belong to
// another process: the update regions are the window system's).
bool paintPending(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return true;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (paintPending(child)) return true;
    }
    return false;
}

}  // namespace

std::optional<std::wstring> saveScreenshot(std::wstring_view name) {
    return saveArea(name, RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

std::optional<std::wstring> saveScreenshot(std::wstring_view name, HWND window) {
    if (window == nullptr || !IsWindow(window)) return std::nullopt;
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    // A window of another program paints when that program comes to it: the text a test
    // has just read may not be on the screen yet.
    waitFor([&] { return !paintPending(window); }, std::chrono::seconds(2));
    RECT area{};
    if (!GetWindowRect(window, &area)) return std::nullopt;
    return saveArea(name, area);
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return 96;
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

COLORREF screenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return CLR_INVALID;
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

}  // namespace qv::testkit
