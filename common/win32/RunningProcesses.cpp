#include "common/win32/RunningProcesses.h"

#include <tlhelp32.h>

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

}  // namespace qv::win32
