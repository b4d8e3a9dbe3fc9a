#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/resultline.h"

namespace kelvor {

// An RGB colour, 0xRRGGBB.
using Rgb = std::uint32_t;

constexpr Rgb RgbOf(int r, int g, int b) {
    return (static_cast<Rgb>(r) << 16) | (static_cast<Rgb>(g) << 8) | static_cast<Rgb>(b);
}

// The basic 16-colour palette that status words index.
Rgb PaletteColour(int index);

constexpr Rgb kPureRed = RgbOf(255, 0, 0);

enum class ColumnAlign { Left, Centre };

struct ResultColumn {
    std::string header;
    double widthShare;  // fraction of the list's width
    ColumnAlign align;
};

// One row of the result list: a text, two cell texts, a bold flag and colour for the row and
// for the cell of column 2.
struct ResultListRow {
    std::string text;
    std::string value;
    std::string reference;
    bool bold = false;
    Rgb colour = 0;
    bool valueBold = false;
    Rgb valueColour = 0;
};

// The result list as a model: the window, the report and the command-line tool all show it.
struct ResultList {
    std::vector<ResultColumn> columns;
    std::vector<ResultListRow> rows;
    // The "- Include deformation" box is only usable in buckling mode.
    bool deformationBoxVisible = true;

    // A fill of the list: Reset, the Append calls, then Finish. The rows of the fill before are
    // written over in place, so that their texts keep their storage: every run fills the list
    // again with much the same texts, which then need no allocation. Until Finish, rows past
    // Count() are left over from that fill.
    void Reset();  // no rows, the three standard columns
    void AppendPlain(std::string_view text);
    void AppendHeading(std::string_view text);
    void AppendLine(const ResultLine& line);
    // A new row, plain and black, at the end.
    ResultListRow& AppendRow();
    std::size_t Count() const { return filled_; }
    void Finish();  // drops the rows left over

private:
    std::size_t filled_ = 0;
};

}  // namespace kelvor
