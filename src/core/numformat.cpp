#include "core/numformat.h"

#include "core/decimalscale.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace kelvor {

namespace {

constexpr int kFloatDigits = 7;
constexpr int kDoubleDigits = 15;
static_assert(NumberText::kCapacity >= kPlainTextMax);

using decimal::ScaledImage;

// A decimal number as a digit string: value = 0.d1d2d3... * 10^pointPos. The digits carry no
// leading or trailing zeros, so zero is the empty string.
struct DecimalImage {
    bool negative = false;
    std::string digits;
    int pointPos = 0;

    bool IsZero() const { return digits.empty(); }

    void DropTrailingZeros() {
        while (!digits.empty() && digits.back() == '0') {
            digits.pop_back();
        }
        if (digits.empty()) {
            pointPos = 0;
        }
    }

    // Keeps the first `keep` digits, rounding half away from zero. A carry out of the first
    // digit moves the point, which is how 9.996 becomes 10.0.
    void RoundToDigits(int keep) {
        if (keep >= static_cast<int>(digits.size())) {
            return;
        }
        if (keep < 0) {
            digits.clear();
            pointPos = 0;
            return;
        }
        const bool up = digits[keep] >= '5';
        digits.resize(keep);
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[i] == '9') {
                digits[i] = '0';
                --i;
            }
            if (i < 0) {
                digits.insert(digits.begin(), '1');
                ++pointPos;
            } else {
                ++digits[i];
            }
        }
        DropTrailingZeros();
    }

    // Rounds to `decimals` places after the point.
    void RoundToDecimals(int decimals) { RoundToDigits(pointPos + decimals); }

    // The digit at `place` counted from the first significant one; zeros beyond either end.
    char DigitAt(int place) const {
        if (place < 0 || place >= static_cast<int>(digits.size())) {
            return '0';
        }
        return digits[place];
    }
};

// Reads the text of printf's "%.Ne" into digits and point position.
DecimalImage FromScientificText(const char* text) {
    DecimalImage image;
    const char* p = text;
    for (; *p != 'e' && *p != '\0'; ++p) {
        if (*p >= '0' && *p <= '9') {
            image.digits.push_back(*p);
        }
    }
    if (image.digits.empty() || image.digits[0] == '0') {
        image.digits.clear();
        return image;
    }
    image.pointPos = (*p == 'e' ? std::atoi(p + 1) : 0) + 1;
    image.DropTrailingZeros();
    return image;
}

// The value rounded to `keep` significant digits, ties away from zero, from its exact binary
// expansion. 41 digits settle the rounding unless they show an exact tie, which the printed
// digits alone cannot tell from a value a hair either side of it; the full expansion can (no
// double needs more than 767 significant digits). Slow, so only for magnitudes outside what
// ScaledToInteger covers.
DecimalImage ExactImage(double magnitude, int keep) {
    char text[64];
    const auto printed =
        std::to_chars(text, text + sizeof text - 1, magnitude, std::chars_format::scientific, 40);
    *printed.ptr = '\0';
    DecimalImage image = FromScientificText(text);
    if (static_cast<int>(image.digits.size()) == keep + 1 && image.digits.back() == '5') {
        std::string exact(900, '\0');
        std::snprintf(exact.data(), exact.size(), "%.800e", magnitude);
        image = FromScientificText(exact.c_str());
    }
    image.RoundToDigits(keep);
    return image;
}

DecimalImage MakeImage(double value, int significantDigits) {
    const double magnitude = std::fabs(value);
    DecimalImage image;
    if (magnitude == 0) {
        return image;
    }
    const auto keep = static_cast<std::size_t>(significantDigits);
    std::uint64_t rounded = 0;
    int pointPos = 0;
    if (ScaledImage(magnitude, significantDigits, rounded, pointPos)) {
        char digits[24];
        decimal::WriteDigits(digits, rounded, significantDigits);
        std::size_t count = keep;
        while (count > 0 && digits[count - 1] == '0') {
            --count;
        }
        image.digits.assign(digits, count);
        image.pointPos = pointPos;
    } else {
        image = ExactImage(magnitude, significantDigits);
    }
    image.negative = std::signbit(value) && !image.IsZero();
    return image;
}

