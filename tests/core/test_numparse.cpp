#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include "core/numparse.h"

namespace kelvor {
namespace {

constexpr int kPointSetting = 0;
constexpr int kCommaSetting = 1;

struct ParseRow {
    const char* text;
    float expected;
};

TEST(DetectDecimalSeparator, PointIsModeZeroAnythingElseNot) {
    EXPECT_EQ(DetectDecimalSeparator('.'), 0);
    EXPECT_EQ(DetectDecimalSeparator(','), 1);
    EXPECT_EQ(DetectDecimalSeparator('\''), 1);
}

TEST(ParseNumber, CleanNumbersReadTheSameInBothSettings) {
    const ParseRow rows[] = {
        {"2,5", 2.5f},
        {"2.5", 2.5f},
        {"   7", 7.0f},
        {"7   ", 7.0f},
        {"\t7\t", 7.0f},
        {"-100", -100.0f},
        {"+5", 5.0f},
        {".03", 0.03f},
        {",03", 0.03f},
        {"-.5", -0.5f},
        {"5.", 5.0f},
        {"1e3", 1000.0f},
        {"1E+3", 1000.0f},
        {"1,5e2", 150.0f},
        {"3.21E-04", 0.000321f},
        {"1D2", 100.0f},
        {"1d-2", 0.01f},
        {"0.1", 0.1f},
        {"16777217", 16777216.0f},
        {"3.4028235e38", FLT_MAX},
        {"1e-40", 1e-40f},
        {"1e-50", 0.0f},
        {"1e-400", 0.0f},
        {"0e999999", 0.0f},
    };
    for (const int mode : {kPointSetting, kCommaSetting, 2}) {
        for (const ParseRow& row : rows) {
            SCOPED_TRACE(std::string("mode ") + std::to_string(mode) + " text \"" + row.text +
                         "\"");
            EXPECT_EQ(ParseNumber(row.text, mode), row.expected);
        }
    }
    EXPECT_TRUE(std::signbit(ParseNumber("-1e-400", kPointSetting)));
}

TEST(ParseNumber, PointSettingReadsTheLeadingNumber) {
    const ParseRow rows[] = {
        {"3 000", 3000.0f}, {" 2 45 7", 2457.0f}, {"24 and 57", 24.0f}, {"", 0.0f},
        {"   ", 0.0f},      {"abc", 0.0f},        {"12abc", 12.0f},     {"1.2.3", 1.2f},
        {"1,2,3", 1.2f},    {"1,000", 1.0f},      {"-", 0.0f},          {".", 0.0f},
        {"1e", 1.0f},       {"1e+", 1.0f},        {"2.5E-x", 2.5f},     {"- 5", -5.0f},
        {"1 e 3", 1000.0f}, {"+-5", 0.0f},        {"7mm", 7.0f},
    };
    for (const ParseRow& row : rows) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\"");
        EXPECT_EQ(ParseNumber(row.text, kPointSetting), row.expected);
    }
}

TEST(ParseNumber, CommaSettingRejectsAnythingButOneNumber) {
    for (const char* text : {"abc", "", "   ", "12abc", "1.2.3", "-", ",", "1e", "1e+", "3 000",
                             "1,5 x", "+-5", "- 5", "7mm"}) {
        SCOPED_TRACE(std::string("text \"") + text + "\"");
        EXPECT_THROW(ParseNumber(text, kCommaSetting), TypeMismatch);
    }
}

TEST(ParseNumber, BeyondSingleRangeIsAMismatchInBothSettings) {
    for (const int mode : {kPointSetting, kCommaSetting}) {
        for (const char* text :
             {"1e99", "-1e39", "3.4028236e38", "1e400", "-1e400", "1e99999999999999999999",
              "99999999999999999999999999999999999999999"}) {
            SCOPED_TRACE(std::string("mode ") + std::to_string(mode) + " text \"" + text + "\"");
            EXPECT_THROW(ParseNumber(text, mode), TypeMismatch);
        }
    }
}

TEST(ParseNumber, MismatchCarriesTheUserMessage) {
    try {
        ParseNumber("abc", kCommaSetting);
        FAIL() << "no TypeMismatch";
    } catch (const TypeMismatch& e) {
        EXPECT_STREQ(e.what(), "Input string mismatch ");
    }
}

}  // namespace
}  // namespace kelvor
