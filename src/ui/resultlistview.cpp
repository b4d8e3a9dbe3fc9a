#include "ui/resultlistview.h"

#include <QHeaderView>
#include <QStyle>
#include <algorithm>

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
    // The value column is as narrow as its numbers: "Interaction Ratio" takes two lines rather
    // than being clipped.
    header()->setTextElideMode(Qt::ElideNone);
    // Only a drag (or a double click on a section's edge) resizes a column behind the view's back.
    connect(header(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (fitting_ || column < 0 || column >= static_cast<int>(dragged_.size())) {
            return;
        }
        dragged_[static_cast<std::size_t>(column)] = width;
        ApplyColumnWidths();
    });
    connect(this, &QTreeWidget::itemSelectionChanged, this, &ResultListView::detailChanged);
    connect(this, &QTreeWidget::currentItemChanged, this, &ResultListView::detailChanged);
}

const QTreeWidgetItem* ResultListView::DetailItem() const {
    const QTreeWidgetItem* current = currentItem();
    if (current && current->isSelected()) {
        return current;
    }
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
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
    needed_.resize(list.rows.size());
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
        const auto k = static_cast<std::size_t>(i);
        ShowRow(topLevelItem(i), list.rows[k], needed_[k]);
    }
    // New texts, new widths; the rows may also have brought or taken the scroll bar.
    ApplyColumnWidths();
    emit detailChanged();
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
    fitting_ = true;  // the new sections' widths are none of the user's
    setColumnCount(static_cast<int>(list.columns.size()));
    for (std::size_t c = 0; c < list.columns.size(); ++c) {
        const Qt::Alignment align =
            list.columns[c].align == ColumnAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
        headerItem()->setTextAlignment(
            static_cast<int>(c),
            Qt::Alignment::fromInt(align | Qt::AlignVCenter | Qt::TextWordWrap));
    }
    setHeaderLabels(headers);
    fitting_ = false;
}

void ResultListView::ShowRow(QTreeWidgetItem* item, const ResultListRow& row,
                             std::array<int, 3>& widths) {
    const QString texts[] = {QString::fromStdString(row.text), QString::fromStdString(row.value),
                             QString::fromStdString(row.reference)};
    bool changed = false;
    for (int c = 0; c < 3; ++c) {
        if (item->text(c) != texts[c]) {
            item->setText(c, texts[c]);
            changed = true;
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
        changed = true;
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
            changed = true;
        }
        if (item->foreground(c).color() != cellColour) {
            item->setForeground(c, cellColour);
        }
    }
    // Measured only when something changed: a row a run leaves as it was costs nothing here.
    if (changed || widths == std::array<int, 3>{}) {
        for (int c = 0; c < 3; ++c) {
            widths[static_cast<std::size_t>(c)] =
                spanned ? 0
                        : QFontMetrics(c == 1 ? valueFont : rowFont).horizontalAdvance(texts[c]);
        }
    }
}

void ResultListView::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    ApplyColumnWidths();
}

namespace {

// The widest word of a heading that may wrap.
int WidestWord(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        widest = std::max(widest, metrics.horizontalAdvance(word));
    }
    return widest;
}

}  // namespace

void ResultListView::ApplyColumnWidths() {
    // A width set here may bring the horizontal scroll bar and so a resize of the viewport,
    // which calls this again: the width it is fitting to stays the same.
    if (columnCount() != 3 || fitting_) {
        return;
    }
    // What each column needs: its widest cell with the margins the item delegate draws, and its
    // heading (the value column's may take two lines, so only its longest word counts).
    const int margins = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    const QFontMetrics headings = header()->fontMetrics();
    constexpr int kHeadingMargin = 12;
    std::array<int, 3> need{};
    for (const std::array<int, 3>& row : needed_) {
        for (std::size_t c = 0; c < 3; ++c) {
            need[c] = std::max(need[c], row[c]);
        }
    }
    for (std::size_t c = 0; c < 3; ++c) {
        const QString heading = headerItem()->text(static_cast<int>(c));
        const int headingWidth =
            c == 1 ? WidestWord(headings, heading) : headings.horizontalAdvance(heading);
        need[c] = std::max(need[c] + margins + 2, headingWidth + kHeadingMargin);
    }
    // The value and the reference are short and must show whole; the formula gives way (the
    // detail pane shows it whole), though never below a few words; what is left over goes to the
    // reference, so that a value stands right after its formula. A dragged width is kept.
    const int width = viewport()->width();
    const int fewWords = fontMetrics().averageCharWidth() * 16;
    std::array<int, 3> w{};
    for (std::size_t c = 0; c < 3; ++c) {
        w[c] = dragged_[c] > 0 ? dragged_[c] : need[c];
    }
    if (dragged_[0] == 0) {
        w[0] = std::max(fewWords, std::min(need[0], width - w[1] - w[2]));
    }
    if (dragged_[2] == 0) {
        w[2] = std::max(w[2], width - w[0] - w[1]);
    }
    fitting_ = true;
    bool wrapped = false;
    for (int c = 0; c < 3; ++c) {
        if (columnWidth(c) != w[static_cast<std::size_t>(c)]) {
            setColumnWidth(c, w[static_cast<std::size_t>(c)]);
        }
        wrapped = wrapped || columnWidth(c) <
                                 headings.horizontalAdvance(headerItem()->text(c)) + kHeadingMargin;
    }
    fitting_ = false;
    const int line = headings.lineSpacing();
    const int height = wrapped ? 2 * line + 8 : line + 8;
    if (header()->minimumHeight() != height || header()->maximumHeight() != height) {
        header()->setFixedHeight(height);
    }
}

}  // namespace kelvor
