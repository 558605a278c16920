// The shipped registry files are in the form the registry editor imports: UTF-16LE with a
// byte-order mark, CR LF line ends, the version 5 header. Each O file puts back Windows'
// default for what its C file sets: it removes those values (or the keys the C file made)
// and writes no value but a documented default. (What the files do to a registry is
// checked by importing them under Wine.)

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace qv {
namespace {

// The ASCII text of a shipped file, its UTF-16LE units checked on the way.
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

// What one file does: values written (key and name to data), values removed, keys removed.
// Key names are kept as written; "@" names a key's default value.
struct RegEdits {
    std::map<std::pair<std::string, std::string>, std::string> writes;
    std::set<std::pair<std::string, std::string>> valueDeletions;
    std::set<std::string> keyDeletions;
};

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

std::filesystem::path shipped(const std::string& name) {
    return std::filesystem::path(QV_SHIPPED_DIR) / name;
}

TEST(RegistryFilesTest, EveryFileIsUtf16WithCrLfAndTheVersion5Header) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QV_SHIPPED_DIR)) {
        if (entry.path().extension() != ".reg") continue;
        ++files;
        std::string text = readRegFile(entry.path());
        EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\r\n\r\n[")) << text;
        EXPECT_TRUE(text.ends_with("\r\n\r\n")) << entry.path();
        for (size_t at = 0; (at = text.find_first_of("\r\n", at)) != std::string::npos; at += 2) {
            ASSERT_EQ(text.compare(at, 2, "\r\n"), 0) << entry.path() << ": a lone CR or LF";
        }
    }
    EXPECT_EQ(files, 8);
}

TEST(RegistryFilesTest, EachOFileRemovesWhatItsCFileSetsAndWritesOnlyDefaults) {
    // The one value an O file may write: Windows' own start type of the USB storage
    // driver ("demand start").
    const std::map<std::pair<std::string, std::string>, std::string> windowsDefaults{
        {{"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\USBSTOR", "Start"},
         "dword:00000003"}};

    for (const char* policy : {"zdbf", "up", "inf", "wlup"}) {
        SCOPED_TRACE(policy);
        RegEdits off = parseRegFile(readRegFile(shipped(std::string("C") + policy + ".reg")));
        RegEdits on = parseRegFile(readRegFile(shipped(std::string("O") + policy + ".reg")));

        EXPECT_FALSE(off.writes.empty());
        EXPECT_TRUE(off.valueDeletions.empty() && off.keyDeletions.empty())
            << "switching off removes nothing";
        for (const auto& [value, data] : off.writes) {
            const auto& [key, name] = value;
            auto restored = windowsDefaults.find(value);
            bool putBack =
                restored != windowsDefaults.end()
                    ? on.writes.contains(value) && on.writes.at(value) == restored->second
                    : on.valueDeletions.contains(value) || on.keyDeletions.contains(key);
            EXPECT_TRUE(putBack) << key << " " << name << " is not returned to Windows' default";
            EXPECT_TRUE(restored == windowsDefaults.end() || data != restored->second)
                << key << " " << name << ": the C file sets the default itself";
        }
        for (const auto& [value, data] : on.writes) {
            auto restored = windowsDefaults.find(value);
            EXPECT_TRUE(restored != windowsDefaults.end() && data == restored->second)
                << value.first << " " << value.second << "=" << data << " is no Windows default";
        }
        // Nothing else is removed: only values the C file sets, and only keys it writes to.
        for (const auto& value : on.valueDeletions) {
            EXPECT_TRUE(off.writes.contains(value)) << value.first << " " << value.second;
        }
        for (const std::string& key : on.keyDeletions) {
            bool written = false;
            for (const auto& [value, data] : off.writes) written = written || value.first == key;
            EXPECT_TRUE(written) << "removes a key the C file does not write: " << key;
        }
    }
}

}  // namespace
}  // namespace qv