DecimalImage MakeImage(int value) {
    DecimalImage image;
    const long long wide = value;
    image.negative = wide < 0;
    image.digits = std::to_string(wide < 0 ? -wide : wide);
    image.pointPos = static_cast<int>(image.digits.size());
    image.DropTrailingZeros();
    return image;
}

bool IsPlaceholder(char c) {
    return c == '0' || c == '#';
}

// Where the pieces of a picture pattern are. Indices are npos for a piece the pattern lacks.
struct PatternLayout {
    std::size_t point = std::string_view::npos;
    std::size_t exponent = std::string_view::npos;  // the 'E' of "E+" / "E-"
    std::size_t exponentEnd = 0;                    // one past the exponent's placeholders
    int intPlaces = 0;
    int intMin = 0;
    int fracPlaces = 0;
    int fracMin = 0;
    int expMin = 0;
    bool literals = false;  // any character the number does not fill
};

PatternLayout Analyse(std::string_view pattern) {
    PatternLayout layout;
    bool zeroSeen = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '.' && layout.point == std::string_view::npos) {
            layout.point = i;
        } else if ((c == 'E' || c == 'e') && i + 2 < pattern.size() &&
                   (pattern[i + 1] == '+' || pattern[i + 1] == '-') &&
                   IsPlaceholder(pattern[i + 2])) {
            layout.exponent = i;
            std::size_t j = i + 2;
            for (; j < pattern.size() && IsPlaceholder(pattern[j]); ++j) {
                layout.expMin += pattern[j] == '0' ? 1 : 0;
            }
            layout.exponentEnd = j;
            break;
        } else if (IsPlaceholder(c) && layout.point == std::string_view::npos) {
            ++layout.intPlaces;
            zeroSeen = zeroSeen || c == '0';
            layout.intMin += zeroSeen ? 1 : 0;
        } else if (IsPlaceholder(c)) {
            ++layout.fracPlaces;
            if (c == '0') {
                layout.fracMin = layout.fracPlaces;
            }
        } else {
            layout.literals = true;
        }
    }
    return layout;
}

