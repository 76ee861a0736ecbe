// Which vps are in the cavity of the insertion under way, and at which
// position of the cavity list: a small open-addressed hash table.
//
// Asking the list itself means a scan of the whole cavity for every
// neighbour tested, with a loop exit the branch predictor cannot learn; the
// table answers in one probe as a rule. Entries carry the number of the
// insertion that made them, so a new insertion starts from an empty table
// without clearing it, even after one that ended half-way.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tesu {

class CavityIndex {
public:
    CavityIndex() : slots_(INITIAL_SIZE) {}

    // Forgets every entry.
    void start() {
        count_ = 0;
        if (++generation_ == 0) {
            std::fill(slots_.begin(), slots_.end(), Slot{});
            generation_ = 1;
        }
    }

    // Records that vp v (not yet recorded) is cavity entry `position`.
    void add(int v, int position) {
        // At most half full, so that probes stay short.
        if (2 * (++count_) > slots_.size()) grow();
        place(v, position);
    }

    // The cavity position of vp v, 0 when v is not in the cavity.
    int position(int v) const {
        for (std::uint32_t i = home(v); slots_[i].generation == generation_; i = (i + 1) & mask()) {
            if (slots_[i].vp == v) return slots_[i].position;
        }
        return 0;
    }

private:
    // Holds the cavities of a settled mesh, a few dozen vps, many times over.
    static constexpr std::uint32_t INITIAL_SIZE = 2048;

    struct Slot {
        int vp = 0;
        int position = 0;
        std::uint32_t generation = 0;
    };

    std::uint32_t mask() const { return static_cast<std::uint32_t>(slots_.size()) - 1; }

    // Fibonacci hashing: consecutive vp numbers land far apart. The top bits
    // of the product pick one of the table's slots.
    std::uint32_t home(int v) const { return (static_cast<std::uint32_t>(v) * 2654435769u) >> shift_; }

    void place(int v, int position) {
        std::uint32_t i = home(v);
        while (slots_[i].generation == generation_) i = (i + 1) & mask();
        slots_[i] = {v, position, generation_};
    }

    // Doubles the table and places this insertion's entries again; entries
    // of earlier insertions are dropped on the way.
    void grow() {
        std::vector<Slot> old(slots_.size() * 2);
        old.swap(slots_);
        --shift_;
        for (const Slot& slot : old) {
            if (slot.generation == generation_) place(slot.vp, slot.position);
        }
    }

    std::vector<Slot> slots_;
    std::uint32_t shift_ = 32 - 11;  // log2 of INITIAL_SIZE
    std::uint32_t generation_ = 0;
    std::uint32_t count_ = 0;
};

}  // namespace tesu
