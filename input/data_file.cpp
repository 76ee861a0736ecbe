#include "input/data_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <istream>
#include <span>
#include <string>

#include "engine/error.h"
#include "engine/format_message.h"
#include "input/exact_point_set.h"
#include "input/input_checks.h"
#include "input/number_fields.h"

namespace tesu {

namespace {

constexpr std::string_view LINE_TOO_LONG = "1行が長すぎます。78文字以内にして下さい。";
constexpr std::string_view DUPLICATE_CAPTION = "元データに重複があります";

struct Line {
    std::string text;  // without its line end
    bool has_line_feed = false;
};

class LineReader {
public:
    // A UTF-8 byte order mark at the very start, as some editors write one,
    // is no part of the first line.
    explicit LineReader(std::istream& data) : data_(*data.rdbuf()) {
        constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";
        for (const char byte : BYTE_ORDER_MARK) {
            if (data_.sgetc() != static_cast<unsigned char>(byte)) break;
            data_.sbumpc();
        }
    }

    // False once the file has no more bytes. A carriage return before the
    // line feed is dropped.
    bool next(Line& line) {
        line.text.clear();
        line.has_line_feed = false;
        ++number_;
        for (int c = data_.sbumpc(); c != std::char_traits<char>::eof(); c = data_.sbumpc()) {
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

    // The number of the line read last, from 1; at the end of the file, the
    // number the next line would have had.
    int number() const { return number_; }

private:
    std::streambuf& data_;
    int number_ = 0;
};

bool is_blank_byte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == ' ' || byte < 0x20 || byte >= 0x80;
}

// Throws the refusal of an over-long line, naming line `number` when it is
// given; returns 1 when every byte is a space, a control byte or a byte of
// 0x80 or above.
int check_line(std::string_view line, bool has_line_feed, int number);

// Blank lines, comments (`;`, a control byte or the first byte of a
// double-byte character first) and a lone character at the end of the file.
bool is_skipped(const Line& line, int number) {
    if (check_line(line.text, line.has_line_feed, number) == 1) return true;
    const auto first = static_cast<unsigned char>(line.text[0]);
    return first == ';' || first < 0x20 || first >= 0x80 || (line.text.size() == 1 && !line.has_line_feed);
}

[[noreturn]] void refuse(std::string_view text) {
    throw Error(ErrorCause::read, READ_ERROR_CAPTION, std::string(text));
}

// The second line that says where a refusal comes from.
std::string at_line(int number) { return format_message("\n(%d 行目)", number); }

// A refusal that comes from line `number` of the file.
[[noreturn]] void refuse_line(std::string_view text, int number) {
    refuse(std::string(text) + at_line(number));
}

// Reads the numbers of a data line; a field the line does not provide is 0.
// False when a number read is not finite. `partial`: fewer numbers than the
// fields, or the last one running into other text.
template <std::size_t N>
bool read_fields(const Line& line, std::array<double, N>& fields, bool& partial) {
    fields.fill(0.0);
    const NumberFields read = read_number_fields(line.text.c_str(), fields);
    partial = read.read < static_cast<int>(N) || read.runs_into_text;
    return std::ranges::all_of(fields, [](double v) { return std::isfinite(v); });
}

bool read_point(const Line& line, Point& row, bool& partial) {
    std::array<double, 2> fields;
    if (!read_fields(line, fields, partial)) return false;
    row = {fields[0], fields[1]};
    return true;
}

bool read_density_spec(const Line& line, DensitySpec& row, bool& partial) {
    std::array<double, 4> fields;
    if (!read_fields(line, fields, partial)) return false;
    row = {fields[0], fields[1], fields[2], fields[3]};
    return is_usable_refinement(row);
}

// The value of a `b` or `s` line, read after its first '='. Only a positive
// spacing or span lets node generation advance.
bool read_positive_value(const Line& line, double& value, bool& partial) {
    value = 0;
    partial = false;
    const std::size_t equals = line.text.find('=');
    if (equals == std::string::npos) return false;
    std::array<double, 1> field{0.0};
    partial = read_number_fields(line.text.c_str() + equals + 1, field).runs_into_text;
    value = field[0];
    return is_positive_value(value);
}

void note_partial(InputTables& input, bool partial, const Line& line, int number) {
    if (partial) input.partial_lines.push_back({number, line.text});
}

int check_line(std::string_view line, bool has_line_feed, int number) {
    const std::size_t length = line.size() + (has_line_feed ? 1 : 0);
    if (length > MAX_LINE_LENGTH) {
        const std::string where = number > 0 ? at_line(number) : std::string();
        throw Error(ErrorCause::read, READ_ERROR_CAPTION, std::string(LINE_TOO_LONG) + where);
    }
    return std::ranges::all_of(line, is_blank_byte) ? 1 : 0;
}

}  // namespace

std::string partial_line_text(const PartialLine& line) {
    return format_message("%d 行目の数値は一部しか読めません: ", line.number) + line.text;
}

std::string more_partial_lines_text(std::size_t more) {
    return format_message("ほかに %zu 行の数値も一部しか読めません。", more);
}

bool read_data_file(InputTables& input) {
    // Only a regular file is read: a folder holds no lines, and a pipe or a
    // device could keep the reader waiting for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(input.input_file_name, error)) return false;
    std::ifstream file(input.input_file_name, std::ios::binary);
    if (!file) return false;
    read_data(input, file);
    return true;
}

void read_data(InputTables& input, std::istream& data) {
    LineReader reader(data);
    Line line;
    input.partial_lines.clear();
    bool partial = false;

    // Outline points, up to the first data line that begins with `b`.
    int points = 0;
    for (;;) {
        if (!reader.next(line)) refuse_line(OUTLINE_FAILURE, reader.number());
        if (is_skipped(line, reader.number())) continue;
        if (line.text[0] == 'b') break;
        if (points == OUTLINE_CAPACITY) refuse_line(OUTLINE_FAILURE, reader.number());
        if (!read_point(line, input.outline_xy[points], partial))
            refuse_line(OUTLINE_FAILURE, reader.number());
        note_partial(input, partial, line, reader.number());
        ++points;
    }
    const int b_line = reader.number();
    input.outline_point_count = points;
    if (!outline_is_usable(input)) refuse(OUTLINE_FAILURE);

    if (!read_positive_value(line, input.basic_density, partial)) refuse_line(BASIC_DENSITY_FAILURE, b_line);
    note_partial(input, partial, line, b_line);

    // Density refinements, up to the first data line that begins with `s`.
    int density_rows = 0;
    for (;;) {
        if (!reader.next(line)) refuse_line(DENSITY_SPEC_FAILURE, reader.number());
        if (is_skipped(line, reader.number())) continue;
        if (line.text[0] == 's') break;
        if (density_rows == DENSITY_SPEC_CAPACITY) refuse_line(DENSITY_SPEC_FAILURE, reader.number());
        if (!read_density_spec(line, input.density_spec[density_rows], partial))
            refuse_line(DENSITY_SPEC_FAILURE, reader.number());
        note_partial(input, partial, line, reader.number());
        ++density_rows;
    }
    input.density_spec_count = density_rows;

    if (!read_positive_value(line, input.span, partial)) refuse_line(SPAN_FAILURE, reader.number());
    note_partial(input, partial, line, reader.number());

    // Division-specified nodes, to the end of the file.
    int divisions = 0;
    while (reader.next(line)) {
        if (is_skipped(line, reader.number())) continue;
        if (divisions == DIVISION_CAPACITY) refuse_line(DIVISION_FAILURE, reader.number());
        if (!read_point(line, input.division_xy[divisions], partial))
            refuse_line(DIVISION_FAILURE, reader.number());
        note_partial(input, partial, line, reader.number());
        ++divisions;
    }
    input.division_node_count = divisions;
}

void scan_figures(InputTables& input) {
    input.figure_count = 0;
    for_each_figure_end(input, [&](int end) {
        // The reader refuses an outline with more figures than this.
        if (input.figure_count < FIGURE_CAPACITY) input.figure_end[input.figure_count++] = end;
    });
}

void check_duplicates(InputTables& input) {
    ExactPointSet points;
    points.assign(std::span(input.outline_xy.data(), static_cast<std::size_t>(input.outline_point_count)));
    // Pairs of rows with the same point: a point on m rows makes m(m-1)/2.
    const std::int64_t pairs = points.equal_pairs();
    // Each closed figure repeats its first point once, as its closing row.
    if (pairs == input.figure_count) return;
    const int figures = input.figure_count;
    // No figure is left for the inside test of whatever reads the tables.
    input.figure_count = 0;
    throw Error(ErrorCause::read, DUPLICATE_CAPTION,
                format_message("閉じた図形の数=%d, に対して同じ座標の数=%lld\n\n"
                               "同じ座標が重複して含まれています。\n"
                               "データの再チェックをお願いします。",
                               figures, static_cast<long long>(pairs)));
}

}  // namespace tesu
