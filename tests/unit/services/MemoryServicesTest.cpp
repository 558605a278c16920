// The in-memory registry and process back-ends: the few rules they share with the real
// services, which the guard's tests rely on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "guard/platform/posix/MemoryServices.h"

namespace qv::posix {
namespace {

using platform::WindowMode;

TEST(MemoryRegistryTest, ValuesAreFoundWithoutRegardToCaseAndOnlyExistingOnesDeleted) {
    MemoryRegistry registry;
    const std::string run = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    EXPECT_FALSE(registry.deleteValue(run + "\\QVud").ok()) << "nothing to delete yet";

    ASSERT_TRUE(registry.writeString(run + "\\QVud", "E:\\QVud.exe").ok());
    ASSERT_TRUE(registry.writeString(run + "\\qvud", "\"C:\\QV\\QVud.exe\"").ok());
    ASSERT_NE(registry.find(run + "\\QVUD"), nullptr);
    EXPECT_EQ(*registry.find(run + "\\QVud"), "\"C:\\QV\\QVud.exe\"") << "one value, written over";

    registry.setReadOnly(true);
    EXPECT_FALSE(registry.deleteValue(run + "\\QVud").ok());
    EXPECT_FALSE(registry.writeString(run + "\\Other", "x").ok());
    registry.setReadOnly(false);
    EXPECT_NE(registry.find(run + "\\QVud"), nullptr) << "a refused change changes nothing";

    EXPECT_TRUE(registry.deleteValue(run + "\\QVud").ok());
    EXPECT_EQ(registry.find(run + "\\QVud"), nullptr);
    EXPECT_FALSE(registry.deleteValue(run + "\\QVud").ok());
}

TEST(RecordingProcessesTest, AMissingProgramIsKnownByItsFileNameHoweverItIsWritten) {
    RecordingProcesses processes;
    processes.setMissing("Filedir.exe");
    for (const char* line : {"Filedir.exe", "filedir", "  FILEDIR.EXE /x",
                             "\"C:\\QV\\Filedir.exe\" a", "C:\\QV\\filedir.exe", "\"filedir"}) {
        EXPECT_FALSE(processes.start(line, WindowMode::Normal).ok()) << line;
    }
    EXPECT_FALSE(processes.start("   ", WindowMode::Normal).ok()) << "no program at all";
    EXPECT_EQ(processes.refused().size(), 7u);
    EXPECT_TRUE(processes.starts().empty());

    for (const char* line :
         {"Filedir2.exe", "Pifushe.exe", "cmd /c Filedir.exe", "\"C:\\Filedir.exe dir\\x.exe\""}) {
        EXPECT_TRUE(processes.start(line, WindowMode::Hidden).ok()) << line;
    }
    ASSERT_EQ(processes.starts().size(), 4u);
    EXPECT_EQ(processes.starts()[2],
              (RecordingProcesses::Start{"cmd /c Filedir.exe", WindowMode::Hidden}));
}

}  // namespace
}  // namespace qv::posix
