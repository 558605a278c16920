#include "tests/support/RegFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace qv::test {

std::string readRegFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(bytes.starts_with("\xff\xfe")) << path;
    EXPECT_EQ(bytes.size() % 2, 0u) << path;
    std::string text;  // the files hold ASCII only
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        EXPECT_EQ(bytes[i + 1], '\0') << path << " at " << i;
        text += bytes[i];
    }
    return text;
}

RegEdits parseRegFile(const std::string& text) {
    RegEdits edits;
    std::string key;
    size_t start = text.find("\r\n") + 2;  // after the header
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        std::string line = text.substr(start, end - start);
        start = end == std::string::npos ? text.size() : end + 2;
        if (line.empty()) continue;
        if (line.starts_with("[-")) {
            edits.keyDeletions.insert(line.substr(2, line.size() - 3));
            key.clear();
        } else if (line.starts_with("[")) {
            key = line.substr(1, line.size() - 2);
        } else {
            size_t equals = line.starts_with("@=") ? 1 : line.find("\"=");
            EXPECT_NE(equals, std::string::npos) << line;
            EXPECT_FALSE(key.empty()) << "a value outside a key: " << line;
            if (equals == std::string::npos) continue;
            std::string name =
                line.starts_with("@=") ? "@" : line.substr(1, equals - 1);  // without quotes
            std::string data = line.substr(equals + (name == "@" ? 1 : 2));
            if (data == "-")
                edits.valueDeletions.insert({key, name});
            else
                edits.writes[{key, name}] = data;
        }
    }
    return edits;
}

void importInto(posix::MemoryRegistry& registry, const RegEdits& edits) {
    auto path = [](const std::string& key, const std::string& name) {
        return key + "\\" + (name == "@" ? "" : name);
    };
    for (const std::string& key : edits.keyDeletions) registry.deleteKey(key);
    for (const auto& [value, data] : edits.writes) {
        const auto& [key, name] = value;
        if (data.starts_with("dword:")) {
            registry.writeNumber(path(key, name), static_cast<std::uint32_t>(
                                                      std::stoul(data.substr(6), nullptr, 16)));
        } else {
            ASSERT_TRUE(data.size() >= 2 && data.front() == '"' && data.back() == '"') << data;
            ASSERT_TRUE(
                registry.writeString(path(key, name), data.substr(1, data.size() - 2)).ok());
        }
    }
    for (const auto& [key, name] : edits.valueDeletions)
        (void)registry.deleteValue(path(key, name));
}

std::filesystem::path shippedRegFile(const std::string& name) {
    return std::filesystem::path(QV_SHIPPED_DIR) / name;
}

}  // namespace qv::test
