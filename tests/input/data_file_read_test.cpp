#include <sys/stat.h>

#include <clocale>
#include <string>

#include "data_file_fixture.h"

namespace tesu {
namespace {

using namespace std::string_literals;

const std::string SQUARE = "0 0\n1 0\n1 1\n0 1\n0 0\n";
const std::string TAIL = "b = 1\ns = 1\n";
// Lines every section skips: comment, Shift_JIS comment, spaces with
// Shift_JIS text, a control byte, a NUL byte, an empty line.
const std::string SKIPPED = ";1 2\n\x8d\xc0\x95\x57 1 2\n  \x82\xa0\x82\xa2 \n\x01 3 3\n\0 4 4\n\n"s;

TEST_F(DataFileTest, ReadsEverySectionOfACompleteFile) {
    const std::string file =
        "; plate\n0 0\n100 0\n100 50\n0 50\n0 0\n40 20\n60 20\n60 30\n40 30\n40 20\n"
        "b = 5.0\n; x y radius reach\n20 25 1.0 15\ns = 2\n80 25\n";
    for (const std::string_view line_end : {"\n", "\r\n"}) {
        SCOPED_TRACE(line_end.size());
        std::string bytes;
        for (char c : file) c == '\n' ? bytes.append(line_end) : bytes.append(1, c);
        ASSERT_TRUE(read(bytes));
        EXPECT_EQ(input->outline_point_count, 10);
        EXPECT_EQ(input->outline_xy[7].x, 60);
        EXPECT_EQ(input->outline_xy[7].y, 30);
        EXPECT_EQ(input->basic_density, 5);
        ASSERT_EQ(input->density_spec_count, 1);
        EXPECT_EQ(input->density_spec[0].radius, 1);
        EXPECT_EQ(input->density_spec[0].reach, 15);
        EXPECT_EQ(input->span, 2);
        ASSERT_EQ(input->division_node_count, 1);
        EXPECT_EQ(input->division_xy[0].x, 80);
    }
}

TEST_F(DataFileTest, ClassifiesLinesByTheirFirstByte) {
    struct Case {
        const char* name;
        std::string bytes;
        int outline, density_rows, divisions;
        double basic_density;
    };
    const Case cases[] = {
        {"b=5", SQUARE + "b=5\ns=1\n", 5, 0, 0, 5},
        {"basic = 5", SQUARE + "basic = 5\ns=1\n", 5, 0, 0, 5},
        {"Shift_JIS label", SQUARE + "b\x8a\xee\x96\x7b\x96\xa7\x93\x78 = 5\ns\x83\x58=1\n", 5, 0, 0, 5},
        {"upper-case B is a point", SQUARE + "B = 5\n" + TAIL, 6, 0, 0, 1},
        {"tab first skips the line", SQUARE + "\tb = 5\n" + TAIL, 5, 0, 0, 1},
        {"space first makes a point", SQUARE + " b = 5\n" + TAIL, 6, 0, 0, 1},
        {"skipped lines everywhere",
         SKIPPED + SQUARE + SKIPPED + "b=1\n" + SKIPPED + "0 0 1 1\n" + SKIPPED + "s=1\n" + SKIPPED +
             "2 2\n" + SKIPPED,
         5, 1, 1, 1},
        {"b and s lines are nodes after the span", SQUARE + TAIL + "b = 3\ns 2\n", 5, 0, 2, 1},
        {"lone last character skipped", SQUARE + TAIL + "7", 5, 0, 0, 1},
        {"lone character with line feed", SQUARE + TAIL + "7\n", 5, 0, 1, 1},
        {"span line ends the file", SQUARE + "b = 1\ns = 1", 5, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(read(c.bytes));
        EXPECT_EQ(input->outline_point_count, c.outline);
        EXPECT_EQ(input->density_spec_count, c.density_rows);
        EXPECT_EQ(input->division_node_count, c.divisions);
        EXPECT_EQ(input->basic_density, c.basic_density);
    }
}

TEST_F(DataFileTest, ReadsNumbersAsStrtodDoesAndZeroesFieldsNotGiven) {
    // Values left from an earlier file must not show through.
    for (int row = 0; row < 16; ++row) {
        input->outline_xy[row] = {99, 99};
        input->density_spec[row] = {99, 99, 99, 99};
    }
    ASSERT_TRUE(
        read(SQUARE + "1e+ 3\n  -1.5e1\t+2.25 tail\n1,5 2\n0x10 0x1p-2\n12.5\n8\0 9\nb=1\n7 8 0.5\ns=1\n"s));
    const std::pair<double, double> expected[] = {{1, 0}, {-15, 2.25}, {1, 0}, {16, 0.25}, {12.5, 0}, {8, 0}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(input->outline_xy[5 + i].x, expected[i].first) << i;
        EXPECT_EQ(input->outline_xy[5 + i].y, expected[i].second) << i;
    }
    EXPECT_EQ(input->density_spec[0].radius, 0.5);
    EXPECT_EQ(input->density_spec[0].reach, 0);
}

TEST_F(DataFileTest, ReadsDecimalPointsWhateverTheLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "the de_DE.UTF-8 locale is not installed";
    const bool read_ok = read(SQUARE + "2.5 0.5\nb = 0.75\ns = 1,5\n");
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_TRUE(read_ok);
    EXPECT_EQ(input->outline_xy[5].x, 2.5);
    EXPECT_EQ(input->basic_density, 0.75);
    EXPECT_EQ(input->span, 1);
}

TEST_F(DataFileTest, RefusesEachFaultWithItsMessage) {
    const std::string outline = "座標データの読み込み失敗！", basic = "基本密度 Read Error!",
                      density = "密度指定データの読み込み失敗！", span = "スパン Read Error!",
                      division = "分割指定データの読み込み失敗！";
    const std::pair<std::string, std::string> cases[] = {
        {SQUARE, outline},
        {TAIL, outline},
        {"3 3\n3 3\n3 3\n" + TAIL, outline},
        {SQUARE + "inf 0\n" + TAIL, outline},
        {SQUARE + "0 nan\n" + TAIL, outline},
        {SQUARE + "0x1p99999 0\n" + TAIL, outline},
        {SQUARE + "b 5\ns=1\n", basic},
        {SQUARE + "b = 0\ns=1\n", basic},
        {SQUARE + "b = five\ns=1\n", basic},
        {SQUARE + "b = -1\ns=1\n", basic},
        {SQUARE + "b = 1e999\ns=1\n", basic},
        {SQUARE + "b = nan\ns=1\n", basic},
        {SQUARE + "b = 1\n", density},
        {SQUARE + "b = 1\n0 0 0 1\ns=1\n", density},
        {SQUARE + "b = 1\n0 0 1 -1\ns=1\n", density},
        {SQUARE + "b = 1\n0 0\ns=1\n", density},
        {SQUARE + "b = 1\n0 inf 1 1\ns=1\n", density},
        {SQUARE + "b = 1\n s=1\n", density},
        {SQUARE + "b = 1\ns 1\n", span},
        {SQUARE + "b = 1\ns = 0\n", span},
        {SQUARE + "b = 1\ns = -2\n", span},
        {SQUARE + "b = 1\ns = -inf\n", span},
        {SQUARE + TAIL + "1 1\nnan 1\n", division},
    };
    for (const auto& [bytes, message] : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_FALSE(read(bytes));
        EXPECT_EQ(refused_as(), message);
    }
}

// A refusal that comes from one line names it, counted from 1 with comments
// and blank lines; a byte order mark before the first line changes nothing.
TEST_F(DataFileTest, RefusalsSayWhereAndAByteOrderMarkIsPassedOver) {
    const std::pair<std::string, std::string> cases[] = {
        {"; plate\n0 0\n10 nan\n" + TAIL, "座標データの読み込み失敗！\n(3 行目)"},
        {SQUARE + "b = -1\ns = 1\n", "基本密度 Read Error!\n(6 行目)"},
        {SQUARE + "b = 1\n", "密度指定データの読み込み失敗！\n(7 行目)"},
        {SQUARE + "b = 1\n\n1 1 0 1\ns = 1\n", "密度指定データの読み込み失敗！\n(8 行目)"},
        {SQUARE + TAIL + "1 1\n" + std::string(80, '2') + "\n",
         "1行が長すぎます。78文字以内にして下さい。\n(9 行目)"},
    };
    for (const auto& [bytes, message] : cases) {
        SCOPED_TRACE(bytes);
        ASSERT_FALSE(read(bytes));
        EXPECT_EQ(refusal->text(), message);
    }
    EXPECT_TRUE(read("\xEF\xBB\xBF" + SQUARE + TAIL));
    EXPECT_EQ(input->outline_point_count, 5);
    EXPECT_EQ(input->outline_xy[0].x, 0);
}

// A folder or a pipe is no data file: reading a pipe nobody writes to would
// wait for ever.
TEST_F(DataFileTest, FailsSilentlyWhenTheFileCannotBeOpened) {
    const std::string fifo = input->input_file_name + ".fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {input->input_file_name + ".missing", std::string("/tmp"), fifo}) {
        input->input_file_name = path;
        EXPECT_FALSE(read_data_file(*input));
    }
}

TEST_F(DataFileTest, RefusesALineOver78CharactersWithItsLineFeed) {
    const std::string line77 = "0 0" + std::string(74, ' ');
    EXPECT_TRUE(read(line77 + "\n1 1\n" + TAIL));
    EXPECT_TRUE(read(line77 + "\r\n1 1\r\n" + TAIL));
    for (const std::string& line78 : {line77 + " ", ";" + std::string(77, 'x')}) {
        SCOPED_TRACE(line78);
        // Either line is read fine but for its length.
        EXPECT_FALSE(read(SQUARE + line78 + "\n" + TAIL));
    }
}

std::string lines(int count, const std::string& prefix, const std::string& suffix) {
    std::string text;
    for (int i = 0; i < count; ++i) text += prefix + std::to_string(i) + suffix + "\n";
    return text;
}

// Each table takes as many rows as its capacity, even with skipped lines
// after the last; one row more refuses the file with the section's message.
TEST_F(DataFileTest, KeepsEveryTableWithinItsCapacity) {
    const std::string outline = "座標データの読み込み失敗！", density = "密度指定データの読み込み失敗！",
                      division = "分割指定データの読み込み失敗！";
    const auto expect_refused = [&](const std::string& bytes, const std::string& message) {
        EXPECT_FALSE(read(bytes));
        EXPECT_EQ(refused_as(), message);
    };

    EXPECT_TRUE(read(lines(100'000, "", " 0") + SKIPPED + TAIL));
    EXPECT_EQ(input->outline_point_count, 100'000);
    expect_refused(lines(100'001, "", " 0") + TAIL, outline);

    EXPECT_TRUE(read(SQUARE + "b=1\n" + lines(100'000, "0 ", " 1 1") + SKIPPED + "s=1\n"));
    EXPECT_EQ(input->density_spec_count, 100'000);
    EXPECT_EQ(input->density_spec[99'999].y, 99'999);
    expect_refused(SQUARE + "b=1\n" + lines(100'001, "0 ", " 1 1") + "s=1\n", density);

    EXPECT_TRUE(read(SQUARE + TAIL + lines(100'000, "0 ", "") + SKIPPED));
    EXPECT_EQ(input->division_node_count, 100'000);
    EXPECT_EQ(input->division_xy[99'999].y, 99'999);
    expect_refused(SQUARE + TAIL + lines(100'001, "0 ", ""), division);

    // A point written twice is a figure of its own.
    const auto figures = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += std::to_string(i) + " 0\n" + std::to_string(i) + " 0\n";
        return text;
    };
    EXPECT_TRUE(read(figures(10'000) + TAIL));
    scan_figures(*input);
    EXPECT_EQ(input->figure_count, 10'000);
    expect_refused(figures(10'001) + TAIL, outline);
}

}  // namespace
}  // namespace tesu
