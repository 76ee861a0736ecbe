// What the insertion keeps besides the diagram: the lists it works in,
// grown to the largest insertion so far and kept, and the caches that spare
// later insertions and walks work. No output reads any of it; the tables
// alone hold the mesh.
#pragma once

#include <array>

#include "engine/centre_cache.h"
#include "engine/growing_list.h"
#include "engine/mesh_tables.h"
#include "engine/walk_cache.h"

namespace tesu {

// A border ve of the cavity, the new vp built on it and the end of the ve
// (0 or 1) that is to name that vp once the cavity is gone.
struct RingRow {
    int boundary_ve;
    int new_vp;
    int side;
};

// A vp of the cavity search whose three neighbours are being looked at:
// those of the slots before `next_slot` are done.
struct CavitySearchStep {
    int entry;      // its place in cavity_vp
    int parent;     // the entry it was reached from, 0 for the start vp
    int parent_vp;  // the vp of that entry
    int next_slot;
    std::array<int, 3> across;
    std::array<double, 3> value;
};

struct InsertionWork {
    // The vps of the last cavity in the order the search met them, from
    // index 1, and their count. The three lists of the cavity search always
    // have the same size.
    GrowingList<int> cavity_vp{64};
    int cavity_count = 0;
    // For each cavity entry and slot: the entry across that slot's ve, 0 when
    // that vp lies outside the cavity.
    GrowingList<std::array<int, 3>> cavity_links{64};
    // The vps of the depth-first search still being looked at, deepest last.
    GrowingList<CavitySearchStep> cavity_search{64};
    // The creation numbers of the cavity vps, for an insertion that may be
    // undone.
    GrowingList<int> cavity_serial{64};  // used from index 1
    CentreCache centre_cache;
    GrowingList<RingRow> ring{64};  // used from index 1
    // The neighbours of the node inserted last, in turn order: no insertion
    // has changed its cell yet, and the next walk starts there.
    int newest_node = INFINITE_NODE;
    int newest_degree = 0;
    GrowingList<int> newest_cell{64};
    // Filled by the walks, emptied cell by cell by the insertions.
    WalkCache walk_cache;
};

}  // namespace tesu
