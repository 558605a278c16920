// The choice of the data folder: a portable copy keeps its files beside itself; a copy
// under Program Files (either view) or in a folder its user cannot write uses the shared
// folder under ProgramData.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/folders/DataFolder.h"

namespace qv::folders {
namespace {

const std::vector<std::string> kProgramFiles = {"C:\\Program Files", "C:\\Program Files (x86)"};
const std::string kShared = "C:\\ProgramData\\QVu盘卫士";

// The choice for `program`, with `writable` as the user's rights in it; counts the asks.
DataFolderChoice choose(const std::string& program, bool writable, int* asked = nullptr) {
    return chooseDataFolder(program, kProgramFiles, kShared, [&] {
        if (asked) ++*asked;
        return writable;
    });
}

TEST(DataFolderTest, UnderEitherProgramFilesTheSharedFolderWithoutLookingAtRights) {
    for (const char* program : {"C:\\Program Files\\QVu盘卫士", "c:\\PROGRAM FILES (X86)\\QV",
                                "C:\\Program Files\\", "C:/Program Files/工具/QV"}) {
        int asked = 0;
        DataFolderChoice choice = choose(program, true, &asked);
        EXPECT_EQ(choice.folder, kShared) << program;
        EXPECT_EQ(choice.reason, DataFolderReason::UnderProgramFiles) << program;
        EXPECT_EQ(asked, 0) << program;
    }
}

TEST(DataFolderTest, APortableCopyKeepsItsFilesBesideItselfUnlessTheUserCannotWriteThere) {
    for (const char* program : {"E:\\", "D:\\工具\\QV", "C:\\Program Files Extra\\QV",
                                "C:\\Program", "\\\\server\\share\\QV"}) {
        DataFolderChoice writable = choose(program, true);
        EXPECT_EQ(writable.folder, program);
        EXPECT_EQ(writable.reason, DataFolderReason::Portable);
        DataFolderChoice readOnly = choose(program, false);
        EXPECT_EQ(readOnly.folder, kShared) << program;
        EXPECT_EQ(readOnly.reason, DataFolderReason::NotWritable);
    }
}

TEST(DataFolderTest, WithoutASharedFolderTheProgramFolderIsAllThereIs) {
    DataFolderChoice choice =
        chooseDataFolder("C:\\Program Files\\QV", kProgramFiles, "", [] { return false; });
    EXPECT_EQ(choice.folder, "C:\\Program Files\\QV");
}

TEST(DataFolderTest, InFolderPutsOneBackslashBetween) {
    EXPECT_EQ(inFolder("E:\\", "Rz.log"), "E:\\Rz.log");
    EXPECT_EQ(inFolder("C:\\QV", "skins\\a.she"), "C:\\QV\\skins\\a.she");
    EXPECT_EQ(inFolder("", "Rz.log"), "Rz.log");
    EXPECT_TRUE(isInside("C:\\QV\\", "c:\\qv"));
    EXPECT_FALSE(isInside("C:\\", "C:\\QV"));
    EXPECT_FALSE(isInside("C:\\QV", ""));
}

}  // namespace
}  // namespace qv::folders
