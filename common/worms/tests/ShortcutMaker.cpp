#include "common/worms/tests/ShortcutMaker.h"

#include <cctype>
#include <cstdint>
#include <vector>

namespace qv::worms::test {

namespace {

const std::string kLinkClassId("\x01\x14\x02\x00\x00\x00\x00\x00\xC0\x00\x00\x00\x00\x00\x00\x46",
                               16);
const std::string kMyComputer("\xE0\x4F\xD0\x20\xEA\x3A\x69\x10\xA2\xD8\x08\x00\x2B\x30\x30\x9D",
                              16);

std::vector<std::string> split(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

// The 8.3 name Windows would give: the name itself when it fits, else "POWERS~1.EXE".
std::string shortName(const std::string& name) {
    std::size_t dot = name.rfind('.');
    std::string stem = name.substr(0, dot),
                extension = dot == std::string::npos ? "" : name.substr(dot + 1);
    std::string upper;
    for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (stem.size() <= 8 && extension.size() <= 3 && name.find(' ') == std::string::npos)
        return upper;
    std::string shortStem;
    for (char c : stem.substr(0, 6))
        shortStem += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::string shortExtension;
    for (char c : extension.substr(0, 3))
        shortExtension += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return shortStem + "~1" + (shortExtension.empty() ? "" : "." + shortExtension);
}

std::string item(const std::string& data) {
    return le16(static_cast<unsigned>(data.size() + 2)) + data;
}

// A file system item (folder or file) with its long name in a version 9 extension block.
std::string fileEntry(const std::string& name, bool folder) {
    std::string data;
    data += static_cast<char>(folder ? 0x31 : 0x32);
    data += '\0';
    data += le32(folder ? 0 : 289792) + le32(0x5A4C3F21) + le16(folder ? 0x10 : 0x20);
    data += shortName(name) + '\0';
    if (data.size() % 2) data += '\0';  // the item's 2-byte size precedes: keep even
    std::string block = le16(9) + le32(0xBEEF0004) + le32(0x5A4C3F21) + le32(0x5A4C3F21) +
                        le16(0x2E) + le16(0) + std::string(8, '\x11') + std::string(8, '\0') +
                        le16(0) + le32(0) + le32(0) + utf16le(name) + std::string(2, '\0');
    std::size_t blockStart = data.size() + 2;
    block = le16(static_cast<unsigned>(block.size() + 4)) + block +
            le16(static_cast<unsigned>(blockStart));
    return item(data + block);
}

std::string idList(const std::string& target) {
    std::vector<std::string> parts = split(target);
    std::string list = item(std::string("\x1F\x50", 2) + kMyComputer);
    if (parts.empty()) return le16(static_cast<unsigned>(list.size() + 2)) + list + le16(0);
    std::string volume = "\x2F" + parts[0] + "\\";
    volume.resize(23, '\0');
    list += item(volume);
    for (std::size_t i = 1; i < parts.size(); ++i)
        list += fileEntry(parts[i], i + 1 < parts.size());
    list += le16(0);
    return le16(static_cast<unsigned>(list.size())) + list;
}

std::string linkInfo(const std::string& target) {
    std::string volumeId =
        le32(0x11) + le32(3) + le32(0x1C0FFEE) + le32(0x10) + std::string(1, '\0');
    const std::size_t headerSize = 0x1C;
    std::size_t volumeAt = headerSize;
    std::size_t baseAt = volumeAt + volumeId.size();
    std::size_t suffixAt = baseAt + target.size() + 1;
    std::size_t size = suffixAt + 1;
    return le32(static_cast<unsigned long>(size)) + le32(headerSize) + le32(1) + le32(volumeAt) +
           le32(baseAt) + le32(0) + le32(suffixAt) + volumeId + target + '\0' + '\0';
}

std::string stringData(const std::string& text, bool unicode) {
    if (!unicode) return le16(static_cast<unsigned>(text.size())) + text;
    std::string wide = utf16le(text);
    return le16(static_cast<unsigned>(wide.size() / 2)) + wide;
}

std::string environmentBlock(const std::string& target) {
    std::string ansi = target;
    ansi.resize(260, '\0');
    std::string wide = utf16le(target);
    wide.resize(520, '\0');
    return le32(0x314) + le32(0xA0000001) + ansi + wide;
}

}  // namespace

std::string le16(unsigned value) {
    return {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string le32(unsigned long value) {
    return le16(static_cast<unsigned>(value & 0xFFFF)) + le16(static_cast<unsigned>(value >> 16));
}

std::string utf16le(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        std::uint32_t code = c;
        std::size_t length = 1;
        if (c >= 0xE0 && i + 2 < text.size()) {
            code = (c & 0x0F) << 12 | (static_cast<unsigned char>(text[i + 1]) & 0x3F) << 6 |
                   (static_cast<unsigned char>(text[i + 2]) & 0x3F);
            length = 3;
        } else if (c >= 0xC0 && i + 1 < text.size()) {
            code = (c & 0x1F) << 6 | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
            length = 2;
        }
        out += le16(code);
        i += length;
    }
    return out;
}

std::string makeShortcut(const ShortcutSpec& spec) {
    std::uint32_t flags = 0;
    if (spec.idList) flags |= 0x1;
    if (spec.linkInfo) flags |= 0x2;
    if (!spec.relativePath.empty()) flags |= 0x8;
    if (!spec.workingFolder.empty()) flags |= 0x10;
    if (!spec.arguments.empty()) flags |= 0x20;
    if (!spec.iconLocation.empty()) flags |= 0x40;
    if (spec.unicode) flags |= 0x80;
    if (!spec.environmentTarget.empty()) flags |= 0x200;

    std::string bytes = le32(0x4C) + kLinkClassId + le32(flags) + le32(0x20) +
                        std::string(24, '\0')  // creation, access and write times
                        + le32(289792) + le32(4) + le32(7) + le16(0) + le16(0) + le32(0) + le32(0);
    if (spec.idList) bytes += idList(spec.target);
    if (spec.linkInfo) bytes += linkInfo(spec.target);
    for (const std::string* text :
         {&spec.relativePath, &spec.workingFolder, &spec.arguments, &spec.iconLocation}) {
        if (!text->empty()) bytes += stringData(*text, spec.unicode);
    }
    if (!spec.environmentTarget.empty()) bytes += environmentBlock(spec.environmentTarget);
    bytes += le32(0);
    return bytes;
}

}  // namespace qv::worms::test
