// The skin changer's Win32 file operations on Wine's real file system: a skin put in place
// of Pifu.she in one step, and a Pifu.she that cannot be replaced left exactly as it was,
// with the system's own reason and no temporary file left behind.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win32/UniqueHandle.h"
#include "pifushe/catalog/SkinApply.h"
#include "pifushe/win32/Win32SkinFiles.h"
#include "tests/wine/tools/TestKit.h"

namespace qv::pifushe::win32 {

namespace {

constexpr char kNewSkin[] =
    "[skin]\r\nname = 深海\r\n[window]\r\nface = #DCE8F5\r\ntext = #0B2545\r\n";
constexpr char kOldSkin[] = "[skin]\nname = 旧\n[window]\nface = #101010\ntext = #000000\n";

// The names in `folder`, "." and ".." left out.
std::vector<std::wstring> namesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    qv::win32::UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!find) return names;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find.get(), &data));
    return names;
}

class Win32SkinFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder.path().empty());
        ASSERT_TRUE(CreateDirectoryW((folder / L"skins").c_str(), nullptr));
        ASSERT_TRUE(testkit::writeBytes(folder / L"skins\\深海.she", kNewSkin));
        ASSERT_TRUE(testkit::writeBytes(folder / L"Pifu.she", kOldSkin));
    }
    Status applyDeepSea() {
        Catalog catalog = listSkins(files, target.skinsFolder);
        EXPECT_EQ(catalog.error, "");
        if (catalog.skins.size() != 1) {
            ADD_FAILURE() << "one skin listed";
            return Status::failure("not listed");
        }
        EXPECT_EQ(catalog.skins[0].name, "深海");
        return applySkin(files, target, catalog.skins[0]);
    }

    testkit::TempFolder folder{L"qv-pifushe"};
    ApplyTarget target{testkit::utf8(folder / L"skins"), testkit::utf8(folder.path())};
    Win32SkinFiles files;
};

}  // namespace

TEST_F(Win32SkinFilesTest, TheChosenSkinTakesThePlaceOfPifuShe) {
    Status r = applyDeepSea();
    EXPECT_TRUE(r.ok()) << r.description();
    EXPECT_EQ(testkit::readBytes(folder / L"Pifu.she"), kNewSkin);
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::wstring>{L"Pifu.she", L"skins"}));
}

TEST_F(Win32SkinFilesTest, APifuSheThatCannotBeReplacedStaysAsItWas) {
    struct Case {
        const char* what;
        void (*prepare)(const std::wstring& pifu);
        void (*undo)(const std::wstring& pifu);
    };
    for (Case c :
         {Case{
              "read-only",
              [](const std::wstring& p) { SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_READONLY); },
              [](const std::wstring& p) { SetFileAttributesW(p.c_str(), FILE_ATTRIBUTE_NORMAL); }},
          Case{"a folder",
               [](const std::wstring& p) {
                   DeleteFileW(p.c_str());
                   CreateDirectoryW(p.c_str(), nullptr);
               },
               [](const std::wstring& p) {
                   RemoveDirectoryW(p.c_str());
                   testkit::writeBytes(p, kOldSkin);
               }}}) {
        SCOPED_TRACE(c.what);
        std::wstring pifu = folder / L"Pifu.she";
        c.prepare(pifu);
        auto before = testkit::readBytes(pifu);
        Status r = applyDeepSea();
        EXPECT_FALSE(r.ok()) << "a failure is never told as success";
        EXPECT_NE(r.description().find("原有皮肤未改动"), std::string::npos) << r.description();
        EXPECT_GT(r.description().size(),
                  std::string("无法替换 Pifu.she：。原有皮肤未改动。").size())
            << "with the system's reason: " << r.description();
        EXPECT_EQ(testkit::readBytes(pifu), before);
        EXPECT_EQ(namesIn(folder.path()), (std::vector<std::wstring>{L"Pifu.she", L"skins"}));
        c.undo(pifu);
    }
}

}  // namespace qv::pifushe::win32
