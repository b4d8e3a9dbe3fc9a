#include "core/resultlist.h"

#include <array>

namespace kelvor {

Rgb PaletteColour(int index) {
    static constexpr std::array<Rgb, 16> kPalette = {
        RgbOf(0, 0, 0),       RgbOf(0, 0, 128),     RgbOf(0, 128, 0),     RgbOf(0, 128, 128),
        RgbOf(128, 0, 0),     RgbOf(128, 0, 128),   RgbOf(128, 128, 0),   RgbOf(192, 192, 192),
        RgbOf(128, 128, 128), RgbOf(0, 0, 255),     RgbOf(0, 255, 0),     RgbOf(0, 255, 255),
        RgbOf(255, 0, 0),     RgbOf(255, 0, 255),   RgbOf(255, 255, 0),   RgbOf(255, 255, 255),
    };
    return index >= 0 && index < 16 ? kPalette[static_cast<std::size_t>(index)] : kPalette[0];
}

void ResultList::Reset() {
    rows.clear();
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

void ResultList::AppendPlain(std::string text) {
    ResultListRow row;
    row.text = std::move(text);
    rows.push_back(std::move(row));
}

void ResultList::AppendHeading(std::string text) {
    ResultListRow row;
    row.text = std::move(text);
    row.bold = true;
    rows.push_back(std::move(row));
}

void ResultList::AppendLine(const ResultLine& line) {
    // Built in place, the row text in one allocation: this runs for every line of every run.
    ResultListRow& row = rows.emplace_back();
    row.text.reserve(line.label.size() + line.formula.size());
    row.text.append(line.label).append(line.formula);
    row.value = line.value;
    row.reference = line.reference;
    row.valueBold = true;
    row.valueColour = PaletteColour(line.status);
}

}  // namespace kelvor
