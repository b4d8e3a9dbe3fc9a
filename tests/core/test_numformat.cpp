#include <gtest/gtest.h>

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/numformat.h"

namespace kelvor {
namespace {

struct DoubleRow {
    const char* pattern;
    double value;
    const char* expected;
};

struct FloatRow {
    const char* pattern;
    float value;
    const char* expected;
};

void CheckDoubleRows(const std::vector<DoubleRow>& rows, char separator = '.') {
    for (const DoubleRow& row : rows) {
        SCOPED_TRACE(std::string("pattern \"") + row.pattern + "\" value " +
                     std::to_string(row.value));
        EXPECT_EQ(Format(row.value, row.pattern, separator), row.expected);
    }
}

TEST(Format, WorkedExamplesFixedPoint) {
    CheckDoubleRows({
        {"0.00", 1.57, "1.57"},
        {"0.00", -1.57, "-1.57"},
        {"0.00", 0.5, "0.50"},
        {"0.00", 0.0, "0.00"},
        {"0.00", 0.075, "0.08"},
        {"0.00", 0.125, "0.13"},
        {"0.00", 2.675, "2.68"},
        {"0.00", 1.005, "1.01"},
        {"0.00", -0.001, "-0.00"},
        {"0.00", -0.005, "-0.01"},
        {"0.0", 1.0, "1.0"},
        {"0.0", 0.0, "0.0"},
        {"0.0", 2.45, "2.5"},
        {"0.0", -0.04, "-0.0"},
        {"0.0", 9.96, "10.0"},
        {"0.000", 1.0005, "1.001"},
        {"0.000", 1234.5678, "1234.568"},
        {"#0.0", 0.05, "0.1"},
        {"#0.0", -0.44, "-0.4"},
        {"#0.00", 17.0, "17.00"},
        {"#0.00", -3.14159, "-3.14"},
        {"##0", 0.0, "0"},
        {"##0", 1234.5, "1235"},
        {"##0.0", 0.04, "0.0"},
        {"##0.0", 999.96, "1000.0"},
        {"##0.000", 0.1234, "0.123"},
        {"##0.000", 0.0005, "0.001"},
        {"#00", 5.0, "05"},
        {"#00", 17.0, "17"},
        {"#00", 1234.0, "1234"},
        {"#000", 17.0, "017"},
        {"#000", 1234.0, "1234"},
        {"#000", 355.0, "355"},
        {"#0", 1.7, "2"},
        {"#0", 0.5, "1"},
        {"#0", 1.5, "2"},
        {"#0", 2.5, "3"},
        {"#0", -2.5, "-3"},
        {"#0", 0.4, "0"},
        {"#0 ", 5.0, "5 "},
        {"#0 ", 12.6, "13 "},
        {"00", 1.0, "01"},
        {"00", 0.0, "00"},
        {"00", 625.0, "625"},
        {"0", 0.0, "0"},
        {"0", 0.5, "1"},
        {"0", -0.4, "-0"},
        {"###", 0.0, ""},
        {"###", 12.5, "13"},
        {"###", 355.0, "355"},
        {"#", 0.0, ""},
        {"#", 1.0, "1"},
        {"0.0#", 1.5, "1.5"},
        {"0.0#", 1.25, "1.25"},
        {"0.0#", 1.0, "1.0"},
        {"0.0#", 1.204, "1.2"},
        {"0.0#", 1.999, "2.0"},
    });
}

TEST(Format, WorkedExamplesScientific) {
    CheckDoubleRows({
        {"0.00E+0", 206000.0, "2.06E+5"},
        {"0.00E+0", 0.000123, "1.23E-4"},
        {"0.00E+0", 9.996, "1.00E+1"},
        {"0.00E+0", 0.0, "0.00E+0"},
        {"0.00E+0", 1e-10, "1.00E-10"},
        {"0.000E+0", 112700.0, "1.127E+5"},
        {"0.000E+0", 0.000123, "1.230E-4"},
        {"00.0E+0", 50123456.0, "50.1E+6"},
        {"00.0E+0", 0.000123, "12.3E-5"},
        {"0.000E+00", 6000000.0, "6.000E+06"},
    });
    CheckDoubleRows({{"#0.00E+00", 334.9, "33,49E+01"}}, ',');
}

TEST(Format, ScientificSignsCarriesAndExponentWidth) {
    CheckDoubleRows({
        {"0.00E+0", -206000.0, "-2.06E+5"},
        {"0.00E+0", -0.000123, "-1.23E-4"},
        {"0.00E+0", 1e100, "1.00E+100"},
        {"0.00E+0", 1.0, "1.00E+0"},
        {"0.00E+0", 9.995, "1.00E+1"},
        {"0.00E+0", 9.994, "9.99E+0"},
        {"0.00E-0", 206000.0, "2.06E5"},
        {"0.00E-0", 0.000123, "1.23E-4"},
        {"00.0E+0", 99.96, "10.0E+1"},
        {"00.0E+0", 0.0, "00.0E+0"},
        {"0.000E+00", 1e-123, "1.000E-123"},
        {"#0.00E+00", 0.0, "0.00E+00"},
    });
}

// Sign changes and carries around the rounding digit, including values that are already
// ties in the decimal image although their binary value lies below the tie.
TEST(Format, RoundingBoundaries) {
    CheckDoubleRows({
        {"0.00", -0.0, "0.00"},
        {"0.00", -0.0049, "-0.00"},
        {"0.00", 0.0049, "0.00"},
        {"0.00", 0.995, "1.00"},
        {"0.00", -0.995, "-1.00"},
        {"0.0", 99.95, "100.0"},
        {"0", -0.5, "-1"},
        {"0", 999.5, "1000"},
        {"#0", -0.4, "-0"},
        {"0.000000000", 0.1, "0.100000000"},
        // 16-digit integers are exact doubles; the 15-digit image rounds their tie outward.
        {"0", 1234567890123455.0, "1234567890123460"},
        {"0", -1234567890123455.0, "-1234567890123460"},
        {"0", 1234567890123454.0, "1234567890123450"},
        // Just below one half in binary, exactly one half in the image.
        {"0", 0.49999999999999994, "1"},
    });
}

TEST(Format, FloatUsesSevenDigitImage) {
    const std::vector<FloatRow> rows = {
        {"##0.000", 0.03f, "0.030"},       {"0.000000000", 0.1f, "0.100000000"},
        {"0.00", 2.675f, "2.68"},          {"0.00", 0.075f, "0.08"},
        {"0", 654322.25f, "654322"},       {"0.0", 654322.25f, "654322.3"},
        {"0.0", -654322.25f, "-654322.3"}, {"0", 1234567.5f, "1234568"},
        {"0", 1234568.5f, "1234569"},      {"0", 12345678.0f, "12345680"},
        {"0.00E+0", 0.0001f, "1.00E-4"},
    };
    for (const FloatRow& row : rows) {
        SCOPED_TRACE(std::string("pattern \"") + row.pattern + "\" value " +
                     std::to_string(row.value));
        EXPECT_EQ(Format(row.value, row.pattern), row.expected);
    }
    // The same binary values formatted at double precision show their binary error.
    CheckDoubleRows({
        {"0.000000000", static_cast<double>(0.1f), "0.100000001"},
        {"0.00", static_cast<double>(2.675f), "2.67"},
    });
}

TEST(Format, IntOverload) {
    const struct {
        const char* pattern;
        int value;
        const char* expected;
    } rows[] = {
        {"###", 0, ""},
        {"##0", 0, "0"},
        {"00", 7, "07"},
        {"00", -5, "-05"},
        {"#000", 17, "017"},
        {"0.00", 3, "3.00"},
        {"0", INT_MAX, "2147483647"},
        {"0", INT_MIN, "-2147483648"},
        {"0.00E+00", 1234567890, "1.23E+09"},
        {"0.00E+0", 9995, "1.00E+4"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("pattern \"") + row.pattern + "\" value " +
                     std::to_string(row.value));
        EXPECT_EQ(Format(row.value, row.pattern), row.expected);
    }
}

TEST(Format, CommaSeparatorAndLiterals) {
    CheckDoubleRows(
        {
            {"0.00", 1.57, "1,57"},
            {"#0.0", -0.44, "-0,4"},
            {"0.0#", 1.0, "1,0"},
            {"###", 355.0, "355"},
            {"0.000E+0", 112700.0, "1,127E+5"},
        },
        ',');
    CheckDoubleRows({
        {"0.0 kN", 12.34, "12.3 kN"},
        {"(0.00)", -1.5, "(-1.50)"},
        {".00", 12.5, "12.50"},
        {".00", 0.5, ".50"},
    });
}

TEST(Format, NonFiniteValuesGiveMarkers) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Format(nan, "0.00"), "NaN");
    EXPECT_EQ(Format(inf, "0.00E+0"), "Inf");
    EXPECT_EQ(Format(-inf, "#0"), "-Inf");
    EXPECT_EQ(Format(std::numeric_limits<float>::infinity(), "0.0"), "Inf");
    EXPECT_EQ(GeneralFormat(nan), "NaN");
    EXPECT_EQ(GeneralFormat(-std::numeric_limits<float>::infinity()), "-Inf");
    EXPECT_EQ(FileReal(inf), "Inf");
}

