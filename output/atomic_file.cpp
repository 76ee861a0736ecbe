#include "output/atomic_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace tesu {

namespace {

// The mode a plain fopen would give: that of the file being replaced, or the
// usual 0666 less the umask for a new one (mkstemp alone gives 0600).
mode_t mode_for(const std::string& path) {
    struct stat existing;
    if (stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFile::AtomicFile(const std::string& path) : path_(path) {
    // A short fixed name rather than path + suffix, so that a result name
    // near the file-name length limit still gets a temporary.
    temp_path_ = (std::filesystem::path(path).parent_path() / ".tesu-XXXXXX").string();
    fd_ = mkstemp(temp_path_.data());
    if (fd_ < 0) {
        temp_path_.clear();
        return;
    }
    if (fchmod(fd_, mode_for(path)) != 0) failed_ = true;
}

AtomicFile::~AtomicFile() { discard(); }

bool AtomicFile::write(std::string_view data) {
    if (fd_ < 0 || failed_) return false;
    while (!data.empty()) {
        const ssize_t written = ::write(fd_, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            failed_ = true;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool AtomicFile::commit() {
    if (fd_ < 0) return false;
    const int closed = close(fd_);
    fd_ = -1;
    if (failed_ || closed != 0 || std::rename(temp_path_.c_str(), path_.c_str()) != 0) {
        discard();
        return false;
    }
    temp_path_.clear();
    return true;
}

void AtomicFile::discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temp_path_.empty()) unlink(temp_path_.c_str());
    temp_path_.clear();
}

}  // namespace tesu
