// Text helpers shared by the mesh exports: numbers that read back exactly,
// and whole files that replace their path only once written completely.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "output/text_sink.h"

namespace tesu {

// The shortest text that reads back as the same double ("0" for -0).
void write_round_trip(TextSink& out, double value);

using FileText = std::function<void(TextSink&)>;

// Writes what `fill` puts into the sink to `path` through an AtomicFile.
// Returns false, leaving an earlier file at the path untouched, when the
// file could not be created or written completely.
bool write_export_file(const std::string& path, const FileText& fill);

// Writes files that belong together: each to its temporary first, and
// renames them over their paths only when every one is complete. Returns
// the paths that could not be written, none of the files replaced then.
std::vector<std::string> write_export_files(const std::vector<std::pair<std::string, FileText>>& files);

}  // namespace tesu
