#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/decimalscale.h"
#include "core/plainpattern.h"

namespace kelvor {

using decimal::DividedByPowerOf10;
using decimal::kPowersOf10;
using decimal::WriteDigits;

// The longest text: a sign, 24 integer places, the point and 18 decimals; a scientific text is
// shorter (18 digits, the point, "E+" and at most 8 exponent digits).
static_assert(kPlainTextMax >= 1 + 24 + 1 + 18);

namespace {

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
    return WriteDigits(end, magnitude, std::max(digits, static_cast<int>(layout.expMin)));
}

// The value in units of its last place (value = n * 10^-fracPlaces), rounded as the decimal
// image rounds it: to the image's digits first, then half away from zero at the last place.
// False where it does not fit 64 bits.
bool UnitsOfLastPlace(double magnitude, int significantDigits, int fracPlaces, std::uint64_t& n) {
    if (magnitude == 0) {
        n = 0;
        return true;
    }
    if (decimal::RoundedToPlaces(magnitude, significantDigits, fracPlaces, n)) {
        return true;
    }
    std::uint64_t rounded = 0;
    int pointPos = 0;
    if (!decimal::ScaledImage(magnitude, significantDigits, rounded, pointPos)) {
        return false;
    }
    const int places = pointPos + fracPlaces;
    if (places > 18) {
        return false;
    }
    const int drop = significantDigits - places;
    n = 0;
    if (drop <= 0) {
        n = rounded * kPowersOf10[static_cast<std::size_t>(-drop)];
    } else if (drop <= significantDigits) {
        std::uint64_t dropped = 0;
        n = DividedByPowerOf10(rounded, drop, dropped);
        if (dropped >= kPowersOf10[static_cast<std::size_t>(drop)] / 2) {
            ++n;
        }
    }
    return true;
}

}  // namespace

char* FormatPlain(double value, int significantDigits, const PlainPattern& layout, char separator,
                  char* text) {
    const double magnitude = std::fabs(value);
    if (!(magnitude <= std::numeric_limits<double>::max())) {
        return nullptr;  // NaN or infinite
    }
    char* end = text;
    if (layout.exponentMark != 0) {
        std::uint64_t rounded = 0;
        int pointPos = 0;
        if (magnitude == 0 ||
            !decimal::ScaledImage(magnitude, significantDigits, rounded, pointPos)) {
            return nullptr;
        }
        if (value < 0) {
            *end++ = '-';
        }
        return WriteScientific(end, rounded, pointPos, significantDigits, layout, separator);
    }
    std::uint64_t n = 0;
    if (!UnitsOfLastPlace(magnitude, significantDigits, layout.fracPlaces, n)) {
        return nullptr;
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

}  // namespace kelvor
