#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

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

// Plain decimals are read by dividing their digits by a power of ten; a trailing blank sends the
// same number through the general reader (point setting: blanks are dropped; comma setting:
// trailing blanks are allowed). Both must agree to the bit, sign of zero included, and refuse
// the same texts.
TEST(ParseNumber, PlainDecimalsReadExactlyAsTheGeneralReaderDoes) {
    // Signs, zeros, bare points and the limits of 15 significant digits and 22 decimals.
    // clang-format off
    const char* const fixed[] = {
        "0", "-0", "+0", "-0,000", "-.0", "0.", "-0.", ".5", "5.", ",5", "5,", "-,5", "0.1", "0.3",
        "1.43", "-0.03", "206000", "16777217", "16777219", "0.1000000000000000055511",
        "999999999999999", "9999999999999999", "123456789012345.", "1234567890123456.",
        ".1234567890123456789012", ".12345678901234567890123", "0.0000000000000000000001",
        "0.00000000000000000000001", "000000000000000000000000000007", "7.000000000000000000000",
        "7.0000000000000000000000", "0.000000000000001", "1.00000000000001", "", ".", "-", "+",
        "-.", "1.2.3", "1,2.3", "+-1", "1e2"};
    // clang-format on
    std::vector<std::string> tokens(std::begin(fixed), std::end(fixed));
    std::mt19937 random(20240611);
    const auto digits = [&](int count, bool allowLeadingZeros) {
        std::string out;
        for (int i = 0; i < count; ++i) {
            const int d = static_cast<int>(random() % 10);
            out += static_cast<char>('0' + (i == 0 && !allowLeadingZeros && d == 0 ? 1 : d));
        }
        return out;
    };
    for (int n = 0; n < 20000; ++n) {
        static const char* const kSigns[] = {"", "", "-", "+"};
        static const char* const kPoints[] = {"", ".", ","};
        std::string token = kSigns[random() % 4];
        token += digits(static_cast<int>(random() % 12), random() % 4 == 0);
        token += kPoints[random() % 3];
        token += digits(static_cast<int>(random() % 26), true);
        tokens.push_back(token);
    }
    // Ties between neighbouring floats of 2^10 to 2^24, written out exactly (up to 18 digits):
    // a double read one ulp off tips them the other way.
    for (int n = 0; n < 4000; ++n) {
        const int k = 10 + n % 14;
        const float fraction = static_cast<float>(random() % (1u << 23)) / (1u << 23);
        const float low = std::ldexp(1.0f + fraction, k);
        const double tie =
            (static_cast<double>(low) + std::nextafter(low, std::numeric_limits<float>::max())) / 2;
        char text[64];
        char* end =
            std::to_chars(text, text + sizeof text, tie, std::chars_format::fixed, 24 - k).ptr;
        tokens.push_back((n % 2 ? "-" : "") + std::string(text, end));
    }
    for (const int mode : {kPointSetting, kCommaSetting}) {
        for (const std::string& token : tokens) {
            SCOPED_TRACE("mode " + std::to_string(mode) + " text \"" + token + "\"");
            float plain = 0, general = 0;
            bool plainRefused = false, generalRefused = false;
            try {
                plain = ParseNumber(token, mode);
            } catch (const TypeMismatch&) {
                plainRefused = true;
            }
            try {
                general = ParseNumber(token + " ", mode);
            } catch (const TypeMismatch&) {
                generalRefused = true;
            }
            ASSERT_EQ(plainRefused, generalRefused);
            ASSERT_EQ(std::bit_cast<std::uint32_t>(plain), std::bit_cast<std::uint32_t>(general));
        }
    }
    EXPECT_TRUE(std::signbit(ParseNumber("-0", kPointSetting)));
    EXPECT_EQ(ParseNumber("16777219", kCommaSetting), 16777220.0f);  // a tie: to even
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
