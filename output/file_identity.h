// Whether two names stand for one file: the same device and inode when the
// file exists (whatever links lead there), otherwise the same absolute path
// once normalised. An output must never be the data file it comes from.
#pragma once

#include <sys/types.h>

#include <string>

namespace tesu {

struct FileIdentity {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    std::string path;  // normalised absolute path, when the file does not exist

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

FileIdentity identify_file(const std::string& path);

}  // namespace tesu
