#include <gtest/gtest.h>

#include <functional>

#include "pifushe/catalog/SkinApply.h"
#include "pifushe/tests/PosixSkinFiles.h"
#include "pifushe/tests/SkinTestFolder.h"

namespace qv::pifushe::test {

namespace {

const std::string kOldSkin = skinText("旧皮肤", "#101010");

// The real POSIX operations, with one step made to fail or to go wrong as a full disk, a
// locked file or a lying file system would.
class FaultySkinFiles : public PosixSkinFiles {
public:
    enum class Fault { None, WriteTemporary, Replace, ReadBack, ReadBackOther };
    Fault fault = Fault::None;

    Status read(const std::string& folder, const std::string& name, std::size_t limit,
                std::string& out) override {
        bool back = name == kGuardSkinFile;
        if (back && fault == Fault::ReadBack) return Status::failure("设备未就绪");
        Status r = PosixSkinFiles::read(folder, name, limit, out);
        if (back && fault == Fault::ReadBackOther) out += "x";
        return r;
    }
    Status writeTemporary(const std::string& folder, std::string_view bytes,
                          std::string& name) override {
        if (fault == Fault::WriteTemporary) return Status::failure("磁盘空间不足");
        return PosixSkinFiles::writeTemporary(folder, bytes, name);
    }
    Status replace(const std::string& folder, const std::string& from,
                   const std::string& to) override {
        if (fault == Fault::Replace) return Status::failure("另一个程序正在使用此文件");
        return PosixSkinFiles::replace(folder, from, to);
    }
};

class SkinApplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.writeSkin("青翠.she", skinText("青翠"));
        SkinTestFolder::write(fs::path(folder.program()) / "Pifu.she", kOldSkin);
    }
    SkinEntry listed(const std::string& file) {
        for (const SkinEntry& e : listSkins(files, folder.skins()).skins) {
            if (e.file == file) return e;
        }
        ADD_FAILURE() << file << " is not listed";
        return {};
    }
    Status apply(const SkinEntry& entry) {
        return applySkin(files, {folder.skins(), folder.program()}, entry);
    }

    SkinTestFolder folder;
    FaultySkinFiles files;
};

TEST_F(SkinApplyTest, CopiesTheChosenSkinOverPifuSheAndLeavesNothingElse) {
    SkinEntry green = listed("青翠.she");
    Status r = apply(green);
    EXPECT_TRUE(r.ok()) << r.description();
    EXPECT_EQ(folder.guardSkin(), skinText("青翠"));
    EXPECT_TRUE(folder.leftovers().empty());

    // Without any Pifu.she yet, one is made.
    fs::remove(fs::path(folder.program()) / "Pifu.she");
    EXPECT_TRUE(apply(green).ok());
    EXPECT_EQ(folder.guardSkin(), skinText("青翠"));
}

TEST_F(SkinApplyTest, EveryFailingStepIsReportedAndKeepsTheOldSkin) {
    using Fault = FaultySkinFiles::Fault;
    struct Case {
        Fault fault;
        const char* told;  // part of the error the user reads
        bool oldSkinKept;  // false: the new skin is in place, but unconfirmed
    };
    for (Case c :
         {Case{Fault::WriteTemporary, "磁盘空间不足", true},
          Case{Fault::Replace, "另一个程序正在使用此文件", true},
          Case{Fault::ReadBack, "设备未就绪", false}, Case{Fault::ReadBackOther, "不符", false}}) {
        SCOPED_TRACE(c.told);
        SkinTestFolder::write(fs::path(folder.program()) / "Pifu.she", kOldSkin);
        files.fault = c.fault;
        Status r = apply(listed("青翠.she"));
        EXPECT_FALSE(r.ok()) << "a failure is never told as success";
        EXPECT_NE(r.description().find(c.told), std::string::npos) << r.description();
        EXPECT_EQ(folder.guardSkin(), c.oldSkinKept ? kOldSkin : skinText("青翠"));
        EXPECT_TRUE(folder.leftovers().empty()) << "no temporary file is left behind";
    }
}

TEST_F(SkinApplyTest, ADamagedSkinIsRefusedEvenWhenItWasDamagedAfterListing) {
    folder.writeSkin("坏.she", "[skin]\n[window]\nface = #12345\ntext = #000000\n");
    folder.writeSkin("later.she", skinText("后来坏了"));
    SkinEntry broken = listed("坏.she");
    SkinEntry later = listed("later.she");
    ASSERT_TRUE(broken.damaged());
    ASSERT_FALSE(later.damaged());
    folder.writeSkin("later.she", skinText("后来坏了") + "[nonsense]\n");
    SkinEntry gone = listed("青翠.she");
    fs::remove(fs::path(folder.skins()) / "青翠.she");

    struct Case {
        const SkinEntry& entry;
        const char* told;
    };
    for (Case c : {Case{broken, "已损坏"}, Case{later, "已损坏"}, Case{gone, "无法读取"}}) {
        SCOPED_TRACE(c.entry.file);
        Status r = apply(c.entry);
        EXPECT_FALSE(r.ok());
        EXPECT_NE(r.description().find(c.told), std::string::npos) << r.description();
        EXPECT_EQ(folder.guardSkin(), kOldSkin);
        EXPECT_TRUE(folder.leftovers().empty());
    }
}

TEST_F(SkinApplyTest, APifuSheThatCannotBeReplacedIsLeftAsItIs) {
    // A folder named Pifu.she: the real rename() refuses to put a file in its place.
    fs::remove(fs::path(folder.program()) / "Pifu.she");
    fs::create_directory(fs::path(folder.program()) / "Pifu.she");
    SkinTestFolder::write(fs::path(folder.program()) / "Pifu.she" / "inside", "keep");
    Status r = apply(listed("青翠.she"));
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.description().find("无法替换 Pifu.she"), std::string::npos) << r.description();
    EXPECT_EQ(SkinTestFolder::read(fs::path(folder.program()) / "Pifu.she" / "inside"), "keep");
    EXPECT_TRUE(folder.leftovers().empty());

    // A program folder that is gone: nothing can be written.
    Status nowhere =
        applySkin(files, {folder.skins(), folder.program() + "/gone"}, listed("青翠.she"));
    EXPECT_FALSE(nowhere.ok());
    EXPECT_NE(nowhere.description().find("原有皮肤未改动"), std::string::npos)
        << nowhere.description();
}

}  // namespace

}  // namespace qv::pifushe::test
