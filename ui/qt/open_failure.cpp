#include "ui/qt/open_failure.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tesu {

std::string open_failure_reason(const std::string& path) {
    // Without waiting for a writer, should it be a pipe.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return std::strerror(errno);
    struct stat status {};
    const int error = ::fstat(fd, &status) == 0 ? 0 : errno;
    ::close(fd);
    if (error != 0) return std::strerror(error);
    if (S_ISDIR(status.st_mode)) return std::strerror(EISDIR);
    // The reader reads only regular files: a pipe could keep it waiting.
    if (!S_ISREG(status.st_mode)) return "通常のファイルではありません。";
    return {};
}

std::string open_failure_text(const std::string& path, const std::string& reason) {
    return path + " を開けません。\n" + reason;
}

}  // namespace tesu
