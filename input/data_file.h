// The coordinate data file: five sections without headers (outline points,
// the `b =` basic density line, density refinements, the `s =` span line,
// division-specified nodes), read line by line on bytes.
#pragma once

#include <istream>
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

// Throws the refusal of an over-long line (which ends the desktop program),
// naming line `number` when it is given; returns 1 when every byte is a
// space, a control byte or a byte of 0x80 or above.
int check_line(std::string_view line, bool has_line_feed, int number = 0);

// Reads input.input_file_name into the tables; false, silently, when it is
// no regular file or cannot be opened. A refusal throws tesu::Error (cause
// read) with the message to show, a second line naming the line of the file
// it comes from; the tables then hold what was read so far. A UTF-8 byte
// order mark at the start is passed over.
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
