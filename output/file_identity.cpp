#include "output/file_identity.h"

#include <sys/stat.h>

#include <filesystem>

namespace tesu {

FileIdentity identify_file(const std::string& path) {
    struct stat status;
    if (stat(path.c_str(), &status) == 0) return {true, status.st_dev, status.st_ino, {}};
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return {false, 0, 0, std::filesystem::weakly_canonical(absolute, error).lexically_normal().string()};
}

}  // namespace tesu
