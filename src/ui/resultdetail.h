#pragma once

#include <QTextEdit>

class QTreeWidgetItem;

namespace kelvor {

// The pane `resultdetail` under the result list: the selected row whole, its formula, value
// and reference wrapped over a few lines, the value in the list's colour. Read-only, but its
// text can be selected and copied.
class ResultDetail : public QTextEdit {
    Q_OBJECT
public:
    explicit ResultDetail(QWidget* parent = nullptr);
    // The row's three columns as one sentence ("... = 0.43 < 1.0 (3/3.1)"); nothing for null.
    void ShowItem(const QTreeWidgetItem* item);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    QString html_;  // what is shown, so that a run that changes nothing sets nothing
};

}  // namespace kelvor
