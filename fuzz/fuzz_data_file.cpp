// Feeds arbitrary bytes to the data file reader, then, when it accepts
// them, to the figure scan and the duplicate check, and verifies that
// whatever is accepted is something the run can work with.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "engine/error.h"
#include "input/data_file.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool is_positive_finite(double v) { return std::isfinite(v) && v > 0; }

void check_accepted_tables(const tesu::InputTables& input) {
    require(input.outline_point_count >= 1 && input.outline_point_count <= tesu::OUTLINE_CAPACITY);
    require(input.density_spec_count >= 0 && input.density_spec_count <= tesu::DENSITY_SPEC_CAPACITY);
    require(input.division_node_count >= 0 && input.division_node_count <= tesu::DIVISION_CAPACITY);
    require(is_positive_finite(input.basic_density) && is_positive_finite(input.span));
    for (int i = 0; i < input.outline_point_count; ++i) {
        require(std::isfinite(input.outline_xy[i].x) && std::isfinite(input.outline_xy[i].y));
    }
    for (int i = 0; i < input.density_spec_count; ++i) {
        const auto& row = input.density_spec[i];
        require(std::isfinite(row.x) && std::isfinite(row.y));
        require(is_positive_finite(row.radius) && std::isfinite(row.reach) && row.reach >= 0);
    }
    for (int i = 0; i < input.division_node_count; ++i) {
        require(std::isfinite(input.division_xy[i].x) && std::isfinite(input.division_xy[i].y));
    }
}

void check_figures(const tesu::InputTables& input) {
    require(input.figure_count >= 0 && input.figure_count <= tesu::FIGURE_CAPACITY);
    int previous_end = 0;
    for (int f = 0; f < input.figure_count; ++f) {
        const int start = tesu::figure_start(input, f);
        const int end = input.figure_end[f];
        require(end > start && end > previous_end && end < input.outline_point_count);
        require(input.outline_xy[end].x == input.outline_xy[start].x);
        require(input.outline_xy[end].y == input.outline_xy[start].y);
        previous_end = end;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto input = std::make_unique<tesu::InputTables>();
    std::istringstream bytes(std::string(reinterpret_cast<const char*>(data), size));
    try {
        tesu::read_data(*input, bytes);
    } catch (const tesu::Error& error) {
        // Every refusal says why, under the read failure caption.
        require(error.cause() == tesu::ErrorCause::read && error.caption() == tesu::READ_ERROR_CAPTION);
        return 0;
    }
    check_accepted_tables(*input);

    tesu::scan_figures(*input);
    check_figures(*input);
    const int figures = input->figure_count;
    bool unique = true;
    try {
        tesu::check_duplicates(*input);
    } catch (const tesu::Error& error) {
        require(error.cause() == tesu::ErrorCause::read);
        unique = false;
    }
    require(input->figure_count == (unique ? figures : 0));
    return 0;
}
