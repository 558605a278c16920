#pragma once
// The shipped registry files as a test reads them: their UTF-16LE text, what each does
// (values written, values and keys removed), and that import done to an in-memory registry,
// as the registry editor does it to the real one.

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "guard/platform/posix/MemoryServices.h"

namespace qv::test {

// The ASCII text of a shipped file, its UTF-16LE units checked on the way.
std::string readRegFile(const std::filesystem::path& path);

// What one file does: values written (key and name to data), values removed, keys removed.
// Key names are kept as written; "@" names a key's default value.
struct RegEdits {
    std::map<std::pair<std::string, std::string>, std::string> writes;
    std::set<std::pair<std::string, std::string>> valueDeletions;
    std::set<std::string> keyDeletions;
};
RegEdits parseRegFile(const std::string& text);

// Imports `edits` into `registry`: dword and string values, removed values and keys.
void importInto(posix::MemoryRegistry& registry, const RegEdits& edits);

// The file of the shipped registry files named `name`.
std::filesystem::path shippedRegFile(const std::string& name);

}  // namespace qv::test
