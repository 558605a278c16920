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

TEST(MemoryRegistryTest, KeysExistWithTheirValuesAndGoWithEverythingUnderThem) {
    MemoryRegistry registry;
    const std::string key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\A";
    EXPECT_FALSE(registry.keyExists(key));
    registry.writeNumber(key + "\\B\\Start", 4);
    ASSERT_TRUE(registry.writeString(key + "\\", "default").ok());
    EXPECT_TRUE(registry.keyExists("hkey_local_machine\\software\\policies\\a"));
    EXPECT_TRUE(registry.keyExists(key + "\\B"));
    EXPECT_EQ(registry.readValue(key + "\\b\\START"),
              (platform::RegistryValue{platform::RegistryValue::Type::Number, "", 4}));
    EXPECT_EQ(registry.readValue(key + "\\"),
              (platform::RegistryValue{platform::RegistryValue::Type::String, "default", 0}));
    EXPECT_EQ(registry.find(key + "\\B\\Start"), nullptr) << "a number is no string";

    registry.deleteKey(key);
    EXPECT_FALSE(registry.keyExists(key));
    EXPECT_FALSE(registry.keyExists(key + "\\B"));
    EXPECT_EQ(registry.readValue(key + "\\B\\Start"), std::nullopt);
    EXPECT_TRUE(registry.keyExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies")) << "its parent stays";
}

TEST(RecordingProcessesTest, OnlyAFullPathStartsAndAMissingProgramIsKnownByItsFileName) {
    RecordingProcesses processes;
    processes.setMissing("Filedir.exe");
    for (const char* line :
         {"\"C:\\QV\\Filedir.exe\" a", "C:\\QV\\filedir.exe", "\"\\\\server\\share\\FILEDIR\""}) {
        EXPECT_FALSE(processes.start(line, WindowMode::Normal).ok()) << line;
    }
    for (const char* line : {"Filedir2.exe", "cmd /c x", "..\\x.exe", "C:x.exe", "   "}) {
        EXPECT_FALSE(processes.start(line, WindowMode::Normal).ok()) << "not a full path: " << line;
    }
    EXPECT_EQ(processes.refused().size(), 8u);
    EXPECT_TRUE(processes.starts().empty());

    for (const char* line : {"\"C:\\QV\\Filedir2.exe\"", "C:\\Windows\\system32\\cmd.exe /c x",
                             "\"C:\\Filedir.exe dir\\x.exe\""}) {
        EXPECT_TRUE(processes.start(line, WindowMode::Hidden).ok()) << line;
    }
    ASSERT_EQ(processes.starts().size(), 3u);
    EXPECT_EQ(
        processes.starts()[1],
        (RecordingProcesses::Start{"C:\\Windows\\system32\\cmd.exe /c x", WindowMode::Hidden}));
}

}  // namespace
}  // namespace qv::posix
