#pragma once
// What the skin changer's tests share: a fresh temporary folder with a skins folder and a
// program folder inside, and skin files to put there.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace qv::pifushe::test {

namespace fs = std::filesystem;

// A well-formed skin named `name` whose window face is `face` ("#RRGGBB").
inline std::string skinText(const std::string& name, const std::string& face = "#E6F2EA") {
    return "[skin]\nformat = 1\nname = " + name + "\n\n[window]\nface = " + face +
           "\ntext = #1E3A28\n\n[button]\nface = #3D8B5C\nfont = 宋体, 9, bold\n";
}

class SkinTestFolder {
public:
    SkinTestFolder() {
        root_ = fs::temp_directory_path() /
                ("qv-pifushe-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "program" / "skins");
    }
    ~SkinTestFolder() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    SkinTestFolder(const SkinTestFolder&) = delete;
    SkinTestFolder& operator=(const SkinTestFolder&) = delete;

    fs::path root() const { return root_; }
    std::string program() const { return (root_ / "program").string(); }
    std::string skins() const { return (root_ / "program" / "skins").string(); }

    static void write(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::optional<std::string> read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void writeSkin(const std::string& file, const std::string& bytes) const {
        write(fs::path(skins()) / file, bytes);
    }
    std::optional<std::string> guardSkin() const { return read(fs::path(program()) / "Pifu.she"); }
    // The names in the program folder other than Pifu.she and the skins folder: what a
    // failed or finished apply must not leave behind.
    std::vector<std::string> leftovers() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(program())) {
            std::string name = e.path().filename().string();
            if (name != "Pifu.she" && name != "skins") names.push_back(name);
        }
        return names;
    }

private:
    fs::path root_;
};

}  // namespace qv::pifushe::test
