// A file that replaces its path only once it has been written completely: the
// text goes to a temporary file in the same folder, which is flushed to the
// disk and renamed over the path on commit. A failed or abandoned write
// leaves any earlier file intact and no temporary behind, also when the
// program is ended by a signal (see remove_unfinished_temporaries).
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

    // Flushes the temporary to the disk and closes it; false, removing it,
    // when any write, the flush or the close failed.
    bool finish();
    // Renames the finished temporary over the path; false, removing it,
    // when that failed.
    bool install();
    // Both.
    bool commit() { return finish() && install(); }

    // Why the file could not be written, in the C locale ("No space left on
    // device"); empty while nothing failed.
    std::string failure_reason() const;

private:
    void fail();
    void discard();

    std::string path_;
    std::string temp_path_;
    int fd_ = -1;
    bool failed_ = false;
    int error_ = 0;
    int slot_ = -1;  // in the table of unfinished temporaries
};

// Removes the temporary files of every AtomicFile still being written. Safe
// in a signal handler: a program ended by a signal calls it first.
void remove_unfinished_temporaries() noexcept;

}  // namespace tesu
