#include "apps/batch_options.h"

#include <charconv>
#include <string_view>

#include "output/export_format.h"

namespace tesu {

const char* const BATCH_USAGE =
    R"(Usage: tesu-batch [OPTIONS] FILE.DAT...

Meshes each coordinate data file without a window and writes its result
file next to it (FILE.TES). The summary and the report go to standard output,
every other message to standard error.

Options:
  --histogram N   append the histogram of smallest element angles to the
                  result file, in bins of N degrees (0 = none, 1, 2 or 3)
  -o RESULT.TES   write the result file here (one data file only)
  --svg FILE      also draw the outlines and elements into an SVG picture
                  (one data file only)
  --export FILE   also write the mesh for other tools, in the format of the
                  file's extension (one data file only; repeatable):
                  .msh  Gmsh 2.2 ASCII, a physical group per outline
                  .vtu  VTK XML for ParaView, cell field smallest_angle
                  .node or .ele  the Triangle-style pair, both written
                  .poly the outlines and holes as a Triangle .poly file
  --conform       add nodes on the outlines until every segment between
                  consecutive outline nodes is an element edge
  --min-angle DEG as --conform, and also refine every element whose
                  smallest angle is under DEG degrees (0 < DEG <= 34);
                  elements at outline corners sharper than 60 degrees stay
  --stats         print a mesh quality summary after each run
  --strict        refuse a data file with a line read only in part (fewer
                  numbers than its section takes, or a number running into
                  letters, as in 5O); without it such lines are warned about
  --help          show this text
  --version       show the version
  --              end of the options: every argument after it is a data file

A file that fails is reported with its name, and the next file is meshed all
the same. Exit status: 1 when the computation stopped with a fatal error for
any file; otherwise 2 when a file could not be read, was refused, or its
result, picture or an export could not be written; otherwise 0.

Data file (plain text, one item per line; lines starting with ';' are
comments):
  x y             outline points; each figure is its vertices followed by its
                  first vertex again; a figure inside another is a hole
  b = 5.0         basic node spacing (the line must start with 'b')
  x y radius reach
                  optional refinements: spacing 'radius' at (x, y), growing
                  back to the basic spacing at distance 'reach'
  s = 2           span: how much finer the search for interior nodes runs
                  (the line must start with 's')
  x y             optional division-specified nodes, to the end of the file
)";

namespace {

bool parse_histogram(std::string_view text, int& step) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '3') return false;
    step = text[0] - '0';
    return true;
}

// A plain decimal number, read in the C locale whatever the user's locale.
bool parse_min_angle(std::string_view text, double& degrees) {
    double value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc() || end != text.data() + text.size() || !valid_min_angle(value)) return false;
    degrees = value;
    return true;
}

}  // namespace

bool parse_batch_options(int argc, const char* const* argv, BatchOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--") {
            // Every argument after it is a data file, even one named like an option.
            for (++i; i < argc; ++i) options.data_files.emplace_back(argv[i]);
            break;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--histogram") {
            if (!has_value || !parse_histogram(argv[++i], options.histogram_step)) {
                error = "--histogram takes 0, 1, 2 or 3";
                return false;
            }
        } else if (arg == "--stats") {
            options.stats = true;
        } else if (arg == "--strict") {
            options.strict = true;
        } else if (arg == "--conform") {
            options.quality.conform = true;
        } else if (arg == "--min-angle") {
            if (!has_value || !parse_min_angle(argv[++i], options.quality.min_angle)) {
                error = "--min-angle takes a number of degrees greater than 0 and at most 34";
                return false;
            }
        } else if (arg == "-o" || arg == "--svg" || arg == "--export") {
            if (!has_value) {
                error = std::string(arg) + " needs a file name";
                return false;
            }
            const std::string value = argv[++i];
            if (arg == "-o") options.output_path = value;
            if (arg == "--svg") options.svg_path = value;
            if (arg == "--export") {
                if (!export_format_of(value)) {
                    error = "--export: " + value + ": use .msh, .vtu, .node, .ele or .poly";
                    return false;
                }
                options.export_paths.push_back(value);
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + std::string(arg);
            return false;
        } else {
            options.data_files.emplace_back(arg);
        }
    }
    if (options.help || options.version) return true;
    if (options.data_files.empty()) {
        error = "no data file given";
        return false;
    }
    const bool single_file_only =
        !options.output_path.empty() || !options.svg_path.empty() || !options.export_paths.empty();
    if (single_file_only && options.data_files.size() > 1) {
        error = "-o, --svg and --export take a single data file";
        return false;
    }
    return true;
}

}  // namespace tesu
