#pragma once
// The guard headless with only the protection tools at work: the background timers that
// would scan the planted drives on their own are stopped, so that each test sees only
// what its own clicks and ticks do.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "guard/main_window/Form1.h"
#include "tests/support/GuardHarness.h"

namespace qv::test {

class ProtectionTest : public ::testing::Test {
protected:
    ProtectionTest() : f(h.guard.form1()) {
        f.Uptip.setEnabled(false);
        f.Jstm.setEnabled(false);
    }

    // Chooses the entry `entry` of Drive2 as the user does (after a refresh of the list).
    void chooseDrive(const std::string& entry) {
        f.Command17.click();
        for (int i = 0; i < f.Drive2.listCount(); ++i) {
            if (f.Drive2.list(i) == entry) {
                f.Drive2.setListIndex(i);
                return;
            }
        }
        ADD_FAILURE() << "no drive " << entry << " in the list";
    }

    static void plant(const std::filesystem::path& file, const std::string& content = "x") {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }
    static void makeReadOnly(const std::filesystem::path& file) {
        std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
    }

    GuardHarness h;
    Form1& f;
};

}  // namespace qv::test
