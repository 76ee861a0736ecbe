// Command line of tesu-batch.
#pragma once

#include <string>
#include <vector>

#include "refine/quality_options.h"

namespace tesu {

struct BatchOptions {
    int histogram_step = 0;
    std::string output_path;  // -o, for a single data file
    std::string svg_path;     // --svg
    // --export, repeatable; each name's extension picks the format.
    std::vector<std::string> export_paths;
    bool stats = false;      // --stats
    QualityOptions quality;  // --conform, --min-angle
    // --strict: a data line read only in part refuses the file.
    bool strict = false;
    bool help = false;
    bool version = false;  // --version
    std::vector<std::string> data_files;
};

// Parses argv; on a usage error returns false and sets `error`.
bool parse_batch_options(int argc, const char* const* argv, BatchOptions& options, std::string& error);

extern const char* const BATCH_USAGE;

}  // namespace tesu
