#pragma once
// Files of the temporary folders standing for drives, byte for byte.

#include <filesystem>
#include <string>

namespace qv::test {

// Writes exactly `bytes`, making the folders on the way.
void writeFile(const std::filesystem::path& path, const std::string& bytes);
// The whole file; "" when it cannot be read.
std::string readFile(const std::filesystem::path& path);

}  // namespace qv::test
