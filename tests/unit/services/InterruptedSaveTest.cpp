// A settings file is never lost: a process killed at any moment while it saves QVset.ini
// or XTset.ini leaves the file with either the old or the new line, never empty or half
// written, and a later save still works and removes the temporary the killed one left
// behind, and nothing else.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "guard/platform/posix/DriveTableFileSystem.h"
#include "tests/support/TempFolder.h"

namespace qv::posix {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(InterruptedSaveTest, AKilledSaveLeavesTheOldOrTheNewLineAndTheNextSaveNoStrayFile) {
    test::TempFolder folder;
    // Files that look like temporaries of other programs stay whatever is saved.
    const std::set<std::string> others = {"qv1A2B.tmp", ".qv-x9Yz3k", "Rz.log.qvsave.old"};
    for (const std::string& name : others) std::ofstream(folder.path() / name) << "keep";
    std::mt19937 random(20261208);
    bool leftOne = false;
    for (const char* name : {"QVset.ini", "XTset.ini"}) {
        const std::string oldLine =
            std::string(name) == "QVset.ini" ? "111111\r\n" : "101010101\r\n";
        const std::string newLine =
            std::string(name) == "QVset.ini" ? "000000\r\n" : "010101010\r\n";
        {
            DriveTableFileSystem files(folder.path());
            ASSERT_TRUE(files.writeText(name, oldLine).ok());
        }
        for (int round = 0; round < 150; ++round) {
            pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                // Saves for as long as it lives, the two lines in turn.
                DriveTableFileSystem files(folder.path());
                for (unsigned i = 0;; ++i) (void)files.writeText(name, i % 2 ? oldLine : newLine);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            std::string now = bytesOf(folder.path() / name);
            ASSERT_TRUE(now == oldLine || now == newLine)
                << name << " round " << round << ": \"" << now << "\"";
            leftOne = leftOne || fs::exists(folder.path() / (std::string(name) + ".qvsave"));
        }
        // A later save still works, replaces the file and removes what a killed save left.
        std::ofstream(folder.path() / (std::string(name) + ".qvsave")) << "half";
        DriveTableFileSystem files(folder.path());
        ASSERT_TRUE(files.writeText(name, newLine).ok());
        EXPECT_EQ(bytesOf(folder.path() / name), newLine);
    }
    std::set<std::string> expected = others;
    expected.insert({"QVset.ini", "XTset.ini"});
    EXPECT_EQ(namesIn(folder.path()), expected);
    EXPECT_TRUE(leftOne) << "some save was killed between its temporary and the file";
}

}  // namespace
}  // namespace qv::posix