std::string FormatImage(DecimalImage image, std::string_view pattern, char separator) {
    PatternLayout layout = Analyse(pattern);
    const bool scientific = layout.exponent != std::string_view::npos;
    const bool showMinus = image.negative && !image.IsZero();

    std::string intDigits;
    std::string fracDigits;
    int exponent = 0;
    if (scientific) {
        if (layout.intPlaces + layout.fracPlaces == 0) {
            layout.intPlaces = 1;  // a mantissa needs at least one digit to carry the value
        }
        image.RoundToDigits(layout.intPlaces + layout.fracPlaces);
        if (!image.IsZero()) {
            exponent = image.pointPos - layout.intPlaces;
            image.pointPos = layout.intPlaces;
        }
    } else {
        image.RoundToDecimals(layout.fracPlaces);
    }
    // Copied in blocks, not digit by digit: this runs for every number of every result text.
    const int size = static_cast<int>(image.digits.size());
    const int intCount = std::max(image.pointPos, 0);
    const int intFromImage = std::min(intCount, size);
    const int intPad = std::max(layout.intMin - intCount, 0);

    // Placeholders and a point alone ("0.00", "##0.0"), the patterns of nearly every text: the
    // placeholders are filled from the right and the leftmost takes every further digit, so
    // the integer digits come out whole, and the text is built in place.
    const bool hasPoint = layout.point != std::string_view::npos;
    char text[64];
    if (!scientific && !layout.literals && (hasPoint || layout.intPlaces > 0) &&
        intPad + intCount + layout.fracPlaces + 2 <= static_cast<int>(sizeof text)) {
        char* end = text;
        if (showMinus) {
            *end++ = '-';
        }
        end = std::fill_n(end, intPad, '0');
        end = std::copy_n(image.digits.data(), intFromImage, end);
        end = std::fill_n(end, intCount - intFromImage, '0');
        if (hasPoint) {
            *end++ = separator;
            char* const frac = end;
            for (int i = 0; i < layout.fracPlaces; ++i) {
                *end++ = image.DigitAt(image.pointPos + i);
            }
            while (end - frac > layout.fracMin && end[-1] == '0') {
                --end;
            }
        }
        return std::string(text, end);
    }
    intDigits.append(static_cast<std::size_t>(intPad), '0');
    intDigits.append(image.digits, 0, static_cast<std::size_t>(intFromImage));
    intDigits.append(static_cast<std::size_t>(intCount - intFromImage), '0');
    fracDigits.assign(static_cast<std::size_t>(layout.fracPlaces), '0');
    const int fracFirst = std::max(image.pointPos, 0);
    const int fracEnd = std::min(image.pointPos + layout.fracPlaces, size);
    if (fracFirst < fracEnd) {
        fracDigits.replace(static_cast<std::size_t>(fracFirst - image.pointPos),
                           static_cast<std::size_t>(fracEnd - fracFirst), image.digits,
                           static_cast<std::size_t>(fracFirst),
                           static_cast<std::size_t>(fracEnd - fracFirst));
    }
    std::size_t fracLength = fracDigits.size();
    while (static_cast<int>(fracLength) > layout.fracMin && fracDigits[fracLength - 1] == '0') {
        --fracLength;
    }
    fracDigits.resize(fracLength);

    std::string out;
    bool minusPending = showMinus;
    int intIndex = 0;
    int fracIndex = 0;
    const int extraDigits = static_cast<int>(intDigits.size()) - layout.intPlaces;
    const std::size_t mantissaEnd = scientific ? layout.exponent : pattern.size();
    for (std::size_t i = 0; i < mantissaEnd; ++i) {
        const char c = pattern[i];
        const bool isPoint = i == layout.point;
        const bool isDigit = IsPlaceholder(c) && !isPoint;
        if (minusPending && (isPoint || isDigit)) {
            out.push_back('-');
            minusPending = false;
        }
        if (isPoint) {
            if (layout.intPlaces == 0) {
                out += intDigits;  // ".00" still has to show the integer part of 12.5
            }
            out.push_back(separator);
        } else if (isDigit && i < layout.point) {
            // Placeholders are filled from the right; the leftmost also takes every digit
            // that has no placeholder of its own.
            const int last = extraDigits + intIndex;
            const int first = intIndex == 0 ? 0 : last;
            for (int k = first; k <= last; ++k) {
                if (k >= 0) {
                    out.push_back(intDigits[k]);
                }
            }
            ++intIndex;
        } else if (isDigit) {
            if (fracIndex < static_cast<int>(fracDigits.size())) {
                out.push_back(fracDigits[fracIndex]);
            }
            ++fracIndex;
        } else {
            out.push_back(c);
        }
    }
    if (scientific) {
        out.push_back(pattern[layout.exponent]);
        if (exponent < 0) {
            out.push_back('-');
        } else if (pattern[layout.exponent + 1] == '+') {
            out.push_back('+');
        }
        std::string expDigits = std::to_string(exponent < 0 ? -exponent : exponent);
        if (static_cast<int>(expDigits.size()) < layout.expMin) {
            expDigits.insert(0, layout.expMin - expDigits.size(), '0');
        }
        out += expDigits;
        out.append(pattern.substr(layout.exponentEnd));
    }
    return out;
}

std::string NonFiniteText(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    return value < 0 ? "-Inf" : "Inf";
}

std::string FormatReal(double value, int significantDigits, std::string_view pattern,
                       char separator) {
    PlainPattern layout;
    char text[kPlainTextMax];
    if (ParsePlainPattern(pattern, layout)) {
        if (const char* end = FormatPlain(value, significantDigits, layout, separator, text)) {
            return std::string(text, static_cast<std::size_t>(end - text));
        }
    }
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    return FormatImage(MakeImage(value, significantDigits), pattern, separator);
}

