#include "ui/qt/open_failure.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tesu {

int open_failure(const std::string& path) {
    // Without waiting for a writer, should it be a pipe.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return errno;
    struct stat status {};
    const int error = ::fstat(fd, &status) == 0 ? 0 : errno;
    ::close(fd);
    if (error != 0) return error;
    if (S_ISDIR(status.st_mode)) return EISDIR;
    // The reader reads only regular files: a pipe could keep it waiting.
    if (!S_ISREG(status.st_mode)) return NOT_A_REGULAR_FILE;
    return 0;
}

std::string open_failure_reason(const std::string& path) {
    const int failure = open_failure(path);
    if (failure == 0) return {};
    if (failure == NOT_A_REGULAR_FILE) return "通常のファイルではありません。";
    return std::strerror(failure);
}

std::string open_failure_text(const std::string& path, const std::string& reason) {
    return path + " を開けません。\n" + reason;
}

}  // namespace tesu
