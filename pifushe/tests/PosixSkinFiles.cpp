#include "pifushe/tests/PosixSkinFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace qv::pifushe::test {

namespace {

std::string join(const std::string& folder, const std::string& name) {
    return folder + "/" + name;
}

Status systemFailure() {
    return Status::failure(std::strerror(errno));
}

}  // namespace

Status PosixSkinFiles::list(const std::string& folder, std::vector<FileInfo>& out) {
    DIR* dir = opendir(folder.c_str());
    if (!dir) return systemFailure();
    std::vector<FileInfo> found;
    while (dirent* item = readdir(dir)) {
        struct stat st;
        if (lstat(join(folder, item->d_name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        found.push_back({item->d_name, static_cast<std::uint64_t>(st.st_size)});
    }
    closedir(dir);
    out = std::move(found);
    return Status::success();
}

Status PosixSkinFiles::read(const std::string& folder, const std::string& name, std::size_t limit,
                            std::string& out) {
    ++reads;
    largestLimit = std::max(largestLimit, limit);
    int fd = open(join(folder, name).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return systemFailure();
    std::string bytes(limit, '\0');
    std::size_t got = 0;
    while (got < limit) {
        ssize_t n = ::read(fd, bytes.data() + got, limit - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            Status failed = systemFailure();
            close(fd);
            return failed;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    close(fd);
    bytes.resize(got);
    out = std::move(bytes);
    return Status::success();
}

Status PosixSkinFiles::writeTemporary(const std::string& folder, std::string_view bytes,
                                      std::string& name) {
    std::string path = join(folder, "~Pifu-XXXXXX.tmp");
    int fd = mkstemps(path.data(), 4);
    if (fd < 0) return systemFailure();
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    if (done != bytes.size() || fsync(fd) != 0) {
        Status failed = systemFailure();
        close(fd);
        unlink(path.c_str());
        return failed;
    }
    if (close(fd) != 0) {
        Status failed = systemFailure();
        unlink(path.c_str());
        return failed;
    }
    name = path.substr(folder.size() + 1);
    return Status::success();
}

Status PosixSkinFiles::replace(const std::string& folder, const std::string& from,
                               const std::string& to) {
    if (rename(join(folder, from).c_str(), join(folder, to).c_str()) != 0) return systemFailure();
    return Status::success();
}

void PosixSkinFiles::remove(const std::string& folder, const std::string& name) {
    unlink(join(folder, name).c_str());
}

}  // namespace qv::pifushe::test
