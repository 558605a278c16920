#include "guard/platform/win32/services/Win32Folders.h"

#include <utility>

#include "common/win32/Folders.h"

namespace qv::win32 {

// The toolkit's functions by their full names: the members of the same names would hide
// them.
Win32Folders::Win32Folders(std::string dataFolder)
    : program_(::qv::win32::programFolder()),
      data_(std::move(dataFolder)),
      system_(::qv::win32::systemFolder()),
      windows_(::qv::win32::windowsFolder()) {}

}  // namespace qv::win32
