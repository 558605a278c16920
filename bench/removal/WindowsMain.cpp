// The removal benchmark on the Win32 back-end, over a drive simulated by Wine's mount
// manager.

#include <windows.h>

#include <string>

#include "bench/removal/RemovalBench.h"
#include "common/win32/UniqueHandle.h"
#include "common/win32/Win32RemovalFiles.h"
#include "tests/wine/tools/TestKit.h"

int wmain() {
    qv::testkit::TempFolder stick(L"qv-bench-stick"), data(L"qv-bench-data");
    auto letter = qv::testkit::freeDriveLetter();
    if (!letter) return 1;
    qv::testkit::SimulatedDrive drive(*letter, DRIVE_REMOVABLE, stick.path());
    if (!drive.ok()) return 1;
    const std::wstring copy = data / L"copy";
    qv::win32::Win32RemovalFiles files;
    qv::bench::RemovalBenchPlatform platform{
        files,
        qv::testkit::utf8(data / L"隔离区"),
        [&](const std::string& bytes) {
            if (!qv::testkit::writeBytes(stick / L"autorun.inf", bytes)) return std::string();
            return qv::testkit::utf8(drive.root() + L"autorun.inf");
        },
        [&](const std::string& path) {
            if (!CopyFileW(qv::testkit::wide(path).c_str(), copy.c_str(), FALSE)) return false;
            qv::win32::UniqueFile file(CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            return file && FlushFileBuffers(file.get());
        },
        [&](const std::string& path) {
            return DeleteFileW(qv::testkit::wide(path).c_str()) != FALSE;
        },
        [&] { DeleteFileW(copy.c_str()); }};
    return qv::bench::runRemovalBench(platform, "Wine, Win32 back-end");
}
