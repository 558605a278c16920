// The registry files shipped for the policy switches: the format the registry editor
// imports (UTF-16LE with a byte-order mark, CR LF, the version 5 header), and each O file
// undoing exactly what its C file sets.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace qv {
namespace {

namespace fs = std::filesystem;

// The file's lines, from UTF-16LE (the files hold ASCII only); a failure names what is
// wrong with the encoding or the line ends.
std::vector<std::string> lines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(bytes.starts_with("\xff\xfe")) << "byte-order mark of UTF-16LE";
    EXPECT_EQ(bytes.size() % 2, 0u);
    std::string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        EXPECT_EQ(bytes[i + 1], '\0') << "ASCII text at byte " << i;
        text += bytes[i];
    }
    EXPECT_TRUE(text.ends_with("\r\n"));
    std::vector<std::string> result;
    size_t at = 0;
    for (size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
        std::string line = text.substr(at, end - at);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a lone CR or LF";
        result.push_back(line);
    }
    return result;
}

// Keys (a leading '-' kept, for a key deleted whole) and the value names set or deleted
// under each.
std::map<std::string, std::set<std::string>> entries(const std::vector<std::string>& lines) {
    std::map<std::string, std::set<std::string>> keys;
    std::string key;
    for (size_t i = 1; i < lines.size(); ++i) {  // after the header
        const std::string& line = lines[i];
        if (line.starts_with("[")) {
            EXPECT_TRUE(line.ends_with("]")) << line;
            key = line.substr(1, line.size() - 2);
            EXPECT_TRUE(key.starts_with("HKEY_LOCAL_MACHINE\\") ||
                        key.starts_with("-HKEY_LOCAL_MACHINE\\"))
                << key;
            keys[key];
        } else if (!line.empty()) {
            EXPECT_FALSE(key.empty()) << "a value outside a key: " << line;
            keys[key].insert(line.substr(0, line.find('=')));
        }
    }
    return keys;
}

std::string undeleted(const std::string& key) {
    return key.starts_with("-") ? key.substr(1) : key;
}

TEST(RegistryFilesTest, EachPairIsImportableAndTheOpenFileUndoesTheCloseFile) {
    for (const char* policy : {"zdbf", "up", "inf", "wlup"}) {
        SCOPED_TRACE(policy);
        fs::path folder = QV_SHIPPED_DIR;
        auto close = lines(folder / (std::string("C") + policy + ".reg"));
        auto open = lines(folder / (std::string("O") + policy + ".reg"));
        for (const auto* file : {&close, &open}) {
            ASSERT_GE(file->size(), 3u);
            EXPECT_EQ((*file)[0], "Windows Registry Editor Version 5.00");
            EXPECT_EQ((*file)[1], "");
        }
        auto set = entries(close);
        auto undo = entries(open);
        ASSERT_EQ(set.size(), undo.size());
        for (const auto& [key, values] : set) {
            EXPECT_FALSE(key.starts_with("-")) << "a close file deletes nothing";
            EXPECT_FALSE(values.empty()) << key;
            if (undo.contains("-" + key)) continue;  // the whole key goes again
            ASSERT_TRUE(undo.contains(key)) << key;
            EXPECT_EQ(undo.at(key), values) << "the same values are put back or deleted";
        }
        for (const auto& [key, values] : undo) {
            EXPECT_TRUE(set.contains(undeleted(key)))
                << "an open file touches only its pair's keys";
        }
    }
}

}  // namespace
}  // namespace qv
