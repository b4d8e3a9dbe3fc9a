#include "core/decimalscale.h"

#include <bit>
#include <limits>

namespace kelvor::decimal {

namespace {

constexpr auto kPowersOf5 = PowersOf(5);

constexpr std::array<double, 23> kExactPowersOf10 = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22,
};

// Where a fraction (in units of 2^-64) rounds up when the first of two roundings falls `drop`
// digits below the second's place: from 0.5 - 0.5 * 10^-drop on, where the first rounding
// already reaches the half that the second rounds up. The smallest f with
// f * 2 * 10^drop >= (10^drop - 1) * 2^64.
constexpr std::array<std::uint64_t, 16> kRoundUpFrom = [] {
    std::array<std::uint64_t, 16> from{};
    for (std::size_t drop = 1; drop < from.size(); ++drop) {
        const Wide scale = kPowersOf10[drop];
        const Wide numerator = (scale - 1) << 63;
        from[drop] = static_cast<std::uint64_t>((numerator + scale - 1) / scale);
    }
    return from;
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

}  // namespace

// Every number of a result text goes through here, a hundred times per run and per batch
// panel, so the usual magnitudes are rounded in integer arithmetic.
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

bool RoundedToPlaces(double magnitude, int significantDigits, int places, std::uint64_t& n) {
    if (!(magnitude >= std::numeric_limits<double>::min()) || places < 0 || places > kMaxScale) {
        return false;
    }
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int e = static_cast<int>(bits >> 52) - 1075;
    int decimalExponent = ((e + 52) * 78913) >> 18;
    if (decimalExponent < -1 || decimalExponent >= 22) {
        return false;
    }
    if (magnitude >= kExactPowersOf10[static_cast<std::size_t>(decimalExponent + 1)]) {
        ++decimalExponent;
    }
    // The first rounding falls `drop` digits below the place.
    const int drop = significantDigits - 1 - decimalExponent - places;
    if (drop < 1 || drop > 15) {
        return false;
    }
    // t = magnitude * 10^places = m * 5^places * 2^(e + places), exactly: its integer part and
    // the fraction's bits below the point.
    const Wide product = static_cast<Wide>(m) * kPowersOf5[static_cast<std::size_t>(places)];
    const int shift = e + places;
    constexpr std::uint64_t kLimit = std::uint64_t{1} << kReciprocalBits;
    if (shift >= 0) {
        // A whole number: no rounding at all.
        if (shift > 10 || (product << shift) >= kLimit) {
            return false;
        }
        n = static_cast<std::uint64_t>(product << shift);
        return true;
    }
    const int fractionBits = -shift;
    if (fractionBits > 64) {
        return false;
    }
    const Wide whole = product >> fractionBits;
    if (whole >= kLimit) {
        return false;
    }
    // The fraction's bits from the point down, as a 64-bit fraction of one.
    const std::uint64_t fraction = static_cast<std::uint64_t>(product) << (64 - fractionBits);
    const bool up = fraction >= kRoundUpFrom[static_cast<std::size_t>(drop)];
    n = static_cast<std::uint64_t>(whole) + (up ? 1 : 0);
    return true;
}

}  // namespace kelvor::decimal
