// The design search window on the real main window, as steps (tests/data/gui/search_steps.tsv):
// opened from the Tools menu, a search run on its worker thread, the table sorted, a panel
// applied, a run cancelled, a window closed (and destroyed) while it runs, a space refused.
#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>

#include "guitest.h"
#include "ui/searchchart.h"
#include "ui/searchdialog.h"

using namespace kelvor;
using namespace guitest;

class SearchDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { harness_.SetUp(); }
    void init() { harness_.Reset(); }

    void steps_data() { AddCases("search_steps.tsv"); }
    void steps() {
        auto w = harness_.Start();
        SearchDialog* d = nullptr;
        QWidget* current = w.get();
        const auto yes = [](bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); };
        // Runs the search and waits for its answer; with `cancel`, cancels it once it started.
        const auto run = [&](bool cancel) {
            QSignalSpy done(d, &SearchDialog::finished);
            if (!d->Run()) {
                return false;
            }
            if (cancel) {
                QTimer::singleShot(50, d, [d] { Click(d->findChild<QWidget*>("searchcancel")); });
            }
            return done.wait(30000);
        };
        RunCase(
            "search_steps.tsv", [&] { return current; }, [&w]() -> ProjectHost& { return *w; },
            harness_,
            [&](const QString& step, const QString& name, const QString& value, QString& shown) {
                if (step == "search") {
                    w->findChild<QAction*>(QStringLiteral("mnusearch"))->trigger();
                    d = w->findChild<SearchDialog*>(QStringLiteral("searchdialog"));
                    current = d;
                } else if (step == "main") {
                    current = w.get();
                } else if (step == "spin") {
                    auto* spin = d->findChild<QDoubleSpinBox*>(name);
                    if (spin) {
                        spin->setValue(value.toDouble());
                    } else {
                        d->findChild<QSpinBox*>(name)->setValue(value.toInt());
                    }
                    shown = value;
                } else if (step == "check") {
                    d->findChild<QCheckBox*>(name)->setChecked(value == "true");
                } else if (step == "list") {
                    d->findChild<QComboBox*>(name)->setCurrentIndex(value.toInt());
                } else if (step == "start") {  // without waiting for the answer
                    shown = yes(d->Run());
                } else if (step == "run") {
                    shown = yes(run(false));
                } else if (step == "cancel") {
                    shown = yes(run(true) && d->result().cancelled);
                } else if (step == "cell") {  // row,column of the table as shown
                    const QStringList at = name.split(',');
                    QTableWidgetItem* item =
                        d->findChild<QTableWidget*>(QStringLiteral("searchresults"))
                            ->item(at[0].toInt(), at[1].toInt());
                    shown = item ? item->text() : QStringLiteral("(none)");
                } else if (step == "sort") {  // as a click on the column header sorts
                    auto* table = d->findChild<QTableWidget*>(QStringLiteral("searchresults"));
                    table->sortByColumn(name.toInt(), value == "down" ? Qt::DescendingOrder
                                                                      : Qt::AscendingOrder);
                } else if (step == "select") {
                    d->findChild<QTableWidget*>(QStringLiteral("searchresults"))
                        ->selectRow(name.toInt());
                } else if (step == "plotted") {
                    shown = QString::number(d->result().points.size()) + " points, " +
                            QString::number(d->result().front.size()) + " on the curve";
                } else {
                    return false;
                }
                return true;
            });
        if (d) {
            d->close();
        }
    }

private:
    Harness harness_;
};

QTEST_MAIN(SearchDialogTest)
#include "test_searchdialog.moc"
