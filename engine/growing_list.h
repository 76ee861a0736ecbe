// A list indexed from 0 that keeps its rows between uses and grows, rarely,
// to the largest use so far: the working storage of the insertion.
#pragma once

#include <cstddef>
#include <vector>

namespace tesu {

template <typename T>
class GrowingList {
public:
    explicit GrowingList(int size) : rows_(static_cast<std::size_t>(size)), size_(size) {}
    T& operator[](int i) { return rows_[static_cast<std::size_t>(i)]; }
    const T& operator[](int i) const { return rows_[static_cast<std::size_t>(i)]; }
    T* data() { return rows_.data(); }
    const T* data() const { return rows_.data(); }
    // Makes row i usable; earlier rows keep their contents. True when the
    // rows have moved.
    bool make_room(int i) {
        if (i < size_) return false;
        grow(i);
        return true;
    }

private:
    void grow(int i) {
        size_ = 2 * i;
        rows_.resize(static_cast<std::size_t>(size_));
    }

    std::vector<T> rows_;
    int size_;  // rows_.size(), kept as an int for the checks of the common path
};

}  // namespace tesu
