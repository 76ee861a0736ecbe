// Which vps are in the cavity of the insertion under way, and at which
// position of the cavity list: a small open-addressed hash table.
//
// Asking the list itself means a scan of up to 510 entries for every
// neighbour tested, with a loop exit the branch predictor cannot learn; the
// table answers in one probe as a rule. Entries carry the number of the
// insertion that made them, so a new insertion starts from an empty table
// without clearing it, even after one that ended half-way.
#pragma once

#include <array>
#include <cstdint>

namespace tesu {

class CavityIndex {
public:
    // Twice the largest cavity or more, so that probes stay short.
    static constexpr std::uint32_t SIZE = 2048;

    // Forgets every entry.
    void start() {
        if (++generation_ == 0) {
            slots_.fill({});
            generation_ = 1;
        }
    }

    // Records that vp v (not yet recorded) is cavity entry `position`.
    void add(int v, int position) {
        std::uint32_t i = home(v);
        while (slots_[i].generation == generation_) i = (i + 1) & MASK;
        slots_[i] = {v, position, generation_};
    }

    // The cavity position of vp v, 0 when v is not in the cavity.
    int position(int v) const {
        for (std::uint32_t i = home(v); slots_[i].generation == generation_; i = (i + 1) & MASK) {
            if (slots_[i].vp == v) return slots_[i].position;
        }
        return 0;
    }

private:
    static constexpr std::uint32_t MASK = SIZE - 1;

    struct Slot {
        int vp = 0;
        int position = 0;
        std::uint32_t generation = 0;
    };

    // Fibonacci hashing: consecutive vp numbers land far apart.
    static std::uint32_t home(int v) { return (static_cast<std::uint32_t>(v) * 2654435769u) >> 21; }

    std::array<Slot, SIZE> slots_{};
    std::uint32_t generation_ = 0;
};

}  // namespace tesu
