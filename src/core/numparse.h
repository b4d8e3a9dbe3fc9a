// Reading numbers typed by users, from the material table and from batch files. Users write
// either a point or a comma as decimal separator whatever their system's number format says,
// so both are accepted in either setting; the setting only decides how text that is not a clean
// number is treated.
#pragma once

#include <stdexcept>
#include <string_view>

namespace kelvor {

// The text is not a number although the comma setting requires one. The main window shows the
// message as it is; the table and batch readers stop reading.
struct TypeMismatch : std::runtime_error {
    TypeMismatch() : std::runtime_error("Input string mismatch ") {}
};

// The decimal mode for the system's decimal point: 0 when the number 1.1 formatted with "0.0"
// reads "1.1" (point setting), 1 otherwise (comma setting).
int DetectDecimalSeparator(char localeDecimalPoint);

// Reads a number, rounded to single precision. Blanks are spaces and tabs.
//
// Point setting (decimalMode 0): every ',' counts as '.', blanks anywhere are skipped and the
// longest leading number is read ([sign] digits [. digits] [E|D [sign] digits]); the rest of
// the text is ignored and a text without a leading number gives 0.
//
// Comma setting (any other mode): every '.' counts as ','; after leading blanks the text must be
// exactly one number with ',' as decimal point, optionally followed by blanks, else
// TypeMismatch. An empty text is a mismatch.
//
// In both settings a value beyond the single-precision range (such as "1e39") throws
// TypeMismatch rather than turning into an infinity that would poison every later result;
// values too small for single precision become denormals or zero.
float ParseNumber(std::string_view text, int decimalMode);

// Reads a number that must be the whole text, alike in both settings: blanks anywhere are
// skipped ("3 000"), ',' and '.' both mark the decimals, and anything else ("-1OO" with the
// letter O, "20mm", "nan", an empty text) throws TypeMismatch. A batch file's panels must not
// depend on the locale of the machine that runs them.
float ParseNumberStrict(std::string_view text);

}  // namespace kelvor
