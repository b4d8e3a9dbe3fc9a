#include "core/numformat.h"

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
// The longest text FormatFixed writes: a sign, 24 integer places, the point and 18 decimals;
// a scientific text is shorter (18 digits, the point, "E+" and at most 8 exponent digits).
constexpr std::size_t kFixedTextMax = NumberText::kCapacity;
static_assert(kFixedTextMax >= 1 + 24 + 1 + 18);

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

using Wide = unsigned __int128;

constexpr int kMaxScale = 27;  // 5^27 still fits 64 bits

constexpr std::array<std::uint64_t, kMaxScale + 1> PowersOf(std::uint64_t base) {
    std::array<std::uint64_t, kMaxScale + 1> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
        p = power;
        power *= base;
    }
    return powers;
}

constexpr auto kPowersOf5 = PowersOf(5);
constexpr auto kPowersOf10 = PowersOf(10);

constexpr std::array<double, 23> kExactPowersOf10 = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};

// "00" to "99": digits are written two at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t n = 0; n < 100; ++n) {
        pairs[2 * n] = static_cast<char>('0' + n / 10);
        pairs[2 * n + 1] = static_cast<char>('0' + n % 10);
    }
    return pairs;
}();

// m * 2^e * 10^scale in integers, exactly: truncated, and rounded half up (which for a
// magnitude is half away from zero). That is m * 5^scale * 2^(scale + e); a negative scale
// divides by 5^-scale instead. False when an intermediate would not fit 128 bits.
bool ScaledToInteger(std::uint64_t m, int e, int scale, std::uint64_t& truncated,
                     std::uint64_t& rounded) {
    if (scale < -kMaxScale || scale > kMaxScale) {
        return false;
    }
    const int shift = e + scale;
    // m < 2^53 and a power of 5 < 2^63: the product fits with room for 11 more bits.
    if (shift > 11 || shift < -64) {
        return false;
    }
    Wide quotient = 0;
    bool up = false;
    if (scale >= 0) {
        const Wide product = static_cast<Wide>(m) * kPowersOf5[static_cast<std::size_t>(scale)];
        if (shift >= 0) {
            quotient = product << shift;
        } else {
            quotient = product >> -shift;
            up = ((product >> (-shift - 1)) & 1) != 0;
        }
    } else {
        Wide numerator = m;
        Wide divisor = kPowersOf5[static_cast<std::size_t>(-scale)];
        if (shift >= 0) {
            numerator <<= shift;
        } else {
            divisor <<= -shift;
        }
        quotient = numerator / divisor;
        up = 2 * (numerator - quotient * divisor) >= divisor;
    }
    // One digit more than a double's 15 is all a retry of the decimal exponent needs.
    if (quotient >= kPowersOf10[16]) {
        return false;
    }
    truncated = static_cast<std::uint64_t>(quotient);
    rounded = truncated + (up ? 1 : 0);
    return true;
}

