#include "installer/win32/SharedDataFolder.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "common/GuardRuntimeFiles.h"
#include "common/win32/ReachedPath.h"
#include "common/win32/SystemError.h"
#include "common/win32/Text.h"
#include "common/win32/UniqueHandle.h"
#include "installer/win32/FolderPlace.h"

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

// Opened as itself, with the right to delete or rename it; nothing when nothing is there.
UniqueFile openPlace(const std::wstring& path, DWORD& error) {
    UniqueFile entry(
        CreateFileW(path.c_str(), READ_CONTROL | DELETE | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    error = entry ? ERROR_SUCCESS : GetLastError();
    return entry;
}

// What stands in the data folder's place and is not the setup's to take. A junction or
// link, which any user may make in ProgramData before the setup runs, is removed as itself,
// never what it leads to (FILE_FLAG_OPEN_REPARSE_POINT, CreateFileW). A folder another
// user made is moved aside with what it holds (moveAside), so that neither his rights as
// its owner nor a handle he keeps reach the folder made now.
Status clearThePlace(const std::wstring& folder) {
    DWORD error = ERROR_SUCCESS;
    UniqueFile entry = openPlace(folder, error);
    if (!entry) {
        return error == ERROR_FILE_NOT_FOUND ? Status::success() : qv::win32::failure(error);
    }
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(entry.get(), FileBasicInfo, &basic, sizeof basic)) {
        return lastErrorFailure();
    }
    const DWORD named = GetFileAttributesW(folder.c_str());
    const bool link = (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
                      (named != INVALID_FILE_ATTRIBUTES && (named & FILE_ATTRIBUTE_REPARSE_POINT));
    // Under Wine a Unix link to a folder opens as the folder it leads to: that is refused,
    // not removed.
    const bool itself = qv::win32::reachedWhereItSays(entry.get(), folder);
    if (link && itself) {
        FILE_DISPOSITION_INFO disposition{TRUE};
        if (!SetFileInformationByHandle(entry.get(), FileDispositionInfo, &disposition,
                                        sizeof disposition)) {
            return lastErrorFailure();
        }
        return Status::success();  // gone as the handle closes
    }
    if (link || !itself || !(basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return Status::failure("“" + qv::win32::toUtf8(folder) +
                               "”不是普通文件夹（可能是链接或交接点），未作更改。");
    }
    // One that cannot be moved (he keeps it open, or took every free name) is taken over as
    // it stands: its owner and list are the setup's from now on.
    if (madeByAnotherUser(entry.get())) {
        entry.reset();
        (void)moveAside(folder);
    }
    return Status::success();
}

}  // namespace

MovedAside moveAside(const std::wstring& folder) {
    DWORD error = ERROR_SUCCESS;
    UniqueFile entry = openPlace(folder, error);
    if (!entry) return {qv::win32::failure(error), {}};
    for (int n = 1; n <= 100; ++n) {
        const std::wstring name =
            folder + (n == 1 ? std::wstring(L"（旧）") : L"（旧 " + std::to_wstring(n) + L"）");
        // FILE_RENAME_INFO with the full new name (SetFileInformationByHandle,
        // learn.microsoft.com/windows/win32/api/fileapi/ns-fileapi-file_rename_info).
        std::vector<BYTE> buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
        auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        rename->ReplaceIfExists = FALSE;
        rename->RootDirectory = nullptr;
        rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
        std::copy(name.begin(), name.end(), rename->FileName);
        if (SetFileInformationByHandle(entry.get(), FileRenameInfo, rename,
                                       static_cast<DWORD>(buffer.size()))) {
            return {Status::success(), name};
        }
        error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS &&
            error != ERROR_ACCESS_DENIED) {
            break;
        }
    }
    return {qv::win32::failure(error), {}};
}

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

namespace {

// `folder` made (when it is not there yet), owned by the Administrators group and closed to
// users, with the note in it: an empty folder users may add files to is one they could make
// a junction. The folder is changed through a handle to itself, so that nothing put in its
// place on the way receives the rights. `handle` is left open for the list it gets next;
// when the note cannot be placed, the failure is told and the folder is still given it.
Status makeClosedWithNote(const std::wstring& folder, FolderToProtect& itself) {
    LocalAcl closed = accessList({kSystemFull, kAdministratorsFull});
    if (!closed) return lastErrorFailure();
    ProtectedDescriptor closedSecurity(closed.get());
    if (!closedSecurity.made) return lastErrorFailure();
    if (!CreateDirectoryW(folder.c_str(), &closedSecurity.attributes) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
        return lastErrorFailure();
    }
    itself = openFolderToProtect(folder);
    if (!itself.handle) return itself.failure;
    if (Status shut = protect(itself.handle.get(), closed.get()); !shut.ok()) {
        itself.handle.reset();
        return shut;
    }
    return placeNote(folder + L"\\" + kDataFolderNoteName);
}

}  // namespace

// The quarantine folder is made while the data folder is still closed to users, so that
// none can make one of that name first.
Status makeSharedDataFolder(const std::wstring& folder) {
    enableTakingOver();
    LocalAcl data = dataFolderList(), quarantine = quarantineFolderList();
    if (!data || !quarantine) return lastErrorFailure();
    if (Status cleared = clearThePlace(folder); !cleared.ok()) return cleared;
    FolderToProtect top, kept;
    Status made = makeClosedWithNote(folder, top);
    if (!top.handle) return made;
    Status keptMade = makeClosedWithNote(
        folder + L"\\" + qv::win32::toWide(qv::runtime_files::kQuarantineFolder), kept);
    if (kept.handle) {
        if (Status opened = protect(kept.handle.get(), quarantine.get());
            !opened.ok() && keptMade.ok())
            keptMade = opened;
    }
    Status opened = protect(top.handle.get(), data.get());
    if (!made.ok()) return made;
    if (!opened.ok()) return opened;
    return keptMade;
}

}  // namespace qv::setup::win32
