// Makes writes past a given file size fail, as on a full disk, for the
// lifetime of the object.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace tesu::testing {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        // The write then fails with EFBIG instead of the signal ending the process.
        previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previous_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previous_handler_)(int) = nullptr;
};

}  // namespace tesu::testing
