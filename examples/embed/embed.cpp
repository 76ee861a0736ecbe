// Meshes a figure made in the program, without a data file: a 10 by 10
// square with a node spacing of 1, and prints how many elements it got.
#include <tesu/tesu.h>

#include <cstdio>

int main() {
    tesu::Domain square;
    // The outline, closed on its first point.
    square.outlines = {{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}};
    square.spacing = 1;
    square.span = 2;
    try {
        const tesu::FinishedMesh mesh = tesu::mesh(square, {});
        std::printf("elements: %zu\n", mesh.elements.size());
    } catch (const tesu::Error& error) {
        std::fprintf(stderr, "%s\n%s\n", error.caption().c_str(), error.text().c_str());
        return 1;
    }
    return 0;
}
