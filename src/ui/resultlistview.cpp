#include "ui/resultlistview.h"

#include <QHeaderView>

#include "core/resultlist.h"

namespace kelvor {

namespace {

QColor ToColor(Rgb rgb) {
    return QColor((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
}

}  // namespace

ResultListView::ResultListView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("ListView1"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(false);
    // "Interaction Ratio" gets a tenth of the width: rather two lines than a clipped heading.
    header()->setTextElideMode(Qt::ElideNone);
}

void ResultListView::Show(const ResultList& list) {
    clear();
    QStringList headers;
    shares_.clear();
    setColumnCount(static_cast<int>(list.columns.size()));
    for (std::size_t c = 0; c < list.columns.size(); ++c) {
        headers << QString::fromStdString(list.columns[c].header);
        shares_.push_back(list.columns[c].widthShare);
        const Qt::Alignment align =
            list.columns[c].align == ColumnAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
        headerItem()->setTextAlignment(
            static_cast<int>(c),
            Qt::Alignment::fromInt(align | Qt::AlignVCenter | Qt::TextWordWrap));
    }
    setHeaderLabels(headers);
    for (const ResultListRow& row : list.rows) {
        auto* item = new QTreeWidgetItem(this);
        item->setText(0, QString::fromStdString(row.text));
        item->setText(1, QString::fromStdString(row.value));
        item->setText(2, QString::fromStdString(row.reference));
        item->setTextAlignment(1, Qt::AlignHCenter | Qt::AlignVCenter);
        // A formula longer than its column is cut; the tip shows it whole.
        item->setToolTip(0, item->text(0));
        item->setToolTip(2, item->text(2));
        // Headings, notes and a failure have nothing in the other columns: give them the width.
        item->setFirstColumnSpanned(row.value.empty() && row.reference.empty());
        QFont rowFont = font();
        rowFont.setBold(row.bold);
        for (int c = 0; c < 3; ++c) {
            item->setFont(c, rowFont);
            item->setForeground(c, ToColor(row.colour));
        }
        if (!row.value.empty()) {
            QFont valueFont = font();
            valueFont.setBold(row.valueBold || row.bold);
            item->setFont(1, valueFont);
            item->setForeground(1, ToColor(row.valueColour));
        }
    }
    ApplyColumnWidths();
}

void ResultListView::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    ApplyColumnWidths();
}

void ResultListView::ApplyColumnWidths() {
    const int width = viewport()->width();
    bool wrapped = false;
    for (std::size_t c = 0; c < shares_.size(); ++c) {
        const int column = static_cast<int>(c);
        setColumnWidth(column, static_cast<int>(shares_[c] * width));
        const int needed =
            header()->fontMetrics().horizontalAdvance(headerItem()->text(column)) + 12;
        wrapped = wrapped || columnWidth(column) < needed;
    }
    const int line = header()->fontMetrics().lineSpacing();
    header()->setFixedHeight(wrapped ? 2 * line + 8 : line + 8);
}

}  // namespace kelvor
