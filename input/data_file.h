// The coordinate data file: five sections without headers (outline points,
// the `b =` basic density line, density refinements, the `s =` span line,
// division-specified nodes), read line by line on bytes.
#pragma once

#include <string_view>

#include "input/input_tables.h"
#include "ui/platform.h"

namespace tesu {

inline constexpr std::string_view READ_ERROR_CAPTION = "図形データ読み込みエラー";
// Longest accepted line, its line feed counted.
inline constexpr int MAX_LINE_LENGTH = 78;

// Ends the process when the line (without its line end) is too long; returns
// 1 when every byte is a space, a control byte or a byte of 0x80 or above.
int check_line(std::string_view line, bool has_line_feed, Platform& platform);

enum class ReadResult { ok, not_opened, refused };

// Reads input.input_file_name into the tables. On refusal the reason has been
// shown; nothing is shown when the file cannot be opened.
ReadResult read_data_file(InputTables& input, Platform& platform);

// Finds the closed figures: each is closed by the first repetition of its
// first point.
void scan_figures(InputTables& input);

// Refuses outline points that repeat other than as a figure's closing point.
bool check_duplicates(InputTables& input, Platform& platform);

}  // namespace tesu
