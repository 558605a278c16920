#include "common/worms/ShellLink.h"

#include <array>
#include <cstdint>

#include "common/worms/Utf16.h"

namespace qv::worms {

namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
// 00021401-0000-0000-C000-000000000046, as stored.
constexpr std::array<unsigned char, 16> kLinkClassId = {
    0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

// The header's flags that say which parts follow.
enum LinkFlag : std::uint32_t {
    kHasTargetIdList = 0x1,
    kHasLinkInfo = 0x2,
    kHasName = 0x4,
    kHasRelativePath = 0x8,
    kHasWorkingDir = 0x10,
    kHasArguments = 0x20,
    kHasIconLocation = 0x40,
    kIsUnicode = 0x80,
    kHasExpString = 0x200,
};

// LinkInfo's flags.
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kCommonNetworkRelativeLink = 0x2;

constexpr std::uint32_t kEnvironmentBlock = 0xA0000001;
constexpr std::uint32_t kEnvironmentBlockSize = 0x314;
constexpr std::uint32_t kFileEntryExtension = 0xBEEF0004;

// A window on bytes that answers only for what lies inside it.
class Bytes {
public:
    explicit Bytes(std::string_view bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    bool fits(std::size_t at, std::size_t length) const {
        return at <= bytes_.size() && length <= bytes_.size() - at;
    }
    std::uint32_t u8(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }
    std::uint32_t u16(std::size_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }
    std::string_view piece(std::size_t at, std::size_t length) const {
        return bytes_.substr(at, length);
    }
    // A window on `length` bytes from `at`; the caller has checked that they fit.
    Bytes part(std::size_t at, std::size_t length) const { return Bytes(piece(at, length)); }

    // The string of single bytes from `at` up to its NUL; nullopt without one.
    std::optional<std::string_view> ansiz(std::size_t at) const {
        if (at >= bytes_.size()) return std::nullopt;
        std::size_t end = bytes_.find('\0', at);
        if (end == std::string_view::npos) return std::nullopt;
        return bytes_.substr(at, end - at);
    }
    // The UTF-16 string from `at` up to its NUL unit; nullopt without one.
    std::optional<std::string_view> utf16z(std::size_t at) const {
        for (std::size_t i = at; fits(i, 2); i += 2) {
            if (u16(i) == 0) return bytes_.substr(at, i - at);
        }
        return std::nullopt;
    }

private:
    std::string_view bytes_;
};

// Bytes in the system code page as UTF-8. Every code page Windows uses for ANSI text keeps
// ASCII as it is, and nearly all a shortcut holds is ASCII: that needs no conversion.
std::string fromAnsi(const AnsiDecoder& ansi, std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return ansi(bytes);
    }
    return std::string(bytes);
}

std::string joinPath(std::string base, std::string_view name) {
    if (!base.empty() && base.back() != '\\' && !name.empty()) base += '\\';
    base += name;
    return base;
}

// The long name a file entry item keeps in its extension block 0xBEEF0004, where the
// block's version says: after the times and identifier, the file reference from version 7
// on, the size of the localised name from version 3 on, and a field each from versions 8
// and 9. Empty when the block is not there or does not hold the name.
std::string longName(const Bytes& item, std::size_t at) {
    if (at % 2) ++at;
    if (!item.fits(at, 8) || item.u32(at + 4) != kFileEntryExtension) return {};
    std::size_t blockSize = item.u16(at);
    std::uint32_t version = item.u16(at + 2);
    // Versions 3 (Windows XP) and 7 to 9 (Vista to Windows 10) are the ones known.
    if (blockSize < 8 || !item.fits(at, blockSize) ||
        (version != 3 && (version < 7 || version > 9)))
        return {};
    Bytes block = item.part(at, blockSize);
    std::size_t name = version >= 7 ? 36 : 18;
    name += 2;
    if (version >= 8) name += 4;
    if (version >= 9) name += 4;
    auto text = block.utf16z(name);
    return text ? utf16leToUtf8(*text) : std::string();
}

// The name of one file system item (a folder or a file of the target's path): its long
// name where it has one, else its primary name. Empty for an item it cannot read.
std::string fileEntryName(const Bytes& item, std::uint32_t type, const AnsiDecoder& ansi) {
    constexpr std::size_t kPrimaryName = 14;
    const bool unicode = type & 0x04;
    std::optional<std::string_view> primary =
        unicode ? item.utf16z(kPrimaryName) : item.ansiz(kPrimaryName);
    if (!primary) return {};
    std::size_t after = kPrimaryName + primary->size() + (unicode ? 2 : 1);
    std::string name = longName(item, after);
    if (!name.empty()) return name;
    return unicode ? utf16leToUtf8(*primary) : fromAnsi(ansi, *primary);
}

// The path the item IDs spell: a volume item ("C:\") starts it, each file system item adds
// its name. Empty when an item does not fit or the list has no end.
std::string idListPath(const Bytes& list, const AnsiDecoder& ansi) {
    std::string path;
    std::size_t at = 0;
    for (;;) {
        if (!list.fits(at, 2)) return {};
        std::size_t size = list.u16(at);
        if (size == 0) return path;                       // the terminal ID
        if (size < 3 || !list.fits(at, size)) return {};  // too small for an item, or past the list
        Bytes item = list.part(at, size);
        std::uint32_t type = item.u8(2);
        if ((type & 0x70) == 0x20) {  // a volume: its root path, "C:\"
            if (auto root = item.ansiz(3); root && !root->empty()) path = fromAnsi(ansi, *root);
        } else if ((type & 0x70) == 0x30) {  // a folder or a file
            std::string name = fileEntryName(item, type, ansi);
            if (!name.empty()) path = joinPath(std::move(path), name);
        }
        at += size;
    }
}

// A string of LinkInfo at the offset the field at `offsetField` holds, in UTF-16 where
// `unicode`; nullopt when the offset or the string leaves the LinkInfo.
std::optional<std::string> linkInfoString(const Bytes& info, std::size_t offsetField, bool unicode,
                                          const AnsiDecoder& ansi) {
    if (!info.fits(offsetField, 4)) return std::nullopt;
    std::size_t at = info.u32(offsetField);
    if (at == 0 || at >= info.size()) return std::nullopt;
    if (unicode) {
        auto text = info.utf16z(at);
        if (!text) return std::nullopt;
        return utf16leToUtf8(*text);
    }
    auto text = info.ansiz(at);
    if (!text) return std::nullopt;
    return fromAnsi(ansi, *text);
}

// The target LinkInfo names: its local base path, or the network share, followed by the
// common path suffix; the UTF-16 forms where the header has room for their offsets.
std::string linkInfoPath(const Bytes& info, const AnsiDecoder& ansi) {
    if (!info.fits(0, 0x1C)) return {};
    std::size_t headerSize = info.u32(4);
    std::uint32_t flags = info.u32(8);
    if (headerSize < 0x1C || headerSize > info.size()) return {};
    const bool unicodeOffsets = headerSize >= 0x24;
    auto pick = [&](std::size_t ansiField, std::size_t unicodeField) {
        std::optional<std::string> text;
        if (unicodeOffsets) text = linkInfoString(info, unicodeField, true, ansi);
        if (!text) text = linkInfoString(info, ansiField, false, ansi);
        return text.value_or(std::string());
    };
    std::string base;
    if (flags & kVolumeIdAndLocalBasePath) {
        base = pick(0x10, 0x1C);
    } else if (flags & kCommonNetworkRelativeLink) {
        std::size_t at = info.u32(0x14);
        if (at >= 0x1C && info.fits(at, 0x14)) {
            std::size_t size = info.u32(at);
            if (size >= 0x14 && info.fits(at, size)) {
                Bytes link = info.part(at, size);
                if (auto name = linkInfoString(link, 0x08, false, ansi)) base = *name;
            }
        }
    }
    if (base.empty()) return {};
    return joinPath(std::move(base), pick(0x18, 0x20));
}

// The environment-variable block's target: the UTF-16 form where it is filled, else the
// one in the system code page.
std::string environmentPath(const Bytes& block, const AnsiDecoder& ansi) {
    constexpr std::size_t kAnsiTarget = 8, kAnsiLength = 260, kUnicodeTarget = 268;
    if (auto wide = block.part(kUnicodeTarget, 520).utf16z(0); wide && !wide->empty()) {
        return utf16leToUtf8(*wide);
    }
    if (auto narrow = block.part(kAnsiTarget, kAnsiLength).ansiz(0)) return fromAnsi(ansi, *narrow);
    return {};
}

}  // namespace

std::vector<std::string> ShellLink::targets() const {
    std::vector<std::string> found;
    for (const std::string* path : {&environmentPath, &idListPath, &linkInfoPath, &relativePath}) {
        if (!path->empty()) found.push_back(*path);
    }
    return found;
}

std::optional<ShellLink> readShellLink(std::string_view all, const AnsiDecoder& ansi) {
    Bytes bytes(all.substr(0, kShellLinkReadLimit));
    if (!bytes.fits(0, kHeaderSize) || bytes.u32(0) != kHeaderSize) return std::nullopt;
    for (std::size_t i = 0; i < kLinkClassId.size(); ++i) {
        if (bytes.u8(4 + i) != kLinkClassId[i]) return std::nullopt;
    }
    const std::uint32_t flags = bytes.u32(0x14);
    ShellLink link;
    std::size_t at = kHeaderSize;

    if (flags & kHasTargetIdList) {
        if (!bytes.fits(at, 2)) return std::nullopt;
        std::size_t size = bytes.u16(at);
        if (!bytes.fits(at + 2, size)) return std::nullopt;
        link.idListPath = idListPath(bytes.part(at + 2, size), ansi);
        at += 2 + size;
    }
    if (flags & kHasLinkInfo) {
        if (!bytes.fits(at, 4)) return std::nullopt;
        std::size_t size = bytes.u32(at);
        if (size < 0x1C || !bytes.fits(at, size)) return std::nullopt;
        link.linkInfoPath = linkInfoPath(bytes.part(at, size), ansi);
        at += size;
    }

    // The string data, in their fixed order; one that runs past the bytes read ends them.
    const bool unicode = flags & kIsUnicode;
    std::string ignored;
    const std::pair<std::uint32_t, std::string*> strings[] = {
        {kHasName, &ignored},
        {kHasRelativePath, &link.relativePath},
        {kHasWorkingDir, &link.workingFolder},
        {kHasArguments, &link.arguments},
        {kHasIconLocation, &ignored}};
    for (auto [flag, into] : strings) {
        if (!(flags & flag)) continue;
        if (!bytes.fits(at, 2)) {
            link.cutShort = true;
            return link;
        }
        std::size_t length = bytes.u16(at) * (unicode ? 2 : 1);
        at += 2;
        std::string_view text = bytes.piece(at, length);
        if (unicode) text = text.substr(0, text.size() / 2 * 2);
        *into = unicode ? utf16leToUtf8(text) : fromAnsi(ansi, text);
        if (text.size() < length) {
            link.cutShort = true;
            return link;
        }
        at += length;
    }

    // The extra data blocks, up to the terminal block (a size below 4) or the end.
    while (bytes.fits(at, 8)) {
        std::size_t size = bytes.u32(at);
        if (size < 8 || !bytes.fits(at, size)) break;
        if (bytes.u32(at + 4) == kEnvironmentBlock && size >= kEnvironmentBlockSize &&
            (flags & kHasExpString)) {
            link.environmentPath = environmentPath(bytes.part(at, size), ansi);
        }
        at += size;
    }
    return link;
}

}  // namespace qv::worms
