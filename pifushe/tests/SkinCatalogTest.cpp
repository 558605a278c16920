#include <gtest/gtest.h>

#include "pifushe/catalog/SkinCatalog.h"
#include "pifushe/tests/PosixSkinFiles.h"
#include "pifushe/tests/SkinTestFolder.h"

namespace qv::pifushe::test {

namespace {

// Reports every file as small, whatever its real size: a file that grows between the
// listing and the reading, or a file system that reports sizes wrongly.
class SmallSizes : public PosixSkinFiles {
public:
    Status list(const std::string& folder, std::vector<FileInfo>& out) override {
        Status r = PosixSkinFiles::list(folder, out);
        for (FileInfo& f : out) f.size = 10;
        return r;
    }
};

TEST(SkinCatalog, ListsSkinFilesInNameOrderWithNamesAndDamage) {
    SkinTestFolder folder;
    folder.writeSkin("青翠.she", skinText("青翠"));
    folder.writeSkin("b-plain.SHE", "[skin]\n[window]\nface = #F0F0F0\ntext = #000000\n");
    folder.writeSkin("A-broken.she", skinText("坏") + "what is this line\n");
    folder.writeSkin("c-big.she", skinText("大") + std::string(skin::kMaxSkinBytes, ';'));
    folder.writeSkin("c-empty.she", "");
    folder.writeSkin("readme.txt", skinText("不是皮肤"));
    folder.writeSkin(".she", skinText("没有名字"));
    fs::create_directory(fs::path(folder.skins()) / "folder.she");
    SkinTestFolder::write(folder.root() / "outside.she", skinText("外面"));
    fs::create_symlink(folder.root() / "outside.she", fs::path(folder.skins()) / "link.she");

    PosixSkinFiles files;
    Catalog catalog = listSkins(files, folder.skins());
    EXPECT_EQ(catalog.error, "");
    EXPECT_FALSE(catalog.truncated);

    struct Want {
        const char* file;
        const char* name;
        bool damaged;
        const char* problem;
    };
    const Want want[] = {{"A-broken.she", "A-broken", true, "格式不符"},
                         {"b-plain.SHE", "b-plain", false, ""},
                         {"c-big.she", "c-big", true, "文件大于 64 KB"},
                         {"c-empty.she", "c-empty", true, "格式不符"},
                         {"青翠.she", "青翠", false, ""}};
    ASSERT_EQ(catalog.skins.size(), std::size(want));
    for (std::size_t i = 0; i < std::size(want); ++i) {
        SCOPED_TRACE(want[i].file);
        const SkinEntry& e = catalog.skins[i];
        EXPECT_EQ(e.file, want[i].file);
        EXPECT_EQ(e.name, want[i].name);
        EXPECT_EQ(e.damaged(), want[i].damaged);
        EXPECT_EQ(e.problem, want[i].problem);
    }
    EXPECT_EQ(catalog.skins[1].theme->windowFace, 0xF0F0F0u);
    EXPECT_EQ(catalog.skins[4].theme->buttonFont.face, "宋体");
    EXPECT_EQ(files.reads, 4) << "a file listed as too large is not read at all";
    EXPECT_EQ(files.largestLimit, skin::kMaxSkinBytes + 1);
}

TEST(SkinCatalog, NeverReadsMoreThanOneByteBeyondTheLargestSkin) {
    SkinTestFolder folder;
    // Exactly the largest size allowed is a skin; one byte more is not, whatever the
    // listing said about its size.
    std::string largest = skinText("最大");
    largest += std::string(skin::kMaxSkinBytes - largest.size() - 1, ';') + "\n";
    ASSERT_EQ(largest.size(), skin::kMaxSkinBytes);
    folder.writeSkin("a.she", largest);
    folder.writeSkin("b.she", largest + "\n");
    folder.writeSkin("c.she", largest + std::string(10 * skin::kMaxSkinBytes, '\n'));

    SmallSizes files;
    Catalog catalog = listSkins(files, folder.skins());
    ASSERT_EQ(catalog.skins.size(), 3u);
    EXPECT_FALSE(catalog.skins[0].damaged());
    EXPECT_EQ(catalog.skins[0].name, "最大");
    for (int i : {1, 2}) {
        EXPECT_TRUE(catalog.skins[i].damaged());
        EXPECT_EQ(catalog.skins[i].problem, "文件大于 64 KB");
    }
    EXPECT_EQ(files.largestLimit, skin::kMaxSkinBytes + 1);
}

TEST(SkinCatalog, AMissingFolderIsReportedAndAnOverfullOneCut) {
    SkinTestFolder folder;
    PosixSkinFiles files;
    Catalog missing = listSkins(files, folder.skins() + "/none");
    EXPECT_TRUE(missing.skins.empty());
    EXPECT_NE(missing.error, "");

    for (std::size_t i = 0; i < kMaxListedSkins + 5; ++i) {
        folder.writeSkin("s" + std::to_string(1000 + i) + ".she", skinText("s"));
    }
    Catalog full = listSkins(files, folder.skins());
    EXPECT_EQ(full.error, "");
    EXPECT_TRUE(full.truncated);
    ASSERT_EQ(full.skins.size(), kMaxListedSkins);
    EXPECT_EQ(full.skins.front().file, "s1000.she");
    EXPECT_EQ(files.reads, static_cast<int>(kMaxListedSkins)) << "the rest are never read";
}

TEST(SkinCatalog, ThePreviewSaysWhyItShowsNoSkin) {
    Catalog catalog;
    EXPECT_EQ(previewNotice(catalog, nullptr), "没有可以预览的皮肤。");
    catalog.skins.push_back({"坏.she", "坏", std::nullopt, "第 3 行不是“键=值”"});
    EXPECT_EQ(previewNotice(catalog, nullptr), "请在左边选择一个皮肤。")
        << "nothing chosen is not a damaged skin";
    EXPECT_EQ(previewNotice(catalog, &catalog.skins[0]),
              "这个皮肤文件已损坏，不能预览，也不能应用。\r\n\r\n原因：第 3 行不是“键=值”");
}

TEST(SkinCatalog, TheSkinInUseIsFoundByItsTheme) {
    SkinTestFolder folder;
    folder.writeSkin("a.she", skinText("甲", "#010203"));
    folder.writeSkin("b.she", skinText("乙", "#040506"));
    PosixSkinFiles files;
    Catalog catalog = listSkins(files, folder.skins());
    // The same theme in other bytes (a comment, CR LF line ends) is the same skin.
    EXPECT_EQ(indexOfTheme(catalog, themeOf("; copy\r\n" + skinText("乙", "#040506"))), 1);
    EXPECT_EQ(indexOfTheme(catalog, themeOf(skinText("乙", "#040507"))), -1);
    EXPECT_EQ(indexOfTheme(catalog, themeOf("damaged")), -1);
}

TEST(SkinCatalog, LongNamesAreShortenedBetweenCharacters) {
    SkinTestFolder folder;
    std::string forty;
    for (int i = 0; i < 40; ++i) forty += "海";
    folder.writeSkin("a.she", skinText(forty));
    folder.writeSkin("b.she", skinText(forty + "x"));
    folder.writeSkin(std::string(60, 'c') + ".she", "damaged");
    PosixSkinFiles files;
    Catalog catalog = listSkins(files, folder.skins());
    ASSERT_EQ(catalog.skins.size(), 3u);
    EXPECT_EQ(catalog.skins[0].name, forty);
    EXPECT_EQ(catalog.skins[1].name, forty + "…");
    EXPECT_EQ(catalog.skins[2].name, std::string(40, 'c') + "…");
}

TEST(SkinCatalog, SkinFileNames) {
    for (auto [name, skin] :
         {std::pair{"a.she", true}, std::pair{"A.SHE", true}, std::pair{"皮肤.She", true},
          std::pair{".she", false}, std::pair{"a.she.txt", false}, std::pair{"ashe", false},
          std::pair{"a.sh", false}}) {
        EXPECT_EQ(isSkinFileName(name), skin) << name;
    }
}

}  // namespace

}  // namespace qv::pifushe::test

namespace qv::pifushe::test {

TEST(ShippedSkins, AtLeastThreeValidDistinctSkinsWithThePlainSystemLookAmongThem) {
    PosixSkinFiles files;
    Catalog catalog = listSkins(files, QV_SHIPPED_SKINS);
    ASSERT_EQ(catalog.error, "");
    ASSERT_GE(catalog.skins.size(), 3u);
    bool plain = false;
    for (std::size_t i = 0; i < catalog.skins.size(); ++i) {
        const SkinEntry& e = catalog.skins[i];
        SCOPED_TRACE(e.file);
        ASSERT_FALSE(e.damaged()) << e.problem;
        EXPECT_FALSE(e.theme->name.empty());
        EXPECT_EQ(indexOfTheme(catalog, e.theme), static_cast<int>(i)) << "each looks different";
        plain = plain || (e.theme->windowFace == 0xF0F0F0 && e.theme->windowText == 0 &&
                          e.theme->editFace == 0xFFFFFF && e.theme->buttonFace == 0xF0F0F0);
    }
    EXPECT_TRUE(plain) << "the plain system look";
}

}  // namespace qv::pifushe::test
