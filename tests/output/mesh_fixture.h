// Small hand-built meshes for the output tests: nodes given in file units,
// triangles as node triples, figures as closed lists of points. Only what
// the writers read is filled in: node_xy, vp_ve and ve_node.
#pragma once

#include <memory>
#include <vector>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"

namespace tesu::testing {

class TestMesh {
public:
    // File units map onto drawing units as the run's normalisation does.
    TestMesh(double min_x, double min_y, double scale) {
        input->data_min_x = min_x;
        input->data_min_y = min_y;
        input->data_scale = scale;
        init_mesh(*mesh);
        // The enclosing triangle is replaced by the first insertion in a real run.
        mesh->vp_ve[4][0] = DELETED_VP;
    }

    Point drawing(double x, double y) const {
        return {(x - input->data_min_x) * input->data_scale,
                399 - (y - input->data_min_y) * input->data_scale};
    }

    // Returns the node index.
    int node(double x, double y) { return node_at_drawing(drawing(x, y)); }
    int node_at_drawing(Point p) {
        mesh->node_xy[++mesh->number] = p;
        return mesh->number;
    }

    // A triangle whose vp_nodes are p, q, r in this order; returns its vp.
    int triangle(int p, int q, int r) {
        const int first = add_ve(p, q);
        const int second = add_ve(q, r);
        const int third = add_ve(r, p);
        mesh->vp_ve[++mesh->vp_number] = {first, second, third};
        return mesh->vp_number;
    }

    void delete_vp(int v) { mesh->vp_ve[v][0] = DELETED_VP; }

    // A closed figure; the first point is repeated as its closing point.
    void figure(const std::vector<Point>& file_points) {
        int row = input->outline_point_count;
        for (const Point& p : file_points) input->outline_xy[row++] = drawing(p.x, p.y);
        input->outline_xy[row] = drawing(file_points.front().x, file_points.front().y);
        input->figure_end[input->figure_count++] = row;
        input->outline_point_count = row + 1;
    }

    void division_point(double x, double y) {
        input->division_xy[input->division_node_count++] = drawing(x, y);
    }

    std::unique_ptr<MeshTables> mesh = std::make_unique<MeshTables>();
    std::unique_ptr<InputTables> input = std::make_unique<InputTables>();

private:
    int add_ve(int a, int b) {
        mesh->ve_node[++mesh->ve_number] = {a, b};
        return mesh->ve_number;
    }
};

}  // namespace tesu::testing
