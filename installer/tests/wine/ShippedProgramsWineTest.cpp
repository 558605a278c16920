// Every program of the package carries what Windows 10 and 11 read from its resources: an
// application manifest that names its execution level (the invoking user's, but for the
// uninstaller, which removes files from the program folder and so asks for an
// administrator; nothing left to installer detection's guess from the name), declares it
// aware of the system's DPI (so its text is drawn sharp, not stretched as a bitmap), asks
// for the common controls 6 and names Windows 10 among the systems it supports; and
// version information. Both name the product's version. Each carries its icon too, the one
// Explorer, the Start menu and "Programs and Features" show: the guard's shield for the
// guard, the uninstaller and the setup program, a picture of its own for each companion.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "installer/tests/wine/Installation.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::setup::test {
namespace {

using namespace qv::testkit;

// A module loaded for its resources only: none of its code runs.
struct ResourceModule {
    explicit ResourceModule(const std::wstring& path)
        : module(LoadLibraryExW(path.c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ResourceModule() {
        if (module) FreeLibrary(module);
    }
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    std::string resource(LPCWSTR type, LPCWSTR name) const {
        HRSRC found = FindResourceW(module, name, type);
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        return bytes ? std::string(static_cast<const char*>(bytes), SizeofResource(module, found))
                     : std::string();
    }

    HMODULE module;
};

// The pixels of the module's first icon drawn at 32 x 32 over white; empty when it has none.
std::vector<std::uint32_t> iconPixels(HMODULE module) {
    struct Found {
        LPWSTR name = nullptr;
        bool taken = false;
    } found;
    EnumResourceNamesW(
        module, RT_GROUP_ICON,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
            auto* first = reinterpret_cast<Found*>(param);
            first->name = IS_INTRESOURCE(name) ? name : _wcsdup(name);
            first->taken = true;
            return FALSE;  // the first is the one Explorer shows
        },
        reinterpret_cast<LONG_PTR>(&found));
    if (!found.taken) return {};
    HICON icon = static_cast<HICON>(LoadImageW(module, found.name, IMAGE_ICON, 32, 32, 0));
    if (!IS_INTRESOURCE(found.name)) free(found.name);
    if (!icon) return {};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    std::vector<std::uint32_t> pixels;
    if (dc && bitmap) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT all{0, 0, 32, 32};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL);
        GdiFlush();
        const auto* first = static_cast<const std::uint32_t*>(bits);
        pixels.assign(first, first + 32 * 32);
        SelectObject(dc, old);
    }
    if (bitmap) DeleteObject(bitmap);
    if (dc) DeleteDC(dc);
    DestroyIcon(icon);
    return pixels;
}

std::wstring productVersion(const std::wstring& path) {
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    if (info.empty() ||
        !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data())) {
        return L"";
    }
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), L"\\StringFileInfo\\080404b0\\ProductVersion",
                        reinterpret_cast<void**>(&text), &length) ||
        length == 0) {
        return L"";
    }
    return std::wstring(text);
}

TEST(ShippedProgramsWine, EachRunsAsTheInvokingUserAwareOfTheScreensDpi) {
    const std::wstring stage = windowsPath(QV_PACKAGE_STAGE);
    int programs = 0;
    for (const std::wstring& name : packageFiles()) {
        if (name.size() < 4 || name.substr(name.size() - 4) != L".exe") continue;
        ++programs;
        const std::wstring path = stage + L"\\" + name;
        SCOPED_TRACE(utf8(name));
        ResourceModule program(path);
        ASSERT_NE(program.module, nullptr);
        const std::string manifest = program.resource(RT_MANIFEST, MAKEINTRESOURCEW(1));
        const std::string level = name == L"QVuninst.exe" ? "requireAdministrator" : "asInvoker";
        EXPECT_NE(manifest.find(R"(<requestedExecutionLevel level=")" + level + '"'),
                  std::string::npos);
        EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
        EXPECT_NE(manifest.find(">system</dpiAwareness>"), std::string::npos);
        EXPECT_NE(manifest.find(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"),
                  std::string::npos);
        EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos)
            << "Windows 10 and 11";
        EXPECT_NE(manifest.find("version=\"" + utf8(QV_VERSION) + ".0\""), std::string::npos);
        EXPECT_EQ(productVersion(path), QV_VERSION);
    }
    EXPECT_EQ(programs, 4) << "QVud, QVuninst, Filedir and Pifushe";
}

TEST(ShippedProgramsWine, EachShowsItsOwnIconAndTheSetupProgramTheGuards) {
    const std::wstring stage = windowsPath(QV_PACKAGE_STAGE);
    auto pixelsOf = [](const std::wstring& path) {
        ResourceModule program(path);
        return program.module ? iconPixels(program.module) : std::vector<std::uint32_t>();
    };
    const std::vector<std::uint32_t> guard = pixelsOf(stage + L"\\QVud.exe");
    ASSERT_EQ(guard.size(), 32u * 32u) << "the guard has an icon";
    const std::uint32_t white = guard[0] & 0xFFFFFF;
    EXPECT_EQ(white, 0xFFFFFFu) << "its corner is transparent";
    EXPECT_NE(guard[16 * 32 + 16] & 0xFFFFFF, white) << "its middle is drawn";
    EXPECT_EQ(pixelsOf(stage + L"\\QVuninst.exe"), guard);
    EXPECT_EQ(pixelsOf(windowsPath(QV_SETUP_EXE)), guard);
    for (const wchar_t* companion : {L"Filedir.exe", L"Pifushe.exe"}) {
        SCOPED_TRACE(utf8(companion));
        const std::vector<std::uint32_t> own = pixelsOf(stage + L"\\" + companion);
        ASSERT_EQ(own.size(), guard.size());
        EXPECT_NE(own, guard);
    }
}

}  // namespace
}  // namespace qv::setup::test
