#include "common/win32/RunningProcesses.h"

#include <tlhelp32.h>

#include <iterator>

#include "common/win32/UniqueHandle.h"

namespace qv::win32 {

void forEachProcessNamed(std::wstring_view imageName, const std::function<void(DWORD)>& each) {
    UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();  // the failure value is no handle to close
        return;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (CompareStringOrdinal(entry.szExeFile, -1, imageName.data(),
                                 static_cast<int>(imageName.size()), TRUE) == CSTR_EQUAL) {
            each(entry.th32ProcessID);
        }
    }
}

void forEachProcessOf(const std::wstring& programPath, DWORD access,
                      const std::function<void(HANDLE)>& each) {
    const std::size_t slash = programPath.find_last_of(L"\\/");
    const std::wstring name =
        slash == std::wstring::npos ? programPath : programPath.substr(slash + 1);
    forEachProcessNamed(name, [&](DWORD id) {
        if (id == GetCurrentProcessId()) return;
        UniqueKernelHandle process(
            OpenProcess(access | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
        if (!process) return;
        // The process's own file, by the full path it was started from.
        wchar_t image[32768];
        DWORD size = static_cast<DWORD>(std::size(image));
        if (QueryFullProcessImageNameW(process.get(), 0, image, &size) &&
            CompareStringOrdinal(image, static_cast<int>(size), programPath.c_str(), -1, TRUE) ==
                CSTR_EQUAL) {
            each(process.get());
        }
    });
}

}  // namespace qv::win32
