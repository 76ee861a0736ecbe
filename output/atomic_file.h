// A file that replaces its path only once it has been written completely: the
// text goes to a temporary file in the same folder, which is renamed over the
// path on commit. A failed or abandoned write leaves any earlier file intact
// and no temporary behind.
#pragma once

#include <string>
#include <string_view>

namespace tesu {

class AtomicFile {
public:
    explicit AtomicFile(const std::string& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Whether the temporary file could be created.
    bool is_open() const { return fd_ >= 0; }

    // Returns false (and remembers the failure) when not all bytes were written.
    bool write(std::string_view data);

    // Closes the temporary and renames it over the path. Returns false, and
    // removes the temporary, when any write, the close or the rename failed.
    bool commit();

private:
    void discard();

    std::string path_;
    std::string temp_path_;
    int fd_ = -1;
    bool failed_ = false;
};

}  // namespace tesu
