// Hand-made meshes for the drawing tests: triangles written straight into
// the tables, without the Voronoi construction.
#pragma once

#include <memory>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"

namespace tesu::testing {

class MeshBuilder {
public:
    MeshBuilder() : mesh_(std::make_unique<MeshTables>()) {
        mesh_->number = 3;
        mesh_->vp_ve[NO_VP_ROW][0] = DELETED_VP;
        // Vps 1 to 3 lie at infinity; here they hold triangles inside the
        // square, to be found by a reader that wrongly visits them.
        for (int v = 1; v <= 3; ++v) add_vp(node(10 + v, 10), node(20 + v, 10), node(15 + v, 20));
    }

    int node(double x, double y) {
        mesh_->node_xy[++mesh_->number] = {x, y};
        return mesh_->number;
    }
    // A vp whose nodes, in the order of vp_nodes, are a, b, c.
    int add_vp(int a, int b, int c) {
        const int first = add_ve(a, b);
        const int second = add_ve(b, c);
        const int v = ++mesh_->vp_number;
        mesh_->vp_rows[v] = {{first, second, second}, v};
        mesh_->vp_pool = {v, 0};
        return v;
    }
    void delete_vp(int v) { mesh_->vp_ve[v][0] = DELETED_VP; }
    void add_voronoi_edge(int a, int b) { mesh_->ve_vp[add_ve(0, 0)] = {a, b}; }

    MeshTables& mesh() { return *mesh_; }
    std::unique_ptr<MeshTables> release() { return std::move(mesh_); }

private:
    int add_ve(int n0, int n1) {
        const int e = ++mesh_->ve_number;
        mesh_->ve_node[e] = {n0, n1};
        mesh_->ve_vp[e] = {NO_VP_ROW, NO_VP_ROW};
        mesh_->ve_serial[e] = e;
        mesh_->ve_pool = {e, 0};
        return e;
    }
    std::unique_ptr<MeshTables> mesh_;
};

// A 100 x 100 square from (0, 0) with a hole from (40, 40) to (60, 60).
inline std::unique_ptr<InputTables> square_with_hole() {
    auto input = std::make_unique<InputTables>();
    for (const Point& p : {Point{0, 0},
                           {100, 0},
                           {100, 100},
                           {0, 100},
                           {0, 0},
                           {40, 40},
                           {60, 40},
                           {60, 60},
                           {40, 60},
                           {40, 40}}) {
        input->outline_xy[input->outline_point_count++] = p;
    }
    input->figure_end[0] = 4;
    input->figure_end[1] = 9;
    input->figure_count = 2;
    return input;
}

}  // namespace tesu::testing