NumberText FormatRealText(double value, int significantDigits, FixedPattern pattern,
                          char separator) {
    NumberText number;
    char* const text = number.Buffer();
    const char* end = pattern.IsPlain()
                          ? FormatPlain(value, significantDigits, pattern.Layout(), separator, text)
                          : nullptr;
    if (end != nullptr) {
        number.SetSize(static_cast<std::size_t>(end - text));
    } else {
        number.Spill(FormatReal(value, significantDigits, pattern.Text(), separator));
    }
    return number;
}

std::string GeneralImage(double value, int significantDigits, int plainExponentLimit,
                         char separator) {
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    const DecimalImage image = MakeImage(value, significantDigits);
    if (image.IsZero()) {
        return "0";
    }
    std::string out = image.negative ? "-" : "";
    const int size = static_cast<int>(image.digits.size());
    const int exponent = image.pointPos - 1;
    if (exponent > -5 && exponent < plainExponentLimit) {
        if (image.pointPos <= 0) {
            out += "0";
            out.push_back(separator);
            out.append(-image.pointPos, '0');
            out += image.digits;
        } else {
            for (int i = 0; i < image.pointPos; ++i) {
                out.push_back(image.DigitAt(i));
            }
            if (size > image.pointPos) {
                out.push_back(separator);
                out.append(image.digits, image.pointPos);
            }
        }
        return out;
    }
    out.push_back(image.digits[0]);
    if (size > 1) {
        out.push_back(separator);
        out.append(image.digits, 1);
    }
    out += exponent < 0 ? "E-" : "E+";
    const std::string expDigits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (expDigits.size() < 2) {
        out.push_back('0');
    }
    return out + expDigits;
}

// The project file writes reals without the leading zero below 1.
std::string WithoutLeadingZero(std::string text) {
    const std::size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.compare(start, 2, "0.") == 0) {
        text.erase(start, 1);
    }
    return text;
}

}  // namespace

std::string Format(float value, std::string_view pattern, char decimalSeparator) {
    return FormatReal(value, kFloatDigits, pattern, decimalSeparator);
}

std::string Format(double value, std::string_view pattern, char decimalSeparator) {
    return FormatReal(value, kDoubleDigits, pattern, decimalSeparator);
}

NumberText FormatText(float value, FixedPattern pattern, char decimalSeparator) {
    return FormatRealText(value, kFloatDigits, pattern, decimalSeparator);
}

NumberText FormatText(double value, FixedPattern pattern, char decimalSeparator) {
    return FormatRealText(value, kDoubleDigits, pattern, decimalSeparator);
}

std::string Format(int value, std::string_view pattern, char decimalSeparator) {
    return FormatImage(MakeImage(value), pattern, decimalSeparator);
}

std::string GeneralFormat(float value, char decimalSeparator) {
    return GeneralImage(value, kFloatDigits, 7, decimalSeparator);
}

std::string GeneralFormat(double value, char decimalSeparator) {
    return GeneralImage(value, kDoubleDigits, 15, decimalSeparator);
}

std::string FileReal(float value) {
    return WithoutLeadingZero(GeneralFormat(value, '.'));
}

std::string FileReal(double value) {
    return WithoutLeadingZero(GeneralFormat(value, '.'));
}

int RoundToInt(double value) {
    if (!std::isfinite(value)) {
        throw std::out_of_range("RoundToInt: value is not finite");
    }
    // Done by hand rather than with nearbyint so that a changed floating-point rounding mode
    // cannot change the result. value - floor(value) is exact for every double.
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0)) {
        rounded += 1.0;
    }
    if (rounded < static_cast<double>(INT_MIN) || rounded > static_cast<double>(INT_MAX)) {
        throw std::out_of_range("RoundToInt: value does not fit an int");
    }
    return static_cast<int>(rounded);
}

std::string ShortestDouble(double value) {
    if (!std::isfinite(value)) {
        return "null";
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void UseDecimalSeparator(std::string& text, char separator) {
    if (separator == '.') {
        return;
    }
    const auto digit = [](char ch) { return ch >= '0' && ch <= '9'; };
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '.' && digit(text[i - 1]) && digit(text[i + 1])) {
            text[i] = separator;
        }
    }
}

}  // namespace kelvor
