// Meshes a figure made in the program, without a data file on disk: a 10 by
// 10 square with a node spacing of 1, and prints how many elements it got.
#include <cstdio>
#include <optional>
#include <sstream>

#include "engine/error.h"
#include "run/mesh_run.h"

int main() {
    // The text of a data file: the outline closed on its first point, the
    // basic spacing, the span of the interior search.
    std::istringstream square("0 0\n10 0\n10 10\n0 10\n0 0\nb = 1\ns = 2\n");
    try {
        tesu::MeshRun run;
        run.read(square, "square.DAT");
        run.prepare();
        tesu::RunObserver quiet;  // draws nothing
        const std::optional<tesu::FinishedMesh> mesh = run.build(quiet);
        if (!mesh) return 1;
        std::printf("elements: %zu\n", mesh->elements.size());
    } catch (const tesu::Error& error) {
        std::fprintf(stderr, "%s\n%s\n", error.caption().c_str(), error.text().c_str());
        return 1;
    }
    return 0;
}
