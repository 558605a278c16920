// The removal benchmark on the Win32 back-end, over a drive simulated by Wine's mount
// manager.

#include <windows.h>

#include <string>
#include <vector>

#include "bench/removal/RemovalBench.h"
#include "common/win32/UniqueHandle.h"
#include "common/win32/Win32RemovalFiles.h"
#include "tests/wine/tools/TestKit.h"

namespace {

bool flush(const std::wstring& path) {
    qv::win32::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.get());
}

// The leanest flushed copy: one read and one write of a MiB at a time, then a flush of the
// same handle. (CopyFileW takes about a tenth longer under Wine, in pieces of 64 KiB.)
bool copyAndFlush(const std::wstring& from, const std::wstring& to) {
    qv::win32::UniqueFile in(CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    qv::win32::UniqueFile out(CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in || !out) return false;
    std::vector<char> buffer(std::size_t{1} << 20);
    for (;;) {
        DWORD got = 0, written = 0;
        if (!ReadFile(in.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            return false;
        }
        if (got == 0) return FlushFileBuffers(out.get()) != FALSE;
        if (!WriteFile(out.get(), buffer.data(), got, &written, nullptr) || written != got) {
            return false;
        }
    }
}

}  // namespace

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
            const std::wstring file = stick / L"autorun.inf";
            if (!qv::testkit::writeBytes(file, bytes) || !flush(file)) return std::string();
            return qv::testkit::utf8(drive.root() + L"autorun.inf");
        },
        [&](const std::string& path) { return copyAndFlush(qv::testkit::wide(path), copy); },
        [&](const std::string& path) {
            return DeleteFileW(qv::testkit::wide(path).c_str()) != FALSE;
        },
        [&] { DeleteFileW(copy.c_str()); }};
    return qv::bench::runRemovalBench(platform, "Wine, Win32 back-end");
}
