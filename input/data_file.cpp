#include "input/data_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

#include "input/exact_point_set.h"
#include "input/number_fields.h"

namespace tesu {

namespace {

constexpr std::string_view LINE_TOO_LONG = "1行が長すぎます。78文字以内にして下さい。";
constexpr std::string_view OUTLINE_FAILURE = "座標データの読み込み失敗！";
constexpr std::string_view BASIC_DENSITY_FAILURE = "基本密度 Read Error!";
constexpr std::string_view DENSITY_SPEC_FAILURE = "密度指定データの読み込み失敗！";
constexpr std::string_view SPAN_FAILURE = "スパン Read Error!";
constexpr std::string_view DIVISION_FAILURE = "分割指定データの読み込み失敗！";
constexpr std::string_view DUPLICATE_CAPTION = "元データに重複があります";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A folder opens on Linux but holds no lines; it counts as a file that
// cannot be opened.
FileHandle open_for_reading(const std::string& path) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    struct stat status;
    if (file && fstat(fileno(file.get()), &status) == 0 && S_ISDIR(status.st_mode)) file.reset();
    return file;
}

struct Line {
    std::string text;  // without its line end
    bool has_line_feed = false;
};

class LineReader {
public:
    explicit LineReader(std::FILE* file) : file_(file) {}

    // False once the file has no more bytes. A carriage return before the
    // line feed is dropped.
    bool next(Line& line) {
        line.text.clear();
        line.has_line_feed = false;
        int c;
        while ((c = std::getc(file_)) != EOF) {
            if (c == '\n') {
                line.has_line_feed = true;
                if (!line.text.empty() && line.text.back() == '\r') line.text.pop_back();
                return true;
            }
            line.text.push_back(static_cast<char>(c));
            // Too long even if a carriage return is still to be dropped: the
            // line is refused, so the rest of it need not be read.
            if (line.text.size() > MAX_LINE_LENGTH + 1) return true;
        }
        return !line.text.empty();
    }

private:
    std::FILE* file_;
};

bool is_blank_byte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == ' ' || byte < 0x20 || byte >= 0x80;
}

// Blank lines, comments (`;`, a control byte or the first byte of a
// double-byte character first) and a lone character at the end of the file.
bool is_skipped(const Line& line, Platform& platform) {
    if (check_line(line.text, line.has_line_feed, platform) == 1) return true;
    const auto first = static_cast<unsigned char>(line.text[0]);
    return first == ';' || first < 0x20 || first >= 0x80 || (line.text.size() == 1 && !line.has_line_feed);
}

ReadResult refuse(Platform& platform, std::string_view text) {
    platform.message_box(READ_ERROR_CAPTION, text, Buttons::ok);
    return ReadResult::refused;
}

// Reads the numbers of a data line; a field the line does not provide is 0.
// False when a number read is not finite.
template <std::size_t N>
bool read_fields(const Line& line, std::array<double, N>& fields) {
    fields.fill(0.0);
    read_number_fields(line.text.c_str(), fields);
    return std::ranges::all_of(fields, [](double v) { return std::isfinite(v); });
}

bool read_point(const Line& line, Point& row) {
    std::array<double, 2> fields;
    if (!read_fields(line, fields)) return false;
    row = {fields[0], fields[1]};
    return true;
}

bool read_density_spec(const Line& line, DensitySpec& row) {
    std::array<double, 4> fields;
    if (!read_fields(line, fields)) return false;
    row = {fields[0], fields[1], fields[2], fields[3]};
    // Node generation needs a positive spacing at the point to advance.
    return row.radius > 0 && row.reach >= 0;
}

// The value of a `b` or `s` line, read after its first '='. Only a positive
// spacing or span lets node generation advance.
bool read_positive_value(const Line& line, double& value) {
    value = 0;
    const std::size_t equals = line.text.find('=');
    if (equals == std::string::npos) return false;
    std::array<double, 1> field{0.0};
    read_number_fields(line.text.c_str() + equals + 1, field);
    value = field[0];
    return std::isfinite(value) && value > 0;
}

bool same_point(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }

// Calls on_close with each row that closes a figure: the first later row
// equal to the figure's first row. The row after it starts the next figure.
template <typename OnClose>
void for_each_figure_end(const InputTables& input, OnClose on_close) {
    int start = 0;
    int i = 1;
    while (i < input.outline_point_count) {
        if (same_point(input.outline_xy[i], input.outline_xy[start])) {
            on_close(i);
            start = i + 1;
            i += 2;
        } else {
            ++i;
        }
    }
}

