#include "common/win32/VolumeIdentity.h"

#include "common/win32/QuietDriveErrors.h"
#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

// The root folder opened for its attributes only (a folder needs
// FILE_FLAG_BACKUP_SEMANTICS); GetFileInformationByHandle gives the serial number of the
// volume that holds it and its file identifier (learn.microsoft.com/windows/win32/api/
// fileapi/ns-fileapi-by_handle_file_information).
std::optional<VolumeIdentity> volumeIdentity(char letter) {
    if (letter >= 'A' && letter <= 'Z') letter = static_cast<char>(letter - 'A' + 'a');
    if (letter < 'a' || letter > 'z') return std::nullopt;
    const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    QuietDriveErrors quiet;
    UniqueFile folder(CreateFileW(root, FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!folder || !GetFileInformationByHandle(folder.get(), &information)) return std::nullopt;
    return VolumeIdentity{
        information.dwVolumeSerialNumber,
        (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
}

}  // namespace qv::win32
