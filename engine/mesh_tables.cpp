#include "engine/mesh_tables.h"

#include <cmath>

namespace tesu {

void MeshTables::reserve(int node_rows) {
    node_xy.reserve(node_rows);
    node_ve.reserve(node_rows);
    ve_rows.reserve(ve_row_capacity(node_rows));
    ve_serial.reserve(ve_row_capacity(node_rows));
    vp_rows.reserve(vp_row_capacity(node_rows));
    ve_vp = decltype(ve_vp)(ve_rows.data());
    ve_node = decltype(ve_node)(ve_rows.data());
    vp_ve = decltype(vp_ve)(vp_rows.data());
    vp_serial = decltype(vp_serial)(vp_rows.data());
}

void init_mesh(MeshTables& mesh) {
    // An equilateral triangle centred on (200, 200) with circumradius 12000:
    // the square of drawing units lies deep inside it.
    mesh.node_xy[1] = {200.0, 12200.0};
    mesh.node_xy[2] = {200 - std::sqrt(3.0) * 4000 * 1.5, -5800.0};
    mesh.node_xy[3] = {200 + std::sqrt(3.0) * 4000 * 1.5, -5800.0};

    mesh.ve_vp[1] = {1, 4};
    mesh.ve_vp[2] = {2, 4};
    mesh.ve_vp[3] = {3, 4};
    mesh.ve_vp[4] = {1, 2};
    mesh.ve_vp[5] = {1, 3};
    mesh.ve_vp[6] = {2, 3};

    mesh.ve_node[1] = {2, 3};
    mesh.ve_node[2] = {1, 3};
    mesh.ve_node[3] = {1, 2};
    mesh.ve_node[4] = {3, INFINITE_NODE};
    mesh.ve_node[5] = {2, INFINITE_NODE};
    mesh.ve_node[6] = {1, INFINITE_NODE};

    mesh.vp_ve[1] = {1, 4, 5};
    mesh.vp_ve[2] = {2, 4, 6};
    mesh.vp_ve[3] = {3, 5, 6};
    mesh.vp_ve[4] = {1, 2, 3};

    mesh.vp_ve[NO_VP_ROW] = {DELETED_VP, 0, 0};
    for (int v = 1; v <= 4; ++v) mesh.vp_serial[v] = v;
    for (int e = 1; e <= 6; ++e) mesh.ve_serial[e] = e;
    mesh.vp_pool = {4, 0};
    mesh.ve_pool = {6, 0};

    mesh.node_ve[1] = 2;
    mesh.node_ve[2] = 3;
    mesh.node_ve[3] = 1;

    mesh.number = 3;
    mesh.vp_number = 4;
    mesh.ve_number = 6;
}

}  // namespace tesu
