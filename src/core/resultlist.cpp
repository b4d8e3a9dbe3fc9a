#include "core/resultlist.h"

#include <array>

#include "core/concat.h"

namespace kelvor {

Rgb PaletteColour(int index) {
    static constexpr std::array<Rgb, 16> kPalette = {
        RgbOf(0, 0, 0),       RgbOf(0, 0, 128),   RgbOf(0, 128, 0),   RgbOf(0, 128, 128),
        RgbOf(128, 0, 0),     RgbOf(128, 0, 128), RgbOf(128, 128, 0), RgbOf(192, 192, 192),
        RgbOf(128, 128, 128), RgbOf(0, 0, 255),   RgbOf(0, 255, 0),   RgbOf(0, 255, 255),
        RgbOf(255, 0, 0),     RgbOf(255, 0, 255), RgbOf(255, 255, 0), RgbOf(255, 255, 255),
    };
    return index >= 0 && index < 16 ? kPalette[static_cast<std::size_t>(index)] : kPalette[0];
}

void ResultList::Reset() {
    filled_ = 0;
    // Every run resets the list: copying over the previous run's columns reuses their storage,
    // where assigning a fresh list would allocate the header texts again.
    static const std::vector<ResultColumn> kStandardColumns = {
        {"Control", 0.7, ColumnAlign::Left},
        {"Interaction Ratio", 0.1, ColumnAlign::Centre},
        {"Reference ", 0.15, ColumnAlign::Left},
    };
    columns = kStandardColumns;
    deformationBoxVisible = true;
}

ResultListRow& ResultList::AppendRow() {
    if (filled_ == rows.size()) {
        ++filled_;
        return rows.emplace_back();
    }
    ResultListRow& row = rows[filled_++];
    row.text.clear();
    row.value.clear();
    row.reference.clear();
    row.bold = false;
    row.colour = 0;
    row.valueBold = false;
    row.valueColour = 0;
    return row;
}

void ResultList::Finish() {
    rows.resize(filled_);
}

void ResultList::AppendPlain(std::string_view text) {
    AppendRow().text = text;
}

void ResultList::AppendHeading(std::string_view text) {
    ResultListRow& row = AppendRow();
    row.text = text;
    row.bold = true;
}

void ResultList::AppendLine(const ResultLine& line) {
    ResultListRow& row = AppendRow();
    AssignConcat(row.text, line.label, line.formula);
    row.value = line.value;
    row.reference = line.reference;
    row.valueBold = true;
    row.valueColour = PaletteColour(line.status);
}

}  // namespace kelvor
