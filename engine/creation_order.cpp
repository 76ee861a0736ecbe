#include "engine/creation_order.h"

#include <bit>
#include <cstdint>

namespace tesu {

namespace {

// Sorts (creation number, row) keys by creation number, at most `highest`,
// and keeps the rows. A least-significant-digit radix sort: the keys are
// dense and a large mesh has millions of them, which a comparison sort
// takes several times longer over.
std::vector<int> rows_by_serial(std::vector<std::uint64_t>& keys, int highest) {
    constexpr int DIGIT_BITS = 11;
    constexpr std::uint64_t DIGIT_MASK = (1u << DIGIT_BITS) - 1;
    const int serial_bits = std::bit_width(static_cast<unsigned>(highest));
    std::vector<std::uint64_t> sorted(keys.size());
    for (int shift = 32; shift < 32 + serial_bits; shift += DIGIT_BITS) {
        std::vector<std::size_t> start(DIGIT_MASK + 2, 0);
        for (const std::uint64_t key : keys) ++start[((key >> shift) & DIGIT_MASK) + 1];
        for (std::size_t d = 1; d < start.size(); ++d) start[d] += start[d - 1];
        for (const std::uint64_t key : keys) sorted[start[(key >> shift) & DIGIT_MASK]++] = key;
        keys.swap(sorted);
    }
    std::vector<int> rows(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) rows[i] = static_cast<int>(keys[i] & 0xffff'ffffu);
    return rows;
}

std::uint64_t key(int serial, int row) {
    return static_cast<std::uint64_t>(serial) << 32 | static_cast<std::uint32_t>(row);
}

}  // namespace

std::vector<int> triangles_in_creation_order(const MeshTables& mesh) {
    std::vector<std::uint64_t> keys;
    // After n insertions 4 + 2n vps are live.
    keys.reserve(static_cast<std::size_t>(2 * mesh.number));
    for (int v = 1; v <= mesh.vp_pool.highest_row; ++v) {
        if (!vp_is_deleted(mesh, v) && mesh.vp_serial[v] >= 4) keys.push_back(key(mesh.vp_serial[v], v));
    }
    return rows_by_serial(keys, mesh.vp_number);
}

std::vector<int> live_ves_in_creation_order(const MeshTables& mesh) {
    std::vector<std::uint64_t> keys;
    keys.reserve(static_cast<std::size_t>(3 * mesh.number));
    for (int e = 1; e <= mesh.ve_pool.highest_row; ++e) {
        if (ve_is_live(mesh, e)) keys.push_back(key(mesh.ve_serial[e], e));
    }
    return rows_by_serial(keys, mesh.ve_number);
}

}  // namespace tesu
