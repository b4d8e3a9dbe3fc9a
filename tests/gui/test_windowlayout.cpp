// The main window's layout as the user resizes it and the results change: the result list takes
// the height, its columns fit their texts and keep a dragged width, the detail pane shows the
// selected row whole, and a long profile name never widens the window.
#include <QAction>
#include <QHash>
#include <QHeaderView>
#include <QTreeWidget>

#include "guitest.h"
#include "ui/elidedlabel.h"
#include "ui/resultdetail.h"

using namespace kelvor;
using namespace guitest;

namespace {

const char* const kSteps = "windowlayout_steps.tsv";

// A label's text as painted: the text when it shows whole, "(cut)" when it is a beginning of the
// text followed by "…".
QString Painted(QWidget& w, const QString& name) {
    auto* label = w.findChild<ElidedLabel*>(name);
    if (!label) {
        return QStringLiteral("(no eliding label)");
    }
    const QString painted = label->ShownText();
    if (painted == label->text()) {
        return painted;
    }
    const bool cut =
        painted.endsWith(QChar(0x2026)) && label->text().startsWith(painted.chopped(1));
    return cut ? QStringLiteral("(cut)") : painted;
}

// "whole" when a list column is as wide as Qt's own measure of its cells, or when the detail
// pane holds its text without scrolling; "cut" otherwise.
QString Fits(QWidget& w, const QString& name) {
    bool whole = false;
    if (auto* detail = w.findChild<ResultDetail*>(name)) {
        whole = detail->document()->size().height() <= detail->viewport()->height();
    } else {
        const QAbstractItemView* view = List(w);  // the measure is public only here
        whole = List(w)->columnWidth(name.toInt()) >= view->sizeHintForColumn(name.toInt());
    }
    return whole ? QStringLiteral("whole") : QStringLiteral("cut");
}

// Drags the right edge of a column's heading by `by` pixels with the mouse; its width after.
int DragColumnEdge(QWidget& w, int column, int by) {
    QHeaderView* header = List(w)->header();
    const int edge = header->sectionViewportPosition(column) + header->sectionSize(column) - 1;
    const QPoint from(edge, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, from);
    for (int step = 1; step <= 4; ++step) {
        QTest::mouseMove(header->viewport(), from + QPoint(by * step / 4, 0));
    }
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, from + QPoint(by, 0));
    Settle();
    return header->sectionSize(column);
}

QString Growth(QSize by) {
    return QStringLiteral("width %1%2, height %3%4")
        .arg(by.width() < 0 ? "" : "+")
        .arg(by.width())
        .arg(by.height() < 0 ? "" : "+")
        .arg(by.height());
}

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { harness_.SetUp(); }
    void init() { harness_.Reset(); }

    void layoutSteps_data() { AddCases(kSteps); }
    void layoutSteps() {
        auto w = harness_.Start();
        QHash<QString, QSize> measured;
        QHash<int, int> dragged;  // the width the last drag of a column left it at
        const auto size = [&w](const QString& name) {
            return name.isEmpty() ? w->size() : w->findChild<QWidget*>(name)->size();
        };
        RunCase(
            kSteps, [&w] { return w.get(); }, [&w]() -> ProjectHost& { return *w; }, harness_,
            [&](const QString& step, const QString& name, const QString& value, QString& shown) {
                if (step == "resize") {
                    w->resize(name.toInt(), value.toInt());
                    Settle();
                } else if (step == "restart") {
                    w.reset();
                    harness_.Reset();
                    w = harness_.Start();
                } else if (step == "trigger") {
                    w->findChild<QAction*>(name)->trigger();
                    Settle();
                } else if (step == "measure") {
                    measured[name] = size(name);
                } else if (step == "grown") {
                    shown = Growth(size(name) - measured[name]);
                } else if (step == "painted") {
                    shown = Painted(*w, name);
                } else if (step == "fits") {
                    shown = Fits(*w, name);
                } else if (step == "widen") {
                    const int before = List(*w)->columnWidth(name.toInt());
                    dragged[name.toInt()] = DragColumnEdge(*w, name.toInt(), value.toInt());
                    shown = QString::number(dragged[name.toInt()] - before);
                } else if (step == "dragged") {
                    shown = List(*w)->columnWidth(name.toInt()) == dragged[name.toInt()]
                                ? "kept"
                                : "changed";
                } else if (step == "pick") {
                    QTreeWidgetItem* row = RowStartingWith(*w, name);
                    List(*w)->scrollToItem(row);
                    QTest::mouseClick(List(*w)->viewport(), Qt::LeftButton, {},
                                      List(*w)->visualItemRect(row).center());
                    Settle();
                } else {
                    return false;
                }
                return true;
            });
    }

private:
    Harness harness_;
};

QTEST_MAIN(WindowLayoutTest)
#include "test_windowlayout.moc"
