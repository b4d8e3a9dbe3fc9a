// Number-to-text conversions. Every number the program shows or writes goes through these so
// that results, reports, batch columns and project files agree to the last character.
//
// All conversions start from the value's decimal image: a float's exact value rounded to 7
// significant digits, a double's to 15, ties away from zero. Later rounding happens on those
// decimal digits, never on the binary value, so 0.075 with "0.00" gives "0.08". Keep each call
// site's operand type as the precision the value is held in: the float and double overloads
// deliberately give different texts for the same binary value.
//
// Non-finite values never throw here: they format as "NaN", "Inf" or "-Inf" whatever the
// pattern, so a failed calculation shows up as text instead of bringing the window down.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "core/plainpattern.h"

namespace kelvor {

// Formats with a picture pattern: '0' and '#' digit placeholders, the first '.' as decimal
// point (printed as decimalSeparator), "E+"/"E-" followed by '0's for scientific notation, and
// every other character copied as a literal. Ties round away from zero; a value that is
// negative before rounding keeps its '-' even when it rounds to zero ("-0.00").
std::string Format(float value, std::string_view pattern, char decimalSeparator = '.');
std::string Format(double value, std::string_view pattern, char decimalSeparator = '.');

// A text of formulas and numbers written with decimal points, with every point that stands
// between two digits written as `separator` instead: the result rows in the comma setting.
// Only for texts whose points between digits are all decimal points; a clause reference
// ("3-2-1/3.11") is not, and is never passed here.
void UseDecimalSeparator(std::string& text, char separator);

// A formatted number held in place rather than in a std::string of its own, for joining into a
// longer text: a result formula joins a dozen numbers, and a run builds a hundred of them.
class NumberText {
public:
    // Room for the longest text of a pattern of placeholders and a point; longer texts (huge
    // values, scientific patterns) are held in a string instead.
    static constexpr std::size_t kCapacity = kPlainTextMax;

    operator std::string_view() const {
        return spilled_ ? std::string_view(spill_) : std::string_view(chars_, size_);
    }
    std::string str() const { return std::string(std::string_view(*this)); }

    char* Buffer() { return chars_; }
    const char* Buffer() const { return chars_; }
    void SetSize(std::size_t size) { size_ = size; }
    void Spill(std::string text) {
        spill_ = std::move(text);
        spilled_ = true;
    }

private:
    // Copied whole by the text joins, past the text's end too: those bytes are never read as
    // text, so they are left as they are rather than cleared for every number.
    char chars_[kCapacity];
    std::size_t size_ = 0;
    bool spilled_ = false;
    std::string spill_;
};

// The same text as Format, held in place. The pattern is a literal, analysed when the program
// is built.
NumberText FormatText(float value, FixedPattern pattern, char decimalSeparator = '.');
NumberText FormatText(double value, FixedPattern pattern, char decimalSeparator = '.');

// Integers are formatted from their exact digits.
std::string Format(int value, std::string_view pattern, char decimalSeparator = '.');

// The general number format: the decimal image without trailing zeros, plain notation for
// decimal exponents -5 < e < 7 (float) or -5 < e < 15 (double), otherwise "d.dddE+XX".
std::string GeneralFormat(float value, char decimalSeparator = '.');
std::string GeneralFormat(double value, char decimalSeparator = '.');

// A real as written to the project file: the general format with '.', and no leading zero
// below 1 (".03", "-.5").
std::string FileReal(float value);
std::string FileReal(double value);

// Rounds to the nearest integer, ties to even (2.5 -> 2), unlike the patterns. Throws
// std::out_of_range when the value is not finite or the result does not fit an int.
int RoundToInt(double value);

// The shortest text that reads back to exactly the same double, for JSON output. JSON has no
// non-finite numbers, so NaN and infinities give "null".
std::string ShortestDouble(double value);

}  // namespace kelvor
