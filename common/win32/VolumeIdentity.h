#pragma once
// What tells the volume in a drive from another put in its place: a stick pulled out and
// another plugged in under the same letter.

#include <windows.h>

#include <cstdint>
#include <optional>

namespace qv::win32 {

// The volume's serial number and its root folder's file identifier. Formatting gives a
// volume its serial (imaging tools copy it, so two cloned sticks pass as one; on NTFS every
// root has the same identifier), and a drive that is a folder of another volume (as under
// Wine) differs by its root.
struct VolumeIdentity {
    DWORD serial = 0;
    std::uint64_t root = 0;
    friend bool operator==(const VolumeIdentity&, const VolumeIdentity&) = default;
};

// The identity of the volume in drive `letter` ('a' to 'z', either case); nullopt when it
// cannot be read (no such drive, no medium).
std::optional<VolumeIdentity> volumeIdentity(char letter);

}  // namespace qv::win32
