// Feeds arbitrary bytes to the data file reader as a file, then, when it
// accepts them, to the figure scan and the duplicate check, and verifies that
// whatever is accepted is something the run can work with.
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "input/data_file.h"
#include "ui/headless_platform.h"

namespace {

struct ProcessEnded {};

void require(bool condition) {
    if (!condition) std::abort();
}

// The inputs go to a file that lives in memory and vanishes with the
// process; the reader opens it by its /proc path like any other file.
struct MemoryFile {
    int fd;
    std::string path;
};

const MemoryFile& data_file() {
    static const MemoryFile file = [] {
        const int fd = memfd_create("tesu_fuzz.DAT", 0);
        require(fd >= 0);
        return MemoryFile{fd, "/proc/self/fd/" + std::to_string(fd)};
    }();
    return file;
}

void write_data_file(const uint8_t* data, size_t size) {
    require(ftruncate(data_file().fd, 0) == 0);
    require(pwrite(data_file().fd, data, size, 0) == static_cast<ssize_t>(size));
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
    write_data_file(data, size);

    const auto input = std::make_unique<tesu::InputTables>();
    input->input_file_name = data_file().path;
    tesu::HeadlessPlatform platform;
    platform.on_fatal = [](int) { throw ProcessEnded{}; };

    try {
        if (tesu::read_data_file(*input, platform) != tesu::ReadResult::ok) {
            // Every refusal says why, under the read failure caption.
            require(platform.messages.size() == 1 &&
                    platform.messages[0].caption == tesu::READ_ERROR_CAPTION);
            return 0;
        }
    } catch (const ProcessEnded&) {
        // An over-long line ends the program; that is the only fatal ending.
        require(platform.messages.size() == 1 && platform.messages[0].caption == tesu::READ_ERROR_CAPTION);
        return 0;
    }
    require(platform.messages.empty());
    check_accepted_tables(*input);

    tesu::scan_figures(*input);
    check_figures(*input);
    const int figures = input->figure_count;
    const bool unique = tesu::check_duplicates(*input, platform);
    require(unique == platform.messages.empty());
    require(input->figure_count == (unique ? figures : 0));
    return 0;
}
