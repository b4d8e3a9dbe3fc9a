// Number texts: the cases are tables under tests/data/numbers, one conversion each.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>

#include "../support/datatable.h"
#include "core/numformat.h"

namespace kelvor {
namespace {

using testdata::Row;

// Every row of numbers/NAME: `actual` gives the row's result as text, cell `want` the expected.
template <typename Actual>
void RunTable(const std::string& name, std::size_t want, Actual actual) {
    for (const Row& r : testdata::ReadTable("numbers/" + name)) {
        EXPECT_EQ(actual(r), r[want]) << r.where;
    }
}

// Calls `f` with cell `cell` read as the row's type (cell 0): a float through strtof, else a
// double through strtod.
template <typename F>
std::string AsRowType(const Row& r, std::size_t cell, F f) {
    const char* text = r[cell].c_str();
    return r[0] == "float" ? f(std::strtof(text, nullptr)) : f(std::strtod(text, nullptr));
}

TEST(Format, WorkedExamplesBoundariesAndMarkers) {
    RunTable("format.tsv", 4, [](const Row& r) {
        const char separator = r[3][0];
        if (r[0] == "int") {
            return Format(static_cast<int>(std::strtol(r[2].c_str(), nullptr, 10)), r[1],
                          separator);
        }
        return AsRowType(r, 2, [&](auto v) { return Format(v, r[1], separator); });
    });
}

TEST(GeneralFormat, WorkedExamplesAndExponentThresholds) {
    RunTable("general.tsv", 3, [](const Row& r) {
        return AsRowType(r, 1, [&](auto v) { return GeneralFormat(v, r[2][0]); });
    });
}

TEST(FileReal, PointAlwaysAndNoLeadingZero) {
    RunTable("filereal.tsv", 2,
             [](const Row& r) { return AsRowType(r, 1, [](auto v) { return FileReal(v); }); });
}

TEST(RoundToInt, TiesToEvenWithRangeCheck) {
    RunTable("roundtoint.tsv", 1, [](const Row& r) {
        try {
            return std::to_string(RoundToInt(r.Number(0)));
        } catch (const std::out_of_range& e) {
            return std::string(e.what());
        }
    });
}

TEST(ShortestDouble, ShortestTextThatReadsBack) {
    RunTable("shortest.tsv", 1, [](const Row& r) {
        const std::string text = ShortestDouble(r.Number(0));
        // The text reads back to the very double it came from.
        EXPECT_TRUE(text == "null" || std::strtod(text.c_str(), nullptr) == r.Number(0)) << r.where;
        return text;
    });
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
        value = i % 3 == 0 ? -value : value;
        for (const FixedPattern& fixed : patterns) {
            const std::string walked = std::string(fixed.Text()) + " ";
            SCOPED_TRACE(walked + std::to_string(value));
            ASSERT_EQ(Format(value, fixed.Text()) + " ", Format(value, walked));
            ASSERT_EQ(Format(static_cast<float>(value), fixed.Text(), ',') + " ",
                      Format(static_cast<float>(value), walked, ','));
            ASSERT_EQ(std::string_view(FormatText(value, fixed)), Format(value, fixed.Text()));
        }
    }
}

}  // namespace
}  // namespace kelvor
