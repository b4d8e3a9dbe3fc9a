// Reading typed numbers: the cases are tables under tests/data/numbers.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "../support/datatable.h"
#include "core/numformat.h"
#include "core/numparse.h"

namespace kelvor {
namespace {

// The value read, in its shortest exact text ("-0" for a negative zero), or the refusal's
// message.
// Mode "s" is the strict reading of batch files.
std::string Outcome(const std::string& text, const std::string& mode) {
    try {
        return testdata::Shortest(mode == "s" ? ParseNumberStrict(text)
                                              : ParseNumber(text, std::stoi(mode)));
    } catch (const TypeMismatch& e) {
        return e.what();
    }
}

TEST(ParseNumber, BothSettingsAndTheirRefusals) {
    for (const testdata::Row& r : testdata::ReadTable("numbers/parse.tsv")) {
        char* end = nullptr;
        const float value = std::strtof(r[2].c_str(), &end);
        const std::string want = *end == '\0' ? testdata::Shortest(value) : r[2];
        std::istringstream modes(r[1]);
        for (std::string mode; modes >> mode;) {
            EXPECT_EQ(Outcome(r[0], mode), want) << r.where << " mode " << mode;
            EXPECT_EQ(Outcome(r[0] + " ", mode), want) << r.where << " mode " << mode << " +blank";
        }
    }
}

TEST(DetectDecimalSeparator, PointIsModeZeroAnythingElseNot) {
    for (const testdata::Row& r : testdata::ReadTable("numbers/separator.tsv")) {
        EXPECT_EQ(DetectDecimalSeparator(r[0][0]), r.Int(1)) << r.where;
    }
}

TEST(UseDecimalSeparator, WritesTheCommaOnlyBetweenDigits) {
    for (const testdata::Row& r : testdata::ReadTable("numbers/commatext.tsv")) {
        std::string text = r[0];
        UseDecimalSeparator(text, ',');
        EXPECT_EQ(text, r[1]) << r.where;
        std::string same = r[0];
        UseDecimalSeparator(same, '.');
        EXPECT_EQ(same, r[0]) << r.where;
    }
}

// Plain decimals are read by dividing their digits by a power of ten; a trailing blank sends the
// same text through the general reader. Both must agree to the bit and refuse the same texts.
TEST(ParseNumber, PlainDecimalsReadExactlyAsTheGeneralReaderDoes) {
    std::mt19937 random(20240611);
    const auto digits = [&](int count, bool allowLeadingZero) {
        std::string out;
        for (int i = 0; i < count; ++i) {
            const int d = static_cast<int>(random() % 10);
            out += static_cast<char>('0' + (i == 0 && !allowLeadingZero && d == 0 ? 1 : d));
        }
        return out;
    };
    std::vector<std::string> tokens;
    for (int n = 0; n < 20000; ++n) {
        static const char* const kSigns[] = {"", "", "-", "+"};
        static const char* const kPoints[] = {"", ".", ","};
        std::string token = kSigns[random() % 4];
        token += digits(static_cast<int>(random() % 12), random() % 4 == 0);
        token += kPoints[random() % 3];
        tokens.push_back(token + digits(static_cast<int>(random() % 26), true));
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
    for (const std::string mode : {"0", "1", "s"}) {
        for (const std::string& token : tokens) {
            ASSERT_EQ(Outcome(token, mode), Outcome(token + " ", mode)) << mode << " " << token;
        }
    }
}

}  // namespace
}  // namespace kelvor
