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
    // Rows are selected to be copied: one, several or all.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(false);
    // "Interaction Ratio" gets a tenth of the width: rather two lines than a clipped heading.
    header()->setTextElideMode(Qt::ElideNone);
}

QString ResultListView::SelectedText() const {
    QStringList lines;
    const bool all = selectedItems().isEmpty();
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = topLevelItem(i);
        if (all || item->isSelected()) {
            lines << item->text(0) + '\t' + item->text(1) + '\t' + item->text(2);
        }
    }
    return lines.join('\n') + (lines.isEmpty() ? QString() : QStringLiteral("\n"));
}

namespace {

// A field of a CSV line: quoted when it holds a comma, a quote or a line end, quotes doubled.
QString CsvField(QString text) {
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
        text.contains(QLatin1Char('\n'))) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

}  // namespace

QString ResultListView::CsvText() const {
    QString out;
    const QTreeWidgetItem* header = headerItem();
    const auto line = [&out](const QTreeWidgetItem* item) {
        out += CsvField(item->text(0)) + ',' + CsvField(item->text(1)) + ',' +
               CsvField(item->text(2)) + QStringLiteral("\r\n");
    };
    line(header);
    for (int i = 0; i < topLevelItemCount(); ++i) {
        line(topLevelItem(i));
    }
    return out;
}

void ResultListView::Show(const ResultList& list) {
    // Every edit shows a new list, mostly the same rows with new numbers: the items are kept and
    // only what changed is set, so that only the changed cells are painted again. Rebuilding
    // them made the view lay itself out again for every row and cell, some 0.7 ms per edit.
    ShowColumns(list);
    const int count = static_cast<int>(list.rows.size());
    while (topLevelItemCount() > count) {
        delete takeTopLevelItem(topLevelItemCount() - 1);
    }
    if (topLevelItemCount() < count) {
        QList<QTreeWidgetItem*> added;
        for (int i = topLevelItemCount(); i < count; ++i) {
            auto* item = new QTreeWidgetItem;
            item->setTextAlignment(1, Qt::AlignHCenter | Qt::AlignVCenter);
            added << item;
        }
        addTopLevelItems(added);
    }
    for (int i = 0; i < count; ++i) {
        ShowRow(topLevelItem(i), list.rows[static_cast<std::size_t>(i)]);
    }
    // The rows may have brought or taken the scroll bar, which the columns share the width with.
    ApplyColumnWidths();
}

void ResultListView::ShowColumns(const ResultList& list) {
    QStringList headers;
    std::vector<double> shares;
    for (const ResultColumn& column : list.columns) {
        headers << QString::fromStdString(column.header);
        shares.push_back(column.widthShare);
    }
    const bool same =
        columnCount() == static_cast<int>(list.columns.size()) && shares == shares_ && [&] {
            for (int c = 0; c < columnCount(); ++c) {
                if (headerItem()->text(c) != headers[c]) {
                    return false;
                }
            }
            return true;
        }();
    if (same) {
        return;
    }
    shares_ = std::move(shares);
    setColumnCount(static_cast<int>(list.columns.size()));
    for (std::size_t c = 0; c < list.columns.size(); ++c) {
        const Qt::Alignment align =
            list.columns[c].align == ColumnAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
        headerItem()->setTextAlignment(
            static_cast<int>(c),
            Qt::Alignment::fromInt(align | Qt::AlignVCenter | Qt::TextWordWrap));
    }
    setHeaderLabels(headers);
}

void ResultListView::ShowRow(QTreeWidgetItem* item, const ResultListRow& row) {
    const QString texts[] = {QString::fromStdString(row.text), QString::fromStdString(row.value),
                             QString::fromStdString(row.reference)};
    for (int c = 0; c < 3; ++c) {
        if (item->text(c) != texts[c]) {
            item->setText(c, texts[c]);
        }
    }
    // A formula longer than its column is cut; the tip shows it whole.
    if (item->toolTip(0) != texts[0]) {
        item->setToolTip(0, texts[0]);
    }
    if (item->toolTip(2) != texts[2]) {
        item->setToolTip(2, texts[2]);
    }
    // Headings, notes and a failure have nothing in the other columns: give them the width.
    const bool spanned = row.value.empty() && row.reference.empty();
    if (item->isFirstColumnSpanned() != spanned) {
        item->setFirstColumnSpanned(spanned);
    }
    QFont rowFont = font();
    rowFont.setBold(row.bold);
    QFont valueFont = rowFont;
    QColor valueColour = ToColor(row.colour);
    if (!row.value.empty()) {
        valueFont = font();
        valueFont.setBold(row.valueBold || row.bold);
        valueColour = ToColor(row.valueColour);
    }
    const QColor rowColour = ToColor(row.colour);
    for (int c = 0; c < 3; ++c) {
        const QFont& cellFont = c == 1 ? valueFont : rowFont;
        const QColor& cellColour = c == 1 ? valueColour : rowColour;
        if (item->font(c) != cellFont) {
            item->setFont(c, cellFont);
        }
        if (item->foreground(c).color() != cellColour) {
            item->setForeground(c, cellColour);
        }
    }
}

void ResultListView::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    ApplyColumnWidths();
}

void ResultListView::ApplyColumnWidths() {
    // Each run calls this: what is already so is left alone, so that it costs no layout.
    const int width = viewport()->width();
    bool wrapped = false;
    for (std::size_t c = 0; c < shares_.size(); ++c) {
        const int column = static_cast<int>(c);
        const int share = static_cast<int>(shares_[c] * width);
        if (columnWidth(column) != share) {
            setColumnWidth(column, share);
        }
        const int needed =
            header()->fontMetrics().horizontalAdvance(headerItem()->text(column)) + 12;
        wrapped = wrapped || columnWidth(column) < needed;
    }
    const int line = header()->fontMetrics().lineSpacing();
    const int height = wrapped ? 2 * line + 8 : line + 8;
    if (header()->minimumHeight() != height || header()->maximumHeight() != height) {
        header()->setFixedHeight(height);
    }
}

}  // namespace kelvor
