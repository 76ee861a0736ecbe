// Cells that long walks to the nearest node have turned around: each node's
// neighbours in the order in which a walk meets them.
//
// A walk starts at the last node inserted. At the start of a lattice row it
// crosses the mesh through cells that no insertion touches any more, and
// the walk for the next row passes most of them again. Turning around a cell
// through the vp and ve rows takes two dependent look-ups per neighbour in
// rows spread over the tables; a cell kept here is half a cache line. An
// insertion forgets the cells of its ring nodes, the only cells it changes,
// so a cell found here is always the cell the tables give.
//
// A direct-mapped table indexed by the low bits of the node number: a cell
// pushed out is turned through the tables again when needed.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace tesu {

class WalkCache {
public:
    static constexpr std::uint32_t SIZE = 1u << 14;
    // Settled cells of a mesh rarely have more neighbours; with the node
    // number a cell fills half a cache line.
    static constexpr int MAX_DEGREE = 7;
    static constexpr int NO_NODE = -1;

    struct Cell {
        int node;
        // In turn order, the unused places at the end NO_NODE.
        std::array<int, MAX_DEGREE> neighbours;

        int degree() const {
            int count = 0;
            while (count < MAX_DEGREE && neighbours[static_cast<std::size_t>(count)] != NO_NODE) ++count;
            return count;
        }
    };

    WalkCache() : cells_(std::make_unique<Cell[]>(SIZE)) { start_run(); }

    // Forgets every cell: a new run numbers its nodes from the start again.
    void start_run() {
        for (std::uint32_t i = 0; i < SIZE; ++i) cells_[i].node = NO_NODE;
    }

    // The cell of node u, or nullptr when it is not kept.
    const Cell* find(int u) const {
        const Cell& cell = cells_[slot(u)];
        return cell.node == u ? &cell : nullptr;
    }

    // Keeps the cell of node u, `count` neighbours (at most MAX_DEGREE).
    const Cell& store(int u, const std::array<int, MAX_DEGREE>& neighbours, int count) {
        Cell& cell = cells_[slot(u)];
        cell = {u, neighbours};
        for (int i = count; i < MAX_DEGREE; ++i) cell.neighbours[static_cast<std::size_t>(i)] = NO_NODE;
        return cell;
    }

    // Called for each node whose cell an insertion changes.
    void forget(int u) {
        Cell& cell = cells_[slot(u)];
        if (cell.node == u) cell.node = NO_NODE;
    }

private:
    static std::uint32_t slot(int u) { return static_cast<std::uint32_t>(u) & (SIZE - 1); }

    std::unique_ptr<Cell[]> cells_;
};

}  // namespace tesu
