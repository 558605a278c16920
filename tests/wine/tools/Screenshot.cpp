// The whole screen as a 24-bit BMP in the artefact folder ($QV_ARTEFACTS).

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

}  // namespace

std::optional<std::wstring> saveScreenshot(std::wstring_view name) {
    std::wstring folder = artefactFolder();
    if (folder.empty() || name.empty()) return std::nullopt;
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
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
        copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
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

}  // namespace qv::testkit
