// Shared helpers of the output tests: hand-built meshes, a scratch folder,
// an independent code page 932 encoder and a file-size limit that makes
// writes fail.
#pragma once

#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/mesh_tables.h"
#include "input/input_tables.h"

namespace tesu::testing {

// Nodes in file units, triangles as node triples (vp_nodes gives them back
// in that order), closed figures. Only what the writers read is filled in.
struct TestMesh {
    TestMesh(double min_x, double min_y, double scale) {
        input->data_min_x = min_x;
        input->data_min_y = min_y;
        input->data_scale = scale;
        init_mesh(*mesh);
        mesh->vp_ve[4][0] = DELETED_VP;  // a real run replaces the enclosing triangle
    }
    Point drawing(double x, double y) const {
        return {(x - input->data_min_x) * input->data_scale,
                399 - (y - input->data_min_y) * input->data_scale};
    }
    int node(double x, double y) { return node_at_drawing(drawing(x, y)); }
    int node_at_drawing(Point p) {
        mesh->node_xy[++mesh->number] = p;
        return mesh->number;
    }
    int triangle(int p, int q, int r) {
        mesh->ve_node[++mesh->ve_number] = {p, q};
        mesh->ve_node[++mesh->ve_number] = {q, r};
        const int v = ++mesh->vp_number;
        mesh->vp_rows[v] = {{mesh->ve_number - 1, mesh->ve_number, mesh->ve_number}, v};
        mesh->vp_pool = {v, 0};
        return v;
    }
    void figure(const std::vector<Point>& points) {
        int row = input->outline_point_count;
        for (const Point& p : points) input->outline_xy[row++] = drawing(p.x, p.y);
        input->outline_xy[row] = drawing(points[0].x, points[0].y);
        input->figure_end[input->figure_count++] = row;
        input->outline_point_count = row + 1;
    }
    void division_point(double x, double y) {
        input->division_xy[input->division_node_count++] = drawing(x, y);
    }

    std::unique_ptr<MeshTables> mesh = std::make_unique<MeshTables>();
    std::unique_ptr<InputTables> input = std::make_unique<InputTables>();
};

struct TempFolder {
    std::filesystem::path path = std::filesystem::path(::testing::TempDir()) /
                                 ("tesu-output-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    TempFolder() { std::filesystem::create_directories(path); }
    ~TempFolder() { std::filesystem::remove_all(path); }
    std::string file(const std::string& name) const { return (path / name).string(); }
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path))
            names.insert(entry.path().filename());
        return names;
    }
};

inline std::string read_bytes(const std::string& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

// Result-file text from UTF-8 with "\n": code page 932 with CR LF.
inline std::string result_text(const std::string& utf8) {
    std::string in;
    for (const char c : utf8) in += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string out(in.size() * 2, '\0');
    char* in_ptr = in.data();
    char* out_ptr = out.data();
    std::size_t in_left = in.size(), out_left = out.size();
    iconv_t converter = iconv_open("CP932", "UTF-8");
    const std::size_t converted = iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left);
    iconv_close(converter);
    out.resize(converted == static_cast<std::size_t>(-1) ? 0 : out.size() - out_left);
    return out;
}

// Writes past `bytes` fail with EFBIG, as on a full disk, while this lives.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limited = previous;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous); }
    rlimit previous{};
};

}  // namespace tesu::testing