// Plain patterns are filled by a short path of their own; a trailing literal sends the same
// pattern through the general pattern walk. The two must agree on every value, ties included:
// values of few decimals sit on the rounding ties of the shorter patterns.
TEST(Format, ShortPathAgreesWithPatternWalk) {
    std::mt19937_64 random(20261206);
    std::uniform_int_distribution<int> exponent(-12, 17);
    std::uniform_int_distribution<int> mantissa(0, 99999);
    std::uniform_real_distribution<double> unit(1.0, 10.0);
    // A literal in "0.0 0" is not a plain pattern: FormatText formats it the general way too.
    static constexpr FixedPattern patterns[] = {
        "0.0",   "0.00",     "#0.0",    "00",       "0",     "0.000",    ".00",
        "0.##",  "0.000E+0", "00.0E+0", "0.00E-00", "0.E+0", "#0.00E+0", "0.0 0"};
    // Every third value sits a hair from a half at one of the patterns' last places, where
    // rounding to the image's digits first and then to the place differs from one rounding.
    const double hairs[] = {-4e-15, -1e-15, -4e-16, -1e-16, 0, 1e-16, 4e-16, 4e-8, -4e-8, -6e-8};
    for (int i = 0; i < 20000; ++i) {
        double value = i % 2 == 0 ? unit(random) * std::pow(10.0, exponent(random))
                                  : mantissa(random) / std::pow(10.0, i % 7);
        if (i % 3 == 1) {
            const double half = (mantissa(random) + 0.5) / std::pow(10.0, i % 4);
            value = half * (1 + hairs[static_cast<std::size_t>(i / 3) % std::size(hairs)]);
        }
        if (i % 3 == 0) {
            value = -value;
        }
        for (const FixedPattern& fixed : patterns) {
            const std::string_view pattern = fixed.Text();
            const std::string walked = std::string(pattern) + " ";
            SCOPED_TRACE(walked + std::to_string(value));
            ASSERT_EQ(Format(value, pattern) + " ", Format(value, walked));
            ASSERT_EQ(Format(static_cast<float>(value), pattern, ',') + " ",
                      Format(static_cast<float>(value), walked, ','));
            ASSERT_EQ(std::string_view(FormatText(value, fixed)), Format(value, pattern));
        }
    }
}

