// The shipped registry files are in the form the registry editor imports: UTF-16LE with a
// byte-order mark, CR LF line ends, the version 5 header. Each O file puts back Windows'
// default for what its C file sets: it removes those values (or the keys the C file made)
// and writes no value but a documented default. The policy switches' table of what each
// import leaves, which the guard reads back, says exactly what its file does. (What the
// files do to a registry is checked by importing them under Wine.)

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <span>
#include <string>
#include <utility>

#include "guard/protection/PolicyFiles.h"
#include "tests/support/RegFiles.h"

namespace qv {
namespace {

using test::parseRegFile;
using test::readRegFile;
using test::RegEdits;

std::filesystem::path shipped(const std::string& name) {
    return test::shippedRegFile(name);
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

// The expectations a file's edits amount to, as comparable text: "number <path> 177",
// "text <path> @SYS:DoesNotExist", "no value <path>", "no key <path>".
std::set<std::string> expectationsOf(const RegEdits& edits) {
    std::set<std::string> lines;
    auto path = [](const std::string& key, const std::string& name) {
        return key + "\\" + (name == "@" ? "" : name);
    };
    for (const auto& [value, data] : edits.writes) {
        if (data.starts_with("dword:")) {
            lines.insert("number " + path(value.first, value.second) + " " +
                         std::to_string(std::stoul(data.substr(6), nullptr, 16)));
        } else {
            lines.insert("text " + path(value.first, value.second) + " " +
                         data.substr(1, data.size() - 2));
        }
    }
    for (const auto& [key, name] : edits.valueDeletions)
        lines.insert("no value " + path(key, name));
    for (const std::string& key : edits.keyDeletions) lines.insert("no key " + key);
    return lines;
}

std::set<std::string> expectationsOf(std::span<const protection::RegistryExpectation> effect) {
    using Kind = protection::RegistryExpectation::Kind;
    std::set<std::string> lines;
    for (const auto& e : effect) {
        switch (e.kind) {
            case Kind::Number:
                lines.insert(std::string("number ") + e.path + " " + std::to_string(e.number));
                break;
            case Kind::Text:
                lines.insert(std::string("text ") + e.path + " " + e.text);
                break;
            case Kind::NoValue:
                lines.insert(std::string("no value ") + e.path);
                break;
            case Kind::NoKey:
                lines.insert(std::string("no key ") + e.path);
                break;
        }
    }
    return lines;
}

TEST(RegistryFilesTest, EachSwitchReadsBackExactlyWhatItsFileDoes) {
    for (const protection::PolicySwitch& policy : protection::kPolicySwitches) {
        SCOPED_TRACE(policy.file);
        EXPECT_EQ(expectationsOf(policy.effect),
                  expectationsOf(parseRegFile(readRegFile(shipped(policy.file)))));
    }
}

}  // namespace
}  // namespace qv
