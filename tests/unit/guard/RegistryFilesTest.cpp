// The shipped registry files are in the form the registry editor imports: UTF-16LE with a
// byte-order mark, CR LF line ends, the version 5 header. (What they set is checked by
// importing them under Wine.)

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace qv {
namespace {

TEST(RegistryFilesTest, EveryFileIsUtf16WithCrLfAndTheVersion5Header) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QV_SHIPPED_DIR)) {
        if (entry.path().extension() != ".reg") continue;
        ++files;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        ASSERT_TRUE(bytes.starts_with("\xff\xfe")) << entry.path();
        std::string text;  // the files hold ASCII only
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            EXPECT_EQ(bytes[i + 1], '\0') << entry.path() << " at " << i;
            text += bytes[i];
        }
        EXPECT_EQ(bytes.size() % 2, 0u);
        EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\r\n\r\n[")) << text;
        EXPECT_TRUE(text.ends_with("\r\n\r\n")) << entry.path();
        for (size_t at = 0; (at = text.find_first_of("\r\n", at)) != std::string::npos; at += 2) {
            ASSERT_EQ(text.compare(at, 2, "\r\n"), 0) << entry.path() << ": a lone CR or LF";
        }
    }
    EXPECT_EQ(files, 8);
}

}  // namespace
}  // namespace qv
