// The patterns of nearly every result text, formatted on a short path of their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kelvor {

// A pattern of placeholders and at most one point, optionally followed by an exponent
// ("0.00", "#0.0", "00", "0.000E+0"): the patterns of nearly every result text.
// Eight bytes, so that a FixedPattern travels in two registers.
struct PlainPattern {
    bool hasPoint = false;
    std::int8_t intPlaces = 0;
    std::int8_t intMin = 0;
    std::int8_t fracPlaces = 0;
    std::int8_t fracMin = 0;
    char exponentMark = 0;  // 'E' or 'e' when scientific
    bool exponentPlus = false;
    std::int8_t expMin = 0;
};

// False for every other pattern, which the general path formats.
constexpr bool ParsePlainPattern(std::string_view pattern, PlainPattern& layout) {
    if (pattern.size() > 64) {
        return false;  // no count of its could overflow the layout's bytes
    }
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

// A pattern written into the program, analysed when the program is built: a result text formats
// its numbers with a handful of literal patterns, a hundred times per run.
class FixedPattern {
public:
    consteval FixedPattern(const char* text) : text_(text) {  // NOLINT: literals convert
        if (!ParsePlainPattern(text, layout_)) {
            layout_.intPlaces = kNotPlain;
        }
    }

    std::string_view Text() const { return text_; }
    bool IsPlain() const { return layout_.intPlaces != kNotPlain; }
    const PlainPattern& Layout() const { return layout_; }

private:
    static constexpr std::int8_t kNotPlain = -1;

    const char* text_;  // a literal, so terminated
    PlainPattern layout_;
};
static_assert(sizeof(FixedPattern) == 16);

// Fills a plain pattern straight from the value's scaled decimal image, without a digit string
// or a pattern walk. The rounding is the general path's: to the image's digits first, then half
// away from zero at the last place. Writes at most kPlainTextMax characters into `text` and
// returns the end; nullptr for a non-finite value, a value outside the scaled range, or zero in
// a scientific pattern, which the general path formats.
constexpr std::size_t kPlainTextMax = 48;
char* FormatPlain(double value, int significantDigits, const PlainPattern& layout, char separator,
                  char* text);

}  // namespace kelvor
