// A table of rows numbered from 0 that holds only the rows written so far,
// so that a small data file costs little however large a file may be.
#pragma once

#include <cstddef>
#include <vector>

namespace tesu {

// Writing row i through a non-const reference makes rows 0 to i exist, the
// new ones zero, as in a table of fixed size that was never written. Rows are
// never dropped, so what one run wrote stays until the next overwrites it. A
// const reference reads only rows that exist. How many rows hold the present
// run's data is kept beside the table (the counts of InputTables).
template <typename T>
class GrowingTable {
public:
    T& operator[](int i) {
        const auto row = static_cast<std::size_t>(i);
        // Resizing past the reserve doubles it, so appending is cheap.
        if (row >= rows_.size()) rows_.resize(row + 1);
        return rows_[row];
    }
    const T& operator[](int i) const { return rows_[static_cast<std::size_t>(i)]; }
    const T* data() const { return rows_.data(); }

private:
    std::vector<T> rows_;
};

}  // namespace tesu