// The run scales the outline by its extent, so all points on one spot give
// nothing to scale; and a file may close only so many figures.
bool outline_is_usable(const InputTables& input) {
    const std::span points(input.outline_xy.data(), static_cast<std::size_t>(input.outline_point_count));
    if (points.empty()) return false;
    const auto [min_x, max_x] = std::ranges::minmax(points, {}, &Point::x);
    const auto [min_y, max_y] = std::ranges::minmax(points, {}, &Point::y);
    if (min_x.x == max_x.x && min_y.y == max_y.y) return false;
    int figures = 0;
    for_each_figure_end(input, [&](int) { ++figures; });
    return figures <= FIGURE_CAPACITY;
}

}  // namespace

int check_line(std::string_view line, bool has_line_feed, Platform& platform) {
    const std::size_t length = line.size() + (has_line_feed ? 1 : 0);
    if (length > MAX_LINE_LENGTH)
        platform.fatal(READ_ERROR_CAPTION, LINE_TOO_LONG, FatalCause::refused_input);
    return std::ranges::all_of(line, is_blank_byte) ? 1 : 0;
}

ReadResult read_data_file(InputTables& input, Platform& platform) {
    const FileHandle file = open_for_reading(input.input_file_name);
    if (!file) return ReadResult::not_opened;
    LineReader reader(file.get());
    Line line;

    // Outline points, up to the first data line that begins with `b`.
    int points = 0;
    for (;;) {
        if (!reader.next(line)) return refuse(platform, OUTLINE_FAILURE);
        if (is_skipped(line, platform)) continue;
        if (line.text[0] == 'b') break;
        if (points == OUTLINE_CAPACITY) return refuse(platform, OUTLINE_FAILURE);
        if (!read_point(line, input.outline_xy[points])) return refuse(platform, OUTLINE_FAILURE);
        ++points;
    }
    input.outline_point_count = points;
    if (!outline_is_usable(input)) return refuse(platform, OUTLINE_FAILURE);

    if (!read_positive_value(line, input.basic_density)) return refuse(platform, BASIC_DENSITY_FAILURE);

    // Density refinements, up to the first data line that begins with `s`.
    int density_rows = 0;
    for (;;) {
        if (!reader.next(line)) return refuse(platform, DENSITY_SPEC_FAILURE);
        if (is_skipped(line, platform)) continue;
        if (line.text[0] == 's') break;
        if (density_rows == DENSITY_SPEC_CAPACITY) return refuse(platform, DENSITY_SPEC_FAILURE);
        if (!read_density_spec(line, input.density_spec[density_rows]))
            return refuse(platform, DENSITY_SPEC_FAILURE);
        ++density_rows;
    }
    input.density_spec_count = density_rows;

    if (!read_positive_value(line, input.span)) return refuse(platform, SPAN_FAILURE);

    // Division-specified nodes, to the end of the file.
    int divisions = 0;
    while (reader.next(line)) {
        if (is_skipped(line, platform)) continue;
        if (divisions == DIVISION_CAPACITY) return refuse(platform, DIVISION_FAILURE);
        if (!read_point(line, input.division_xy[divisions])) return refuse(platform, DIVISION_FAILURE);
        ++divisions;
    }
    input.division_node_count = divisions;
    return ReadResult::ok;
}

void scan_figures(InputTables& input) {
    input.figure_count = 0;
    for_each_figure_end(input, [&](int end) {
        // The reader refuses an outline with more figures than this.
        if (input.figure_count < FIGURE_CAPACITY) input.figure_end[input.figure_count++] = end;
    });
}

bool check_duplicates(InputTables& input, Platform& platform) {
    ExactPointSet points;
    points.assign(std::span(input.outline_xy.data(), static_cast<std::size_t>(input.outline_point_count)));
    // Pairs of rows with the same point: a point on m rows makes m(m-1)/2.
    const std::int64_t pairs = points.equal_pairs();
    // Each closed figure repeats its first point once, as its closing row.
    if (pairs == input.figure_count) return true;
    platform.message_box(DUPLICATE_CAPTION,
                         format_message("閉じた図形の数=%d, に対して同じ座標の数=%lld\n\n"
                                        "同じ座標が重複して含まれています。\n"
                                        "データの再チェックをお願いします。",
                                        input.figure_count, static_cast<long long>(pairs)),
                         Buttons::ok);
    input.figure_count = 0;
    return false;
}

}  // namespace tesu
