// A settings file is never lost: a process killed at any moment while it saves QVset.ini
// or XTset.ini leaves the file with either the old or the new line, never empty or half
// written, and a later save still works.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
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

TEST(InterruptedSaveTest, AKilledSaveLeavesTheOldOrTheNewLine) {
    test::TempFolder folder;
    std::mt19937 random(20261208);
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
        }
        // A later save still works and replaces the file.
        DriveTableFileSystem files(folder.path());
        ASSERT_TRUE(files.writeText(name, newLine).ok());
        EXPECT_EQ(bytesOf(folder.path() / name), newLine);
    }
}

}  // namespace
}  // namespace qv::posix
