// Decimal scaling of binary floating-point values in integer arithmetic: the common ground of
// the number formats, which round every number of every result text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kelvor::decimal {

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

constexpr auto kPowersOf10 = PowersOf(10);

// "00" to "99": digits are written two at a time.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t n = 0; n < 100; ++n) {
        pairs[2 * n] = static_cast<char>('0' + n / 10);
        pairs[2 * n + 1] = static_cast<char>('0' + n % 10);
    }
    return pairs;
}();

// The value's decimal image as an integer of exactly `significantDigits` digits (trailing zeros
// included): magnitude ~ rounded * 10^(pointPos - significantDigits). False for magnitudes
// outside what 128-bit integers cover, which need the exact binary expansion instead.
bool ScaledImage(double magnitude, int significantDigits, std::uint64_t& rounded, int& pointPos);

// The magnitude in units of 10^-places, rounded to `significantDigits` first and then half up
// at the place, as ScaledImage and a second rounding give it, but in one step: the two roundings
// differ from one only where the exact value lies just below a half. False where the one step
// does not settle it (magnitudes below 0.1 or from 10^22, and a first rounding at or above the
// place), which leaves it to ScaledImage.
bool RoundedToPlaces(double magnitude, int significantDigits, int places, std::uint64_t& n);

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

inline std::uint64_t DividedByPowerOf10(std::uint64_t n, int k, std::uint64_t& remainder) {
    const Reciprocal& r = kReciprocalsOf10[static_cast<std::size_t>(k)];
    const auto quotient = static_cast<std::uint64_t>((static_cast<Wide>(n) * r.multiplier) >>
                                                     (kReciprocalBits + r.shift));
    remainder = n - quotient * kPowersOf10[static_cast<std::size_t>(k)];
    return quotient;
}

// Writes `count` decimal digits of `n`, zero-padded on the left, and returns the end.
inline char* WriteDigits(char* out, std::uint64_t n, int count) {
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

}  // namespace kelvor::decimal
