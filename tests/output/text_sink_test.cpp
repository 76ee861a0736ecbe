#include "output/text_sink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace tesu {
namespace {

std::string printf_fixed(double value) {
    char text[400];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

struct Captured {
    std::string text;
    TextSink sink{[this](std::string_view block) {
        text += block;
        return true;
    }};
    std::string finish() {
        EXPECT_TRUE(sink.finish());
        return text;
    }
};

TEST(TextSinkNumbers, FixedSixDecimals) {
    Captured out;
    out.sink.fixed6(-1.5);
    out.sink.text("|");
    out.sink.fixed6(2);
    out.sink.text("|");
    out.sink.fixed6(1.0000004);
    out.sink.text("|");
    out.sink.fixed6(1.0000006);
    out.sink.text("|");
    out.sink.fixed6(0.9999996);
    out.sink.text("|");
    out.sink.fixed6(-0.0000001);
    out.sink.text("|");
    out.sink.fixed6(123456789.0);
    EXPECT_EQ(out.finish(), "-1.500000|2.000000|1.000000|1.000001|1.000000|-0.000000|123456789.000000");
}

TEST(TextSinkNumbers, FixedMatchesPrintfOverManyMagnitudes) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-12, 40);
    for (int i = 0; i < 20000; ++i) {
        const double value = std::ldexp(mantissa(random), exponent(random));
        Captured out;
        out.sink.fixed6(value);
        ASSERT_EQ(out.finish(), printf_fixed(value)) << value;
    }
    // Exact ties at the sixth decimal round as printf does.
    for (const double tie : {0.5e-6 * 3, 2.5, 1e300, -1e-300}) {
        Captured out;
        out.sink.fixed6(tie);
        EXPECT_EQ(out.finish(), printf_fixed(tie));
    }
}

TEST(TextSinkNumbers, IntegersPlainAndInFourColumns) {
    Captured out;
    out.sink.integer_width4(1);
    out.sink.integer_width4(12);
    out.sink.integer_width4(1234);
    out.sink.text(" ");
    out.sink.integer_width4(12345);
    out.sink.integer_width4(-5);
    out.sink.text("|");
    out.sink.integer(0);
    out.sink.integer(-2147483647 - 1);
    out.sink.line_end();
    EXPECT_EQ(out.finish(), "   1  121234 12345  -5|0-2147483648\r\n");
}

TEST(TextSinkBlocks, TextSpanningManyBlocksArrivesWhole) {
    std::string received;
    int blocks = 0;
    TextSink sink(
        [&](std::string_view block) {
            received += block;
            ++blocks;
            return true;
        },
        400);
    std::string expected;
    for (int i = 0; i < 1000; ++i) {
        sink.integer_width4(i);
        sink.fixed6(i * 0.25);
        sink.line_end();
        char line[64];
        std::snprintf(line, sizeof line, "%4d%f\r\n", i, i * 0.25);
        expected += line;
    }
    const std::string long_text(1000, 'x');
    sink.text(long_text);
    expected += long_text;
    EXPECT_TRUE(sink.finish());
    EXPECT_EQ(received, expected);
    EXPECT_GT(blocks, 10);
}

TEST(TextSinkBlocks, RefusedBlockOrMissingDestinationFails) {
    int calls = 0;
    TextSink refusing(
        [&](std::string_view) {
            ++calls;
            return false;
        },
        400);
    for (int i = 0; i < 200; ++i) refusing.fixed6(i);
    EXPECT_FALSE(refusing.finish());
    // Nothing more is handed on after the first refusal.
    EXPECT_EQ(calls, 1);

    TextSink nowhere{TextSink::Destination()};
    nowhere.text("lost");
    EXPECT_FALSE(nowhere.finish());
}

}  // namespace
}  // namespace tesu
