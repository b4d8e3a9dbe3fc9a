#pragma once

#include <QTreeWidget>

namespace kelvor {

struct ResultList;
struct ResultListRow;

// The result list `ListView1`: three columns in report layout, filled from the record's model.
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

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowColumns(const ResultList& list);
    void ShowRow(QTreeWidgetItem* item, const ResultListRow& row);
    void ApplyColumnWidths();
    std::vector<double> shares_;
};

}  // namespace kelvor
