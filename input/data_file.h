// The coordinate data file: five sections without headers (outline points,
// the `b =` basic density line, density refinements, the `s =` span line,
// division-specified nodes), read line by line on bytes.
#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "input/input_tables.h"

namespace tesu {

inline constexpr std::string_view READ_ERROR_CAPTION = "図形データ読み込みエラー";
// The refusals of each section of the file.
inline constexpr std::string_view OUTLINE_FAILURE = "座標データの読み込み失敗！";
inline constexpr std::string_view BASIC_DENSITY_FAILURE = "基本密度 Read Error!";
inline constexpr std::string_view DENSITY_SPEC_FAILURE = "密度指定データの読み込み失敗！";
inline constexpr std::string_view SPAN_FAILURE = "スパン Read Error!";
inline constexpr std::string_view DIVISION_FAILURE = "分割指定データの読み込み失敗！";
// Longest accepted line, its line feed counted.
inline constexpr int MAX_LINE_LENGTH = 78;

// The report of the lines read only in part (InputTables::partial_lines).
inline constexpr std::string_view PARTIAL_LINES_CAPTION = "一部しか読めなかった行";
inline constexpr std::string_view PARTIAL_LINES_INTRO =
    "次の行は数値を一部しか読めませんでした。読めた数値だけで続けます。";
// The most lines a report names one by one; the others are counted.
inline constexpr std::size_t PARTIAL_LINES_NAMED = 10;

// "12 行目の数値は一部しか読めません: 50 5O", the line as the file holds it.
std::string partial_line_text(const PartialLine& line);
// "ほかに 3 行の数値も一部しか読めません。"
std::string more_partial_lines_text(std::size_t more);

// Reads input.input_file_name into the tables; false, silently, when it is
// no regular file or cannot be opened. A refusal throws tesu::Error (cause
// read) with the message to show, a second line naming the line of the file
// it comes from; the tables then hold what was read so far. A UTF-8 byte
// order mark at the start is passed over. The lines read only in part are
// listed in input.partial_lines.
bool read_data_file(InputTables& input);

// The same from a stream of the file's bytes.
void read_data(InputTables& input, std::istream& data);

// Finds the closed figures: each is closed by the first repetition of its
// first point.
void scan_figures(InputTables& input);

// Refuses (throws) outline points that repeat other than as a figure's
// closing point, leaving no figure.
void check_duplicates(InputTables& input);

}  // namespace tesu
