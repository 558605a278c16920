// The shortcut reader on shortcuts made byte by byte as Windows and worms write them, and
// on damaged ones: every size and offset is checked, nothing is read past the limit.

#include <gtest/gtest.h>

#include <string>

#include "common/worms/ShellLink.h"
#include "common/worms/tests/ShortcutMaker.h"

namespace qv::worms {
namespace {

using test::le16;
using test::le32;
using test::makeShortcut;
using test::ShortcutSpec;

std::string asIs(std::string_view bytes) {
    return std::string(bytes);
}

std::optional<ShellLink> read(const std::string& bytes) {
    return readShellLink(bytes, asIs);
}

const std::string kCmd = "C:\\WINDOWS\\system32\\cmd.exe";

// Where the LinkInfo of a shortcut with an ID list starts: after the header, the list's
// size and the list.
std::size_t linkInfoStart(const std::string& bytes) {
    return 78 +
           (static_cast<unsigned char>(bytes[76]) | static_cast<unsigned char>(bytes[77]) << 8);
}

TEST(ShellLinkTest, EveryPlaceAShortcutNamesItsTargetIsRead) {
    ShortcutSpec spec;
    spec.target = kCmd;
    spec.arguments = "/c start __ & __\\DriveMgr.exe & exit";
    spec.relativePath = "..\\WINDOWS\\system32\\cmd.exe";
    spec.workingFolder = "C:\\WINDOWS\\system32";
    spec.iconLocation = "%SystemRoot%\\system32\\SHELL32.dll";
    spec.environmentTarget = "%windir%\\system32\\cmd.exe";
    auto link = read(makeShortcut(spec));
    ASSERT_TRUE(link);
    EXPECT_EQ(link->idListPath, kCmd);
    EXPECT_EQ(link->linkInfoPath, kCmd);
    EXPECT_EQ(link->environmentPath, "%windir%\\system32\\cmd.exe");
    EXPECT_EQ(link->relativePath, "..\\WINDOWS\\system32\\cmd.exe");
    EXPECT_EQ(link->workingFolder, "C:\\WINDOWS\\system32");
    EXPECT_EQ(link->arguments, "/c start __ & __\\DriveMgr.exe & exit");
    EXPECT_FALSE(link->cutShort);
    EXPECT_EQ(link->targets(), (std::vector<std::string>{"%windir%\\system32\\cmd.exe", kCmd, kCmd,
                                                         "..\\WINDOWS\\system32\\cmd.exe"}));
}

TEST(ShellLinkTest, EachPartAloneIsEnoughAndSingleByteStringsAreDecoded) {
    ShortcutSpec idOnly;
    idOnly.target = "C:\\Windows\\System32\\WindowsPowerShell\\v1.0\\powershell.exe";
    idOnly.linkInfo = false;
    auto link = read(makeShortcut(idOnly));
    ASSERT_TRUE(link);
    EXPECT_EQ(link->idListPath, idOnly.target) << "long names, not POWERS~1.EXE";
    EXPECT_EQ(link->linkInfoPath, "");

    ShortcutSpec infoOnly;
    infoOnly.target = "C:\\Windows\\System32\\rundll32.exe";
    infoOnly.idList = false;
    infoOnly.arguments = "\xB2\xA1.dat,RunDLL";  // 病 in GBK
    infoOnly.unicode = false;
    auto decoded = readShellLink(makeShortcut(infoOnly), [](std::string_view bytes) {
        return "[" + std::string(bytes) + "]";
    });
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->idListPath, "");
    EXPECT_EQ(decoded->linkInfoPath, "C:\\Windows\\System32\\rundll32.exe")
        << "ASCII is the same in every code page";
    EXPECT_EQ(decoded->arguments, "[\xB2\xA1.dat,RunDLL]") << "the rest is the code page's";

