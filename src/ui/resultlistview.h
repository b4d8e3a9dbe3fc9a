#pragma once

#include <QTreeWidget>
#include <array>
#include <vector>

namespace kelvor {

struct ResultList;
struct ResultListRow;

// The result list `ListView1`: three columns in report layout, filled from the record's model.
// After every run the value and reference columns take the width their texts need and the
// formula column what is left (its rows cut short, the detail pane showing the selected one
// whole); a column the user has dragged to a width keeps it for as long as the window lives.
class ResultListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit ResultListView(QWidget* parent = nullptr);
    void Show(const ResultList& list);
    // The selected rows (every row when none is selected), their three columns joined by tabs,
    // one row a line: what a spreadsheet takes when pasted.
    QString SelectedText() const;
    // Every row as comma-separated values, with the headings first.
    QString CsvText() const;
    // The row the detail pane shows: the current row when it is selected, else the first
    // selected one; null when none is.
    const QTreeWidgetItem* DetailItem() const;

signals:
    // The detail row is another one, or its texts changed.
    void detailChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowColumns(const ResultList& list);
    void ShowRow(QTreeWidgetItem* item, const ResultListRow& row, std::array<int, 3>& widths);
    void ApplyColumnWidths();
    std::vector<double> shares_;
    // The width each row's cells need, 0 for the cells of a row spanning the list.
    std::vector<std::array<int, 3>> needed_;
    std::array<int, 3> dragged_{};  // widths the user gave the columns, 0 where none
    bool fitting_ = false;          // the columns' widths are being set by the view itself
};

}  // namespace kelvor
