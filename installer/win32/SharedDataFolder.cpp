#include "installer/win32/SharedDataFolder.h"

#include <string_view>

#include "common/GuardRuntimeFiles.h"
#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"

namespace qv::setup::win32 {

namespace {

using qv::win32::lastErrorFailure;
using qv::win32::UniqueFile;

// UTF-8 with its byte-order mark, so that Notepad reads it in every code page.
constexpr std::string_view kNoteText =
    "\xEF\xBB\xBF"
    "QVu盘卫士在本文件夹中保存本机各用户的设置、防护日志、进程记录和隔离的文件。\r\n"
    "本说明文件由安装程序建立，只有管理员可以修改或删除它：有它在，普通用户就不能删除本文件夹，"
    "也不能把它换成指向别处的链接。卸载QVu盘卫士时，本文件夹随之删除。\r\n";

// A descriptor that carries `list` as a protected access list, for an object made now.
struct ProtectedDescriptor {
    explicit ProtectedDescriptor(const ACL* list) {
        made = InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
               SetSecurityDescriptorDacl(&descriptor, TRUE, const_cast<ACL*>(list), FALSE) &&
               SetSecurityDescriptorControl(&descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
        attributes = {sizeof attributes, &descriptor, FALSE};
    }
    SECURITY_DESCRIPTOR descriptor{};
    SECURITY_ATTRIBUTES attributes{};
    bool made = false;
};

// Whatever stands under the note's name goes first, whoever made it: the note is made new,
// so that it is the setup's own file with the setup's list. Opened as itself, a link is
// removed, never what it leads to; read-only would refuse the deletion and is cleared.
Status removeEarlierNote(const std::wstring& path) {
    UniqueFile earlier(
        CreateFileW(path.c_str(), DELETE | FILE_WRITE_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!earlier) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? Status::success() : qv::win32::failure(error);
    }
    FILE_BASIC_INFO basic{};  // times of zero stay as they are
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    SetFileInformationByHandle(earlier.get(), FileBasicInfo, &basic, sizeof basic);
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(earlier.get(), FileDispositionInfo, &disposition,
                                    sizeof disposition)) {
        return lastErrorFailure();
    }
    return Status::success();
}

Status placeNote(const std::wstring& path) {
    if (Status removed = removeEarlierNote(path); !removed.ok()) return removed;
    LocalAcl list = dataFolderNoteList();
    if (!list) return lastErrorFailure();
    ProtectedDescriptor security(list.get());
    if (!security.made) return lastErrorFailure();
    UniqueFile note(CreateFileW(path.c_str(), GENERIC_WRITE, 0, &security.attributes, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!note) return lastErrorFailure();
    DWORD written = 0;
    if (!WriteFile(note.get(), kNoteText.data(), static_cast<DWORD>(kNoteText.size()), &written,
                   nullptr) ||
        written != kNoteText.size()) {
        return lastErrorFailure();
    }
    return Status::success();
}

}  // namespace

LocalAcl dataFolderList() {
    return accessList(
        {kSystemFull,
         kAdministratorsFull,
         {WinBuiltinUsersSid,
          FILE_GENERIC_READ | FILE_GENERIC_EXECUTE | FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY, 0},
         {WinBuiltinUsersSid, kModify,
          OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE | INHERIT_ONLY_ACE}});
}

LocalAcl quarantineFolderList() {
    return accessList(
        {kSystemFull,
         kAdministratorsFull,
         {WinBuiltinUsersSid, FILE_GENERIC_READ | FILE_GENERIC_EXECUTE | FILE_ADD_FILE, 0},
         {WinCreatorOwnerSid, kModify,
          OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE | INHERIT_ONLY_ACE}});
}

LocalAcl dataFolderNoteList() {
    return accessList({{WinLocalSystemSid, FILE_ALL_ACCESS, 0},
                       {WinBuiltinAdministratorsSid, FILE_ALL_ACCESS, 0},
                       {WinBuiltinUsersSid, FILE_GENERIC_READ, 0}});
}

// `folder` made (when it is not there yet) and given the list `open`, with the note in it.
// The folder is changed through a handle to itself, so that nothing put in its place on the
// way receives the rights. Users are shut out until the note is in it: an empty folder they
// may add files to is one they could make a junction.
Status makeNotedFolder(const std::wstring& folder, const ACL* open) {
    LocalAcl closed = accessList({kSystemFull, kAdministratorsFull});
    if (!closed) return lastErrorFailure();
    ProtectedDescriptor closedSecurity(closed.get());
    if (!closedSecurity.made) return lastErrorFailure();
    if (!CreateDirectoryW(folder.c_str(), &closedSecurity.attributes) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
        return lastErrorFailure();
    }
    FolderToProtect itself = openFolderToProtect(folder);
    if (!itself.handle) return itself.failure;
    if (Status shut = protect(itself.handle.get(), closed.get()); !shut.ok()) return shut;
    Status placed = placeNote(folder + L"\\" + kDataFolderNoteName);
    Status opened = protect(itself.handle.get(), open);
    return placed.ok() ? opened : placed;
}

Status makeSharedDataFolder(const std::wstring& folder) {
    enableTakingOver();
    LocalAcl data = dataFolderList(), quarantine = quarantineFolderList();
    if (!data || !quarantine) return lastErrorFailure();
    if (Status made = makeNotedFolder(folder, data.get()); !made.ok()) return made;
    return makeNotedFolder(folder + L"\\" + qv::win32::toWide(qv::runtime_files::kQuarantineFolder),
                           quarantine.get());
}

}  // namespace qv::setup::win32
