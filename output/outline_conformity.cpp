#include "output/outline_conformity.h"

#include <algorithm>
#include <utility>

namespace tesu {

std::vector<OutlineSegment> missing_outline_segments(const FinishedMesh& mesh) {
    // Only edges between two outline nodes can be segments, and there are
    // about as many of those as outline nodes: gather them in one pass over
    // the elements and sort them, rather than indexing every edge.
    std::vector<char> on_outline(mesh.nodes.size() + 1, 0);
    for (const FinishedFigure& figure : mesh.figures) {
        for (const int n : figure.loop) on_outline[static_cast<std::size_t>(n)] = 1;
    }
    const auto outline = [&on_outline](int n) { return on_outline[static_cast<std::size_t>(n)] != 0; };
    std::vector<std::pair<int, int>> edges;
    for (const auto& element : mesh.elements) {
        for (int i = 0; i < 3; ++i) {
            const int a = element[static_cast<std::size_t>(i)];
            const int b = element[static_cast<std::size_t>((i + 1) % 3)];
            if (outline(a) && outline(b)) edges.emplace_back(std::min(a, b), std::max(a, b));
        }
    }
    std::sort(edges.begin(), edges.end());
    std::vector<OutlineSegment> missing;
    for (const OutlineSegment& segment : outline_segments(mesh)) {
        const std::pair<int, int> key{std::min(segment.from, segment.to), std::max(segment.from, segment.to)};
        if (!std::binary_search(edges.begin(), edges.end(), key)) missing.push_back(segment);
    }
    return missing;
}

}  // namespace tesu
