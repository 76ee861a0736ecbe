// Circumcircles of recently built or tested vps: centre and squared radius,
// keyed by vp row.
//
// A vp's nodes never change while its row is live, so a circle computed once
// holds until the row is taken by a new vp, which stores its own circle or
// forgets the old one.
// Vps along the front of the insertions are tested by several insertions in
// turn; the cache spares them the node look-ups and the division each time.
// A direct-mapped table indexed by the low bits of the row. Its 1 MB keeps
// the front of a row of several thousand nodes, whose long thin vps reach
// far ahead, and still leaves most of the second-level cache to the tables.
#pragma once

#include <cstdint>
#include <memory>

namespace tesu {

struct Circle {
    double cx;
    double cy;
    double radius2;
};

class CentreCache {
public:
    static constexpr std::uint32_t SIZE = 1u << 15;

    // Starts at run 1: forget() marks an entry with run 0, which must never
    // be the current run.
    CentreCache() : entries_(std::make_unique<Entry[]>(SIZE)) { start_run(); }

    // Forgets every circle: called when a new run starts numbering vps again.
    void start_run() {
        if (++run_ == 0) {
            for (std::uint32_t i = 0; i < SIZE; ++i) entries_[i] = {};
            run_ = 1;
        }
    }

    // The circle of vp v if it is held, else nullptr.
    const Circle* find(int v) const {
        const Entry& entry = entries_[slot(v)];
        return entry.vp == v && entry.run == run_ ? &entry.circle : nullptr;
    }

    void store(int v, const Circle& circle) { entries_[slot(v)] = {v, run_, circle}; }

    void forget(int v) {
        Entry& entry = entries_[slot(v)];
        if (entry.vp == v) entry.run = 0;
    }

private:
    static constexpr std::uint32_t MASK = SIZE - 1;

    struct Entry {
        int vp = 0;
        std::uint32_t run = 0;
        Circle circle{};
    };

    static std::uint32_t slot(int v) { return static_cast<std::uint32_t>(v) & MASK; }

    std::unique_ptr<Entry[]> entries_;
    // Entries of earlier runs carry a smaller number; run 0 holds nothing.
    std::uint32_t run_ = 0;
};

}  // namespace tesu
