// The mesh in the plain formats of the Triangle mesh generator, which many
// solvers and converters read: a .node file (every node, boundary marker 1
// on the outlines, 0 elsewhere), an .ele file (the elements, three nodes
// counter-clockwise) and a .poly file (the outlines as segments marked with
// their figure's number, and a point inside each hole). Numbers count from 1,
// as in the result file.
#pragma once

#include <string>

#include "output/finished_mesh.h"
#include "output/text_sink.h"

namespace tesu {

// The texts of the .node and .ele files, which are written as a pair.
void node_file_text(TextSink& out, const FinishedMesh& mesh);
void ele_file_text(TextSink& out, const FinishedMesh& mesh);

// The outline nodes (nodes 1 to outline_node_count) with their figure's
// number as marker, the outline segments and the holes.
bool write_poly_file(const std::string& path, const FinishedMesh& mesh);

}  // namespace tesu