TEST(GeneralFormat, WorkedExamplesAndExponentThresholds) {
    const struct {
        double value;
        bool single;
        char separator;
        const char* expected;
    } rows[] = {
        {0.5, false, '.', "0.5"},
        {0.5, false, ',', "0,5"},
        {1.0 / 3.0, false, '.', "0.333333333333333"},
        {0.0001, false, '.', "0.0001"},
        {0.00001, false, '.', "1E-05"},
        {654322.25, true, '.', "654322.3"},
        {12345678.0, true, '.', "1.234568E+07"},
        {10.5, true, '.', "10.5"},
        {100.0, false, '.', "100"},
        {0.32, true, '.', "0.32"},
        {0.0, false, '.', "0"},
        {-0.0, true, '.', "0"},
        {-0.5, false, '.', "-0.5"},
        {0.1 + 0.2, false, '.', "0.3"},
        {1.0 / 3.0, true, '.', "0.3333333"},
        {0.0001, true, '.', "0.0001"},
        {-0.00001234, true, ',', "-1,234E-05"},
        {9999999.0, true, '.', "9999999"},
        {10000000.0, true, '.', "1E+07"},
        {1e14, false, '.', "100000000000000"},
        {1e15, false, '.', "1E+15"},
        {123456789012345.6, false, '.', "123456789012346"},
        {1e100, false, '.', "1E+100"},
        {-2.5e-300, false, '.', "-2.5E-300"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.value) + (row.single ? " float" : " double"));
        const std::string text = row.single
                                     ? GeneralFormat(static_cast<float>(row.value), row.separator)
                                     : GeneralFormat(row.value, row.separator);
        EXPECT_EQ(text, row.expected);
    }
}

