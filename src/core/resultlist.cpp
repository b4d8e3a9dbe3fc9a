#include "core/resultlist.h"

#include <array>

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
    rows.swap(recycled);
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

ResultListRow& ResultList::AppendRow() {
    const std::size_t index = rows.size();
    if (index >= recycled.size()) {
        return rows.emplace_back();
    }
    ResultListRow& row = rows.emplace_back();
    // Cleared texts keep their storage.
    row.text = std::move(recycled[index].text);
    row.value = std::move(recycled[index].value);
    row.reference = std::move(recycled[index].reference);
    row.text.clear();
    row.value.clear();
    row.reference.clear();
    return row;
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
    row.text.reserve(line.label.size() + line.formula.size());
    row.text.append(line.label).append(line.formula);
    row.value = line.value;
    row.reference = line.reference;
    row.valueBold = true;
    row.valueColour = PaletteColour(line.status);
}

}  // namespace kelvor