// The value's decimal image as an integer of exactly `significantDigits` digits (trailing zeros
// included): magnitude ~ rounded * 10^(pointPos - significantDigits). Every number of a result
// text goes through here, a hundred times per run and per batch panel, so the usual magnitudes
// are rounded in integer arithmetic; false for the rest, which need ExactImage.
bool ScaledImage(double magnitude, int significantDigits, std::uint64_t& rounded, int& pointPos) {
    if (!(magnitude >= std::numeric_limits<double>::min())) {
        return false;
    }
    const auto keep = static_cast<std::size_t>(significantDigits);
    // A normal double is m * 2^e with the implicit leading bit of m restored.
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int e = static_cast<int>(bits >> 52) - 1075;
    // floor(log10(2^(e + 52))): the decimal exponent or one below it, settled against the
    // powers of ten a double holds exactly. Elsewhere a wrong guess costs a second pass below.
    int decimalExponent = ((e + 52) * 78913) >> 18;
    if (decimalExponent >= -1 && decimalExponent < 22 &&
        magnitude >= kExactPowersOf10[static_cast<std::size_t>(decimalExponent + 1)]) {
        ++decimalExponent;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::uint64_t truncated = 0;
        if (!ScaledToInteger(m, e, significantDigits - 1 - decimalExponent, truncated, rounded)) {
            return false;
        }
        if (truncated >= kPowersOf10[keep]) {
            ++decimalExponent;
            continue;
        }
        if (truncated < kPowersOf10[keep - 1]) {
            --decimalExponent;
            continue;
        }
        // Rounding up may carry into one more digit: 9.9999996 becomes 10.
        pointPos = decimalExponent + 1;
        if (rounded == kPowersOf10[keep]) {
            rounded /= 10;
            ++pointPos;
        }
        return true;
    }
    return false;
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
        std::size_t i = keep;
        for (; i >= 2; i -= 2) {
            const std::size_t pair = 2 * static_cast<std::size_t>(rounded % 100);
            rounded /= 100;
            digits[i - 2] = kDigitPairs[pair];
            digits[i - 1] = kDigitPairs[pair + 1];
        }
        if (i == 1) {
            digits[0] = static_cast<char>('0' + rounded);
        }
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

// n / 10^k and its remainder for n < 2^60 and k in 0..18, by multiplying with a rounded-up
// reciprocal (Granlund and Montgomery): exact over that range, and free of both the division
// instruction and the branch on k that a divide by a constant per case would need. A result
// text needs two per number, with k changing from number to number.
constexpr int kReciprocalBits = 60;

struct Reciprocal {
    std::uint64_t multiplier;  // floor(2^(60 + shift) / 10^k) + 1, at most 61 bits
    int shift;                 // ceil(log2(10^k))
};

constexpr std::array<Reciprocal, 19> kReciprocalsOf10 = [] {
    std::array<Reciprocal, 19> table{};
    for (std::size_t k = 0; k < table.size(); ++k) {
        const std::uint64_t d = kPowersOf10[k];
        int shift = 0;
        while ((std::uint64_t{1} << shift) < d) {
            ++shift;
        }
        const Wide scaled = Wide{1} << (kReciprocalBits + shift);
        table[k] = {static_cast<std::uint64_t>(scaled / d) + 1, shift};
    }
    return table;
}();

// The reciprocals hold at the edges of the range: around each power, and at its top.
static_assert([] {
    for (std::size_t k = 0; k < kReciprocalsOf10.size(); ++k) {
        const std::uint64_t d = kPowersOf10[k];
        const Reciprocal r = kReciprocalsOf10[k];
        for (const std::uint64_t n : {std::uint64_t{0}, d - 1, d, d + 1, 2 * d - 1, kPowersOf10[18],
                                      (std::uint64_t{1} << kReciprocalBits) - 1}) {
            const auto q = static_cast<std::uint64_t>((static_cast<Wide>(n) * r.multiplier) >>
                                                      (kReciprocalBits + r.shift));
            if (q != n / d) {
                return false;
            }
        }
    }
    return true;
}());

std::uint64_t DividedByPowerOf10(std::uint64_t n, int k, std::uint64_t& remainder) {
    const Reciprocal& r = kReciprocalsOf10[static_cast<std::size_t>(k)];
    const auto quotient = static_cast<std::uint64_t>((static_cast<Wide>(n) * r.multiplier) >>
                                                     (kReciprocalBits + r.shift));
    remainder = n - quotient * kPowersOf10[static_cast<std::size_t>(k)];
    return quotient;
}

// Writes `count` decimal digits of `n`, zero-padded on the left, and returns the end.
char* WriteDigits(char* out, std::uint64_t n, int count) {
    int i = count;
    for (; i >= 2; i -= 2) {
        const std::size_t pair = 2 * static_cast<std::size_t>(n % 100);
        n /= 100;
        out[i - 2] = kDigitPairs[pair];
        out[i - 1] = kDigitPairs[pair + 1];
    }
    if (i == 1) {
        out[0] = static_cast<char>('0' + n % 10);
    }
    return out + count;
}

// A pattern of placeholders and at most one point, optionally followed by an exponent
// ("0.00", "#0.0", "00", "0.000E+0"): the patterns of nearly every result text.
struct PlainPattern {
    bool hasPoint = false;
    int intPlaces = 0;
    int intMin = 0;
    int fracPlaces = 0;
    int fracMin = 0;
    char exponentMark = 0;  // 'E' or 'e' when scientific
    bool exponentPlus = false;
    int expMin = 0;
};

// False for every other pattern, which the general path formats.
bool ParsePlainPattern(std::string_view pattern, PlainPattern& layout) {
    bool zeroSeen = false;
    std::size_t i = 0;
    for (; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '.' && !layout.hasPoint) {
            layout.hasPoint = true;
        } else if (c == '0' || c == '#') {
            if (!layout.hasPoint) {
                ++layout.intPlaces;
                zeroSeen = zeroSeen || c == '0';
                layout.intMin += zeroSeen ? 1 : 0;
            } else {
                ++layout.fracPlaces;
                if (c == '0') {
                    layout.fracMin = layout.fracPlaces;
                }
            }
        } else {
            break;
        }
    }
    if (i < pattern.size()) {
        // Only an exponent may follow, and nothing after its placeholders.
        if (i + 2 >= pattern.size() || (pattern[i] != 'E' && pattern[i] != 'e') ||
            (pattern[i + 1] != '+' && pattern[i + 1] != '-') || layout.intPlaces == 0) {
            return false;
        }
        layout.exponentMark = pattern[i];
        layout.exponentPlus = pattern[i + 1] == '+';
        for (i += 2; i < pattern.size(); ++i) {
            if (pattern[i] == '0') {
                ++layout.expMin;
            } else if (pattern[i] != '#') {
                return false;
            }
        }
    }
    // A scientific mantissa is held in 64 bits, as is a plain text's fraction.
    const bool fits = layout.exponentMark == 0 || layout.intPlaces + layout.fracPlaces <= 18;
    return (layout.hasPoint || layout.intPlaces > 0) && layout.fracPlaces <= 18 &&
           layout.intMin <= 24 && layout.expMin <= 8 && fits;
}

