#include "ui/resultdetail.h"

#include <QTreeWidgetItem>

namespace kelvor {

namespace {

// Two lines hold the longest formula of the list at the window's first width.
constexpr int kLines = 2;

QString Styled(const QTreeWidgetItem& item, int column) {
    const QString text = item.text(column).toHtmlEscaped();
    const QString colour = item.foreground(column).color().name();
    const QString weight =
        item.font(column).bold() ? QStringLiteral("bold") : QStringLiteral("normal");
    return QStringLiteral("<span style=\"color:%1; font-weight:%2\">%3</span>")
        .arg(colour, weight, text);
}

}  // namespace

ResultDetail::ResultDetail(QWidget* parent) : QTextEdit(parent) {
    setObjectName(QStringLiteral("resultdetail"));
    setReadOnly(true);
    setTabChangesFocus(true);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setPlaceholderText(QStringLiteral("Select a result row to read its formula here in full."));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    document()->setDocumentMargin(3);
}

QSize ResultDetail::sizeHint() const {
    const int frame = 2 * frameWidth();
    const int margin = 2 * static_cast<int>(document()->documentMargin());
    return {QTextEdit::sizeHint().width(), kLines * fontMetrics().lineSpacing() + frame + margin};
}

QSize ResultDetail::minimumSizeHint() const {
    return {QTextEdit::minimumSizeHint().width(), sizeHint().height()};
}

void ResultDetail::ShowItem(const QTreeWidgetItem* item) {
    QString html;
    if (item) {
        // One sentence: the formula ends in "=" (mostly with a blank after it), the reference
        // starts with blanks.
        const QString& formula = item->text(0);
        const bool blank =
            !item->text(1).isEmpty() && !formula.isEmpty() && !formula.back().isSpace();
        html = QStringLiteral("<p style=\"white-space:pre-wrap\">") + Styled(*item, 0) +
               (blank ? QStringLiteral(" ") : QString()) + Styled(*item, 1) + Styled(*item, 2) +
               QStringLiteral("</p>");
    }
    if (html != html_) {
        html_ = html;
        if (html.isEmpty()) {
            clear();
        } else {
            setHtml(html);
        }
    }
}

}  // namespace kelvor
