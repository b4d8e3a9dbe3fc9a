#include "core/numparse.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

#include "core/numformat.h"

namespace kelvor {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number as read: its parts rewritten in the C notation that from_chars understands, plus
// the rough decimal magnitude needed to tell overflow from underflow when from_chars cannot.
struct ReadNumber {
    std::string text;
    long long magnitude = 0;
};

// Reads [sign] digits [point digits] [exponent] from text at pos and moves pos past it. An
// exponent without digits ("1e") is not part of the number. Returns false when no digit of the
// mantissa was found, leaving pos where it was.
bool ReadLeadingNumber(std::string_view text, std::size_t& pos, char point, ReadNumber& number) {
    std::size_t i = pos;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string intDigits;
    std::string fracDigits;
    while (i < text.size() && IsDigit(text[i])) {
        intDigits.push_back(text[i++]);
    }
    if (i < text.size() && text[i] == point) {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            fracDigits.push_back(text[i++]);
        }
    }
    if (intDigits.empty() && fracDigits.empty()) {
        return false;
    }

    // The exponent saturates: anything this large already lies far outside any double.
    constexpr long long kExponentCap = 1000000000;
    long long exponent = 0;
    const char e = i < text.size() ? text[i] : '\0';
    if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j) {
                if (exponent < kExponentCap) {
                    exponent = exponent * 10 + (text[j] - '0');
                }
            }
            exponent = expNegative ? -exponent : exponent;
            i = j;
        }
    }

    number.text = negative ? "-" : "";
    number.text += intDigits.empty() ? "0" : intDigits;
    if (!fracDigits.empty()) {
        number.text += "." + fracDigits;
    }
    number.text += "e" + std::to_string(exponent);

    const std::size_t firstSignificant = intDigits.find_first_not_of('0');
    if (firstSignificant != std::string::npos) {
        number.magnitude = static_cast<long long>(intDigits.size() - firstSignificant) + exponent;
    } else if (const std::size_t lead = fracDigits.find_first_not_of('0');
               lead != std::string::npos) {
        number.magnitude = -static_cast<long long>(lead) + exponent;
    }
    pos = i;
    return true;
}

// Halfway between the largest float and 2^128 (2^128 - 2^103) already rounds to infinity;
// refusing from there keeps the conversion to float defined.
constexpr double kSingleOverflow = 0x1.ffffffp+127;

float ToSingle(double value) {
    if (std::fabs(value) >= kSingleOverflow) {
        throw TypeMismatch();
    }
    return static_cast<float>(value);
}

float ToSingle(const ReadNumber& number) {
    double value = 0.0;
    const char* begin = number.text.data();
    const auto result = std::from_chars(begin, begin + number.text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (number.magnitude > 0) {
            throw TypeMismatch();
        }
        value = number.text[0] == '-' ? -0.0 : 0.0;
    } else if (result.ec != std::errc()) {
        throw TypeMismatch();  // cannot happen for text built by ReadLeadingNumber
    }
    return ToSingle(value);
}

// Batch files and tables are almost all plain decimals such as "-0.03" or "206000". For those
// the correctly rounded double is the integer of all their digits divided by a power of ten,
// as long as both are exact doubles (at most 15 significant digits, at most 22 decimals): IEEE
// division then rounds once, to the same double from_chars finds. Anything else, blanks and
// exponents included, is left to the general reader. Both settings take '.' and ',' alike.
bool ReadPlainDecimal(std::string_view text, double& value) {
    static constexpr double kExactPowersOfTen[] = {
        1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
    };
    constexpr int kMaxDecimals = 22;
    constexpr int kMaxSignificant = 15;

    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t digits = 0;
    int significant = 0;
    int decimals = 0;
    bool anyDigit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            anyDigit = true;
            if (point && ++decimals > kMaxDecimals) {
                return false;
            }
            if (digits != 0 || c != '0') {
                if (++significant > kMaxSignificant) {
                    return false;
                }
                digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            }
        } else if ((c == '.' || c == ',') && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (!anyDigit) {
        return false;
    }
    value = static_cast<double>(digits) / kExactPowersOfTen[decimals];
    value = negative ? -value : value;  // "-0" stays a negative zero
    return true;
}

// The number at the start of the text once its blanks are gone and every ',' reads as '.';
// `whole` tells whether it is all the text holds.
bool LeadingNumberWithoutBlanks(std::string_view text, ReadNumber& number, bool& whole) {
    std::string cleaned;
    for (const char c : text) {
        if (!IsBlank(c)) {
            cleaned.push_back(c == ',' ? '.' : c);
        }
    }
    std::size_t pos = 0;
    if (!ReadLeadingNumber(cleaned, pos, '.', number)) {
        return false;
    }
    whole = pos == cleaned.size();
    return true;
}

float ParsePointSetting(std::string_view text) {
    ReadNumber number;
    bool whole = false;
    return LeadingNumberWithoutBlanks(text, number, whole) ? ToSingle(number) : 0.0f;
}

float ParseCommaSetting(std::string_view text) {
    std::string cleaned(text);
    for (char& c : cleaned) {
        c = c == '.' ? ',' : c;
    }
    std::size_t pos = 0;
    while (pos < cleaned.size() && IsBlank(cleaned[pos])) {
        ++pos;
    }
    ReadNumber number;
    if (!ReadLeadingNumber(cleaned, pos, ',', number)) {
        throw TypeMismatch();
    }
    for (; pos < cleaned.size(); ++pos) {
        if (!IsBlank(cleaned[pos])) {
            throw TypeMismatch();
        }
    }
    return ToSingle(number);
}

}  // namespace

int DetectDecimalSeparator(char localeDecimalPoint) {
    return Format(1.1, "0.0", localeDecimalPoint) == "1.1" ? 0 : 1;
}

float ParseNumberStrict(std::string_view text) {
    if (double value = 0.0; ReadPlainDecimal(text, value)) {
        return ToSingle(value);
    }
    ReadNumber number;
    bool whole = false;
    if (!LeadingNumberWithoutBlanks(text, number, whole) || !whole) {
        throw TypeMismatch();
    }
    return ToSingle(number);
}

float ParseNumber(std::string_view text, int decimalMode) {
    if (double value = 0.0; ReadPlainDecimal(text, value)) {
        return ToSingle(value);
    }
    return decimalMode == 0 ? ParsePointSetting(text) : ParseCommaSetting(text);
}

}  // namespace kelvor
