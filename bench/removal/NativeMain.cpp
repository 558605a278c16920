// The removal benchmark on the drive-table back-end, over a temporary folder.

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "bench/removal/RemovalBench.h"
#include "common/posix/DriveTableRemovalFiles.h"

namespace fs = std::filesystem;

namespace {

bool flush(const fs::path& file) {
    int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0) return false;
    bool flushed = ::fsync(fd) == 0;
    return ::close(fd) == 0 && flushed;
}

bool plant(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
    return flush(file);
}

}  // namespace

int main() {
    fs::path base =
        fs::temp_directory_path() / ("qv-removal-bench-" + std::to_string(std::random_device{}()));
    fs::path stick = base / "e", data = base / "data";
    fs::create_directories(stick);
    fs::create_directories(data);
    qv::posix::DriveTableRemovalFiles files(data, [&](const std::string& path) {
        return std::optional<fs::path>(stick / path.substr(3));
    });
    qv::bench::RemovalBenchPlatform platform{
        files,
        "隔离区",
        [&](const std::string& bytes) {
            return plant(stick / "autorun.inf", bytes) ? std::string("e:\\autorun.inf") : "";
        },
        [&](const std::string& path) {
            std::error_code ec;
            fs::copy_file(stick / path.substr(3), data / "copy", ec);
            return !ec && flush(data / "copy");
        },
        [&](const std::string& path) { return fs::remove(stick / path.substr(3)); },
        [&] { fs::remove(data / "copy"); }};
    int result = qv::bench::runRemovalBench(platform, "native, drive-table back-end");
    fs::remove_all(base);
    return result;
}
