#pragma once
// Applying a skin: its file is copied over Pifu.she in the data folder, the guard's, in one
// step (a temporary file in the same folder, flushed, then put in place), so the guard
// never finds half a skin, and a failure at any step leaves the old Pifu.she as it was.

#include <string>

#include "pifushe/catalog/SkinCatalog.h"
#include "pifushe/catalog/SkinFiles.h"

namespace qv::pifushe {

struct ApplyTarget {
    std::string skinsFolder;  // where `entry.file` lies
    std::string dataFolder;   // where Pifu.she goes
};

// Reads the skin anew (it may have changed since it was listed), refuses a damaged one,
// and replaces Pifu.she with its bytes; the error says which step failed and why.
Status applySkin(SkinFiles& files, const ApplyTarget& target, const SkinEntry& entry);

// What the user is told after `skinName` was applied.
std::string appliedMessage(const std::string& skinName);

}  // namespace qv::pifushe
