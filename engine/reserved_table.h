// Address space for a table of rows, mapped from the kernel so that pages are
// committed (zero-filled) only where rows are written, and widened in place
// or moved by the kernel without copying the rows.
#pragma once

#include <cstddef>

namespace tesu {

class ReservedMapping {
public:
    ReservedMapping() = default;
    ~ReservedMapping();
    ReservedMapping(const ReservedMapping&) = delete;
    ReservedMapping& operator=(const ReservedMapping&) = delete;

    // At least `bytes` become usable, the bytes so far kept; the start may
    // move. Throws std::bad_alloc when the kernel refuses.
    void widen(std::size_t bytes);
    void* start() const { return start_; }

private:
    void* start_ = nullptr;
    std::size_t bytes_ = 0;
};

// The rows must be trivially copyable: the kernel moves their pages.
template <typename T>
class ReservedBytes {
public:
    T* rows() const { return rows_; }
    void widen(std::size_t bytes) {
        mapping_.widen(bytes);
        rows_ = static_cast<T*>(mapping_.start());
    }

private:
    ReservedMapping mapping_;
    T* rows_ = nullptr;
};

}  // namespace tesu
