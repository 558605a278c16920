#pragma once
// The guard headless with only the protection tools at work: the background timers that
// would scan the planted drives on their own are stopped.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "guard/main_window/Form1.h"
#include "tests/support/GuardHarness.h"

namespace qv::test {

inline void stopBackgroundScans(Form1& f) {
    f.Uptip.setEnabled(false);
    f.Jstm.setEnabled(false);
}

inline void plant(const std::filesystem::path& file, const std::string& content = "MZ") {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

// A file its owner may not write stands for a read-only file on the drive table.
inline void makeReadOnly(const std::filesystem::path& file) {
    std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
}

class ProtectionTest : public ::testing::Test {
protected:
    ProtectionTest() : f(h.guard.form1()) { stopBackgroundScans(f); }
    GuardHarness h;
    Form1& f;
};

}  // namespace qv::test