// The digits of a scientific text: n holds intPlaces + fracPlaces digits, the first not zero,
// and the value is n * 10^(exponent - fracPlaces). Zero has no such form and goes the general
// way.
char* WriteScientific(char* end, std::uint64_t rounded, int pointPos, int significantDigits,
                      const PlainPattern& layout, char separator) {
    const int keep = layout.intPlaces + layout.fracPlaces;
    std::uint64_t n = 0;
    if (keep >= significantDigits) {
        n = rounded * kPowersOf10[static_cast<std::size_t>(keep - significantDigits)];
    } else {
        const int drop = significantDigits - keep;
        std::uint64_t dropped = 0;
        n = DividedByPowerOf10(rounded, drop, dropped);
        if (dropped >= kPowersOf10[static_cast<std::size_t>(drop)] / 2) {
            ++n;
        }
        // A carry out of the first digit: 9.9996 to four digits is 1.000E+1.
        if (n == kPowersOf10[static_cast<std::size_t>(keep)]) {
            n /= 10;
            ++pointPos;
        }
    }
    std::uint64_t fraction = 0;
    const std::uint64_t whole = DividedByPowerOf10(n, layout.fracPlaces, fraction);
    end = WriteDigits(end, whole, layout.intPlaces);
    if (layout.hasPoint) {
        *end++ = separator;
        char* const frac = end;
        end = WriteDigits(end, fraction, layout.fracPlaces);
        while (end - frac > layout.fracMin && end[-1] == '0') {
            --end;
        }
    }
    const int exponent = pointPos - layout.intPlaces;
    *end++ = layout.exponentMark;
    if (exponent < 0) {
        *end++ = '-';
    } else if (layout.exponentPlus) {
        *end++ = '+';
    }
    const auto magnitude = static_cast<std::uint64_t>(exponent < 0 ? -exponent : exponent);
    int digits = 1;
    while (digits < 3 && magnitude >= kPowersOf10[static_cast<std::size_t>(digits)]) {
        ++digits;
    }
    return WriteDigits(end, magnitude, std::max(digits, layout.expMin));
}

