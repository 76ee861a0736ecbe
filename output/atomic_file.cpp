#include "output/atomic_file.h"

#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>

namespace tesu {

namespace {

// The temporaries being written, for a signal handler to remove: fixed
// rows of bytes, so that the handler neither allocates nor takes a lock.
constexpr int TEMPORARY_SLOTS = 16;
constexpr std::size_t TEMPORARY_PATH_BYTES = 4096 + 64;
std::array<std::array<char, TEMPORARY_PATH_BYTES>, TEMPORARY_SLOTS> temporary_paths;
std::array<std::atomic<bool>, TEMPORARY_SLOTS> temporary_in_use;
std::mutex temporary_table;

// A slot for `path`, or -1 when the table is full or the path too long (the
// temporary is then only removed by its owner).
int remember_temporary(const std::string& path) {
    if (path.size() >= TEMPORARY_PATH_BYTES) return -1;
    const std::lock_guard lock(temporary_table);
    for (int slot = 0; slot < TEMPORARY_SLOTS; ++slot) {
        auto& in_use = temporary_in_use[static_cast<std::size_t>(slot)];
        if (in_use.load()) continue;
        std::memcpy(temporary_paths[static_cast<std::size_t>(slot)].data(), path.c_str(), path.size() + 1);
        in_use.store(true);
        return slot;
    }
    return -1;
}

void forget_temporary(int slot) {
    if (slot >= 0) temporary_in_use[static_cast<std::size_t>(slot)].store(false);
}

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

void remove_unfinished_temporaries() noexcept {
    for (int slot = 0; slot < TEMPORARY_SLOTS; ++slot) {
        if (temporary_in_use[static_cast<std::size_t>(slot)].load()) {
            unlink(temporary_paths[static_cast<std::size_t>(slot)].data());
        }
    }
}

AtomicFile::AtomicFile(const std::string& path) : path_(path) {
    // A short fixed name rather than path + suffix, so that a result name
    // near the file-name length limit still gets a temporary.
    temp_path_ = (std::filesystem::path(path).parent_path() / ".tesu-XXXXXX").string();
    fd_ = mkstemp(temp_path_.data());
    if (fd_ < 0) {
        error_ = errno;
        failed_ = true;
        temp_path_.clear();
        return;
    }
    slot_ = remember_temporary(temp_path_);
    if (fchmod(fd_, mode_for(path)) != 0) fail();
}

AtomicFile::~AtomicFile() { discard(); }

void AtomicFile::fail() {
    if (!failed_) error_ = errno;
    failed_ = true;
}

bool AtomicFile::write(std::string_view data) {
    if (fd_ < 0 || failed_) return false;
    while (!data.empty()) {
        const ssize_t written = ::write(fd_, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            fail();
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool AtomicFile::finish() {
    if (fd_ < 0) return false;
    // On the disk before the rename: a power cut must not leave an empty
    // file under the final name.
    if (!failed_ && fsync(fd_) != 0) fail();
    if (close(fd_) != 0) fail();
    fd_ = -1;
    if (failed_) discard();
    return !failed_;
}

bool AtomicFile::install() {
    if (failed_ || temp_path_.empty()) return false;
    if (std::rename(temp_path_.c_str(), path_.c_str()) != 0) {
        fail();
        discard();
        return false;
    }
    forget_temporary(slot_);
    slot_ = -1;
    temp_path_.clear();
    return true;
}

std::string AtomicFile::failure_reason() const {
    if (!failed_) return {};
    static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strerror_l(error_ != 0 ? error_ : EIO, c_locale);
}

void AtomicFile::discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temp_path_.empty()) unlink(temp_path_.c_str());
    forget_temporary(slot_);
    slot_ = -1;
    temp_path_.clear();
}

}  // namespace tesu