    ShortcutSpec relativeOnly;
    relativeOnly.idList = relativeOnly.linkInfo = false;
    relativeOnly.relativePath = ".\\__\\DriveMgr.exe";
    link = read(makeShortcut(relativeOnly));
    ASSERT_TRUE(link);
    EXPECT_EQ(link->targets(), std::vector<std::string>{".\\__\\DriveMgr.exe"});
}

TEST(ShellLinkTest, NotAShortcutOrAStructureThatDoesNotFitIsRefused) {
    ShortcutSpec spec;
    spec.target = kCmd;
    spec.arguments = "/c x";
    const std::string good = makeShortcut(spec);
    ASSERT_TRUE(read(good));

    EXPECT_FALSE(read(""));
    EXPECT_FALSE(read(good.substr(0, 75))) << "shorter than the header";
    std::string wrongSize = good;
    wrongSize[0] = 0x4D;
    EXPECT_FALSE(read(wrongSize));
    std::string wrongClass = good;
    wrongClass[4] = 0x02;
    EXPECT_FALSE(read(wrongClass));
    EXPECT_FALSE(read(good.substr(0, 90))) << "cut inside the ID list";
    std::string overrun = good;
    overrun.replace(76, 2, le16(0xFFF0));
    EXPECT_FALSE(read(overrun)) << "an ID list larger than the file";
    const std::size_t linkInfoAt = linkInfoStart(good);
    std::string hugeInfo = good;
    hugeInfo.replace(linkInfoAt, 4, le32(0x7FFFFFFF));
    EXPECT_FALSE(read(hugeInfo)) << "a LinkInfo larger than the file";
    std::string tinyInfo = good;
    tinyInfo.replace(linkInfoAt, 4, le32(8));
    EXPECT_FALSE(read(tinyInfo)) << "a LinkInfo smaller than its header";
}

TEST(ShellLinkTest, DamageInsideAPartLosesOnlyThatPart) {
    ShortcutSpec spec;
    spec.target = kCmd;
    spec.arguments = "/c start x.vbs";
    const std::string good = makeShortcut(spec);
    const std::size_t list = 78;  // the first item, the computer

    // An item of size 1 would never advance, one of size 0xFFFF leaves the list: the
    // list gives no path, LinkInfo and the arguments are still read.
    for (unsigned size : {1u, 2u, 0xFFFFu}) {
        std::string damaged = good;
        damaged.replace(list + 20, 2, le16(size));  // the volume item after it
        auto link = read(damaged);
        ASSERT_TRUE(link) << size;
        EXPECT_EQ(link->idListPath, "") << size;
        EXPECT_EQ(link->linkInfoPath, kCmd) << size;
        EXPECT_EQ(link->arguments, "/c start x.vbs") << size;
    }
    // A LinkInfo whose base path lies past its end gives no path; the rest stands.
    std::string damaged = good;
    damaged.replace(linkInfoStart(good) + 0x10, 4, le32(0x10000));
    auto link = read(damaged);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->linkInfoPath, "");
    EXPECT_EQ(link->idListPath, kCmd);
}

TEST(ShellLinkTest, StringsPastTheReadLimitAreTakenAsFarAsTheyGo) {
    ShortcutSpec spec;
    spec.target = kCmd;
    // The most a string may hold, 65,535 characters: 131,070 bytes in UTF-16.
    spec.arguments = "/c start x.vbs" + std::string(65535 - 14, ' ');
    spec.iconLocation = "shell32.dll";
    std::string bytes = makeShortcut(spec);
    ASSERT_GT(bytes.size(), kShellLinkReadLimit);
    auto link = read(bytes);
    ASSERT_TRUE(link);
    EXPECT_TRUE(link->cutShort);
    EXPECT_TRUE(link->arguments.starts_with("/c start x.vbs   "));
    EXPECT_LT(link->arguments.size(), kShellLinkReadLimit / 2);
    EXPECT_EQ(link->idListPath, kCmd);

    // Cut inside the count of a string, and with an odd byte of UTF-16 at the end.
    std::string shortOne = makeShortcut(test::shortcutTo(kCmd, "/c x"));
    auto cut = read(shortOne.substr(0, shortOne.size() - 4 - 3));
    ASSERT_TRUE(cut);
    EXPECT_TRUE(cut->cutShort);
    EXPECT_EQ(cut->arguments, "/c");
}

TEST(ShellLinkTest, ExtraDataBlocksAreWalkedToTheirEndOrTheirFirstDamage) {
    ShortcutSpec spec;
    spec.target = "D:\\docs\\report.doc";
    spec.environmentTarget = "%windir%\\system32\\mshta.exe";
    std::string bytes = makeShortcut(spec);
    auto link = read(bytes);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->environmentPath, "%windir%\\system32\\mshta.exe");

    // Without the header's flag the block is not the target Windows takes.
    std::string unflagged = bytes;
    unflagged[0x15] = static_cast<char>(unflagged[0x15] & ~0x02);
    EXPECT_EQ(read(unflagged)->environmentPath, "");
    // A block claiming more than there is ends the walk without harm.
    std::string damaged = bytes;
    damaged.replace(bytes.size() - 4 - 0x314, 4, le32(0x100000));
    auto partial = read(damaged);
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->environmentPath, "");
    EXPECT_EQ(partial->idListPath, "D:\\docs\\report.doc");
}

}  // namespace
}  // namespace qv::worms
