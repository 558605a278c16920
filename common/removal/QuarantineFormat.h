#pragma once
// One entry of the quarantine is one file, "<order>.qvq", whose bytes are a header, the
// removed file's bytes unchanged and a trailer:
//
//   QV-QUARANTINE 1\n
//   path <number of bytes>\n<the original path, UTF-8>\n
//   time <local date and time of the removal>\n
//   size <number of bytes of the file>\n
//   written <when the file was last written, a FILETIME as a decimal number>\n  (optional)
//   \n
//   <the file's bytes>
//   sha256 <64 lower-case hexadecimal digits>\n
//
// The path is counted, never scanned for an end, so no name can break the header. An entry
// is written whole as "<order>.part", only then renamed, and flushed to the disk with its
// new name before the file leaves its drive: a guard ended part way leaves a ".part" file,
// which is never an entry, never a half one, and the file is still on its drive. (Only
// the power failing between the rename and the end of that flush can leave an entry whose
// bytes never reached the disk; the file is then still on its drive too.) An entry is
// whole when its length is exactly header, size and trailer; its bytes are right when they
// give the digest of its trailer. The `written` line came later than the others: a reader
// from before it takes an entry with the line for a damaged one, which it never restores
// and lets go only as it lets any entry go (at the user's word, or the oldest for room).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/removal/Sha256.h"

namespace qv::removal {

inline constexpr std::string_view kEntryExtension = ".qvq";
inline constexpr std::string_view kUnfinishedExtension = ".part";

// The longest header: the longest path Windows takes, 32,767 UTF-16 units, is at most
// three bytes of UTF-8 each; the rest is a few short lines.
inline constexpr std::size_t kLongestPathBytes = 3 * 32767;
inline constexpr std::size_t kLongestHeader = kLongestPathBytes + 256;
inline constexpr std::size_t kTrailerSize = 72;

struct EntryHeader {
    std::string originalPath;
    std::string removedAt;
    std::uint64_t size = 0;
    // When the file was last written before its removal (a FILETIME); 0 when unknown, and
    // then not written in the header (entries made before the line existed have none).
    std::uint64_t lastWritten = 0;
};

// The header's bytes; empty when the path is longer than any Windows takes or the time
// holds a line break.
std::string encodeHeader(const EntryHeader& header);

struct ParsedHeader {
    EntryHeader header;
    std::size_t length = 0;  // where the file's bytes start
};
// The header at the start of `bytes`; nullopt unless they start with a whole, well-formed
// one.
std::optional<ParsedHeader> parseHeader(std::string_view bytes);

std::string encodeTrailer(const Sha256Digest& digest);
// The digest of a trailer of exactly kTrailerSize bytes; nullopt for anything else.
std::optional<Sha256Digest> parseTrailer(std::string_view bytes);

}  // namespace qv::removal