// Plain patterns are filled straight from the image's scaled integer, without a digit string or
// a pattern walk. The rounding is the general path's: to the image's digits first, then half
// away from zero at the last place. Writes into `text` (kFixedTextMax characters) and returns
// the end; nullptr for a non-finite value or anything else, which the general path formats.
char* FormatFixed(double value, int significantDigits, std::string_view pattern, char separator,
                  char* text) {
    PlainPattern layout;
    if (!ParsePlainPattern(pattern, layout)) {
        return nullptr;
    }
    const double magnitude = std::fabs(value);
    if (!(magnitude <= std::numeric_limits<double>::max())) {
        return nullptr;  // NaN or infinite
    }
    std::uint64_t rounded = 0;
    int pointPos = 0;
    if (magnitude != 0 && !ScaledImage(magnitude, significantDigits, rounded, pointPos)) {
        return nullptr;
    }
    char* end = text;
    if (layout.exponentMark != 0) {
        if (magnitude == 0) {
            return nullptr;
        }
        if (value < 0) {
            *end++ = '-';
        }
        return WriteScientific(end, rounded, pointPos, significantDigits, layout, separator);
    }
    // n is the value in units of the last place: value = n * 10^-fracPlaces.
    std::uint64_t n = 0;
    if (magnitude != 0) {
        const int places = pointPos + layout.fracPlaces;
        if (places > 18) {
            return nullptr;  // n would not fit 64 bits
        }
        const int drop = significantDigits - places;
        if (drop <= 0) {
            n = rounded * kPowersOf10[static_cast<std::size_t>(-drop)];
        } else if (drop <= significantDigits) {
            std::uint64_t dropped = 0;
            n = DividedByPowerOf10(rounded, drop, dropped);
            if (dropped >= kPowersOf10[static_cast<std::size_t>(drop)] / 2) {
                ++n;
            }
        }
    }
    std::uint64_t fraction = 0;
    const std::uint64_t whole = DividedByPowerOf10(n, layout.fracPlaces, fraction);
    int wholeDigits = 0;
    // Compared against powers of ten, not divided down: the divisions would be a dependent chain.
    while (wholeDigits < 19 && whole >= kPowersOf10[static_cast<std::size_t>(wholeDigits)]) {
        ++wholeDigits;
    }
    if (value < 0) {
        *end++ = '-';  // kept when the value rounds to zero, as the general path does
    }
    end = std::fill_n(end, std::max(layout.intMin - wholeDigits, 0), '0');
    end = WriteDigits(end, whole, wholeDigits);
    if (layout.hasPoint) {
        *end++ = separator;
        char* const frac = end;
        end = WriteDigits(end, fraction, layout.fracPlaces);
        while (end - frac > layout.fracMin && end[-1] == '0') {
            --end;
        }
    }
    return end;
}

std::string FormatReal(double value, int significantDigits, std::string_view pattern,
                       char separator) {
    char text[kFixedTextMax];
    if (const char* end = FormatFixed(value, significantDigits, pattern, separator, text)) {
        return std::string(text, static_cast<std::size_t>(end - text));
    }
    if (!std::isfinite(value)) {
        return NonFiniteText(value);
    }
    return FormatImage(MakeImage(value, significantDigits), pattern, separator);
}

NumberText FormatRealText(double value, int significantDigits, std::string_view pattern,
                          char separator) {
    NumberText number;
    char* const text = number.Buffer();
    if (const char* end = FormatFixed(value, significantDigits, pattern, separator, text)) {
        number.SetSize(static_cast<std::size_t>(end - text));
    } else {
        number.Spill(FormatReal(value, significantDigits, pattern, separator));
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

NumberText FormatText(float value, std::string_view pattern, char decimalSeparator) {
    return FormatRealText(value, kFloatDigits, pattern, decimalSeparator);
}

NumberText FormatText(double value, std::string_view pattern, char decimalSeparator) {
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

}  // namespace kelvor