TEST(FileReal, PointAlwaysAndNoLeadingZero) {
    EXPECT_EQ(FileReal(0.03), ".03");
    EXPECT_EQ(FileReal(0.03f), ".03");
    EXPECT_EQ(FileReal(-0.5), "-.5");
    EXPECT_EQ(FileReal(3000.0f), "3000");
    EXPECT_EQ(FileReal(206000.0), "206000");
    EXPECT_EQ(FileReal(1.43f), "1.43");
    EXPECT_EQ(FileReal(static_cast<double>(1.43f)), "1.42999994754791");
    EXPECT_EQ(FileReal(0.0f), "0");
    EXPECT_EQ(FileReal(1.5), "1.5");
    EXPECT_EQ(FileReal(-10.25f), "-10.25");
    EXPECT_EQ(FileReal(0.00001), "1E-05");
    EXPECT_EQ(FileReal(-0.00001f), "-1E-05");
}

TEST(RoundToInt, TiesToEvenWithRangeCheck) {
    const struct {
        double value;
        int expected;
    } rows[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-0.5, 0},
        {-1.5, -2},
        {2.4999999999, 2},
        {2.5000000001, 3},
        {-2.5000000001, -3},
        {0.49999999999999994, 0},
        {7.0, 7},
        {2147483647.4, INT_MAX},
        {-2147483648.5, INT_MIN},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(RoundToInt(row.value), row.expected);
    }
    for (const double bad :
         {2147483647.5, -2147483649.0, 1e300, std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(RoundToInt(bad), std::out_of_range);
    }
}

TEST(ShortestDouble, ShortestTextThatReadsBack) {
    const struct {
        double value;
        const char* expected;
    } rows[] = {
        {0.1, "0.1"},
        {0.1 + 0.2, "0.30000000000000004"},
        {3000.0, "3000"},
        {-0.0, "-0"},
        {1e21, "1e+21"},
        {5e-324, "5e-324"},
        {static_cast<double>(1.43f), "1.4299999475479126"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected);
        const std::string text = ShortestDouble(row.value);
        EXPECT_EQ(text, row.expected);
        double back = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        EXPECT_EQ(back, row.value);
    }
    EXPECT_EQ(ShortestDouble(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(ShortestDouble(-std::numeric_limits<double>::infinity()), "null");
}

}  // namespace
}  // namespace kelvor
