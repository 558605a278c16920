#include "tests/wine/host/Screenshot.h"

#include <cstdio>
#include <vector>

namespace qv::test {

namespace {

// The artefact folder as a Windows path. Under Wine the variable holds a Unix path, which
// Wine's own kernel32 translates.
std::wstring artefactFolder() {
    wchar_t folder[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(L"QV_ARTEFACTS", folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    if (folder[0] != L'/') return folder;
    using ToDos = WCHAR* (*)(const char*);
    auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    char unix[MAX_PATH] = {};
    if (!toDos || !GetEnvironmentVariableA("QV_ARTEFACTS", unix, MAX_PATH)) return {};
    WCHAR* dos = toDos(unix);
    if (!dos) return {};
    std::wstring result = dos;
    HeapFree(GetProcessHeap(), 0, dos);
    return result;
}

}  // namespace

std::wstring saveScreenshot(const std::wstring& name, HWND window) {
    std::wstring folder = artefactFolder();
    if (folder.empty()) return {};
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window) GetWindowRect(window, &area);
    int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return {};

    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
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
    ReleaseDC(nullptr, screen);

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
