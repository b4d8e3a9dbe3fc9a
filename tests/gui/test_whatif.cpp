// The utilisation chart beside the result list and the sweep window, in the real main window
// driven offscreen as steps (tests/data/gui/whatif_steps.tsv).
#include <QAction>
#include <QComboBox>
#include <QTabWidget>

#include "guitest.h"
#include "ui/chartview.h"
#include "ui/filemenu.h"

using namespace kelvor;
using namespace guitest;

namespace {

const char* const kSteps = "whatif_steps.tsv";

// A chart as one line: each bar with its value, colour and mark, or each line with where it meets
// the limit, then the note and the failure.
QString Summary(const ChartData& chart) {
    QStringList parts;
    for (const ChartBar& bar : chart.bars) {
        parts << QString::fromStdString(bar.name) + " " +
                     (bar.checked ? QString::number(bar.value, 'f', 3) +
                                        (bar.passes ? " green" : " red") +
                                        (bar.governing ? " governs" : "")
                                  : QStringLiteral("not checked"));
    }
    for (const ChartSeries& s : chart.series) {
        QString line = QString::fromStdString(s.name);
        for (double x : s.limitAt) {
            line += " " + QString::number(x, 'g', 4);
        }
        parts << line;
    }
    for (const std::string& text : {chart.note, chart.failure}) {
        if (!text.empty()) {
            parts << QString::fromStdString(text);
        }
    }
    return parts.join('|');
}

QByteArray Start(const QString& path, int bytes) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray("(none)");
}

}  // namespace

class WhatIfWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        harness_.SetUp();
        SetFileDialogHook([this](FileDialogKind, const QString&, const QString& preset) {
            asked_ << preset;
            return answer_;
        });
    }
    void init() {
        harness_.Reset();
        asked_.clear();
    }

    void steps_data() { AddCases(kSteps); }
    void steps() {
        auto w = harness_.Start();
        RunCase(
            kSteps, [&w] { return w.get(); }, [&w]() -> ProjectHost& { return *w; }, harness_,
            [&](const QString& step, const QString& name, const QString& value, QString& shown) {
                if (step == "trigger") {
                    w->findChild<QAction*>(name)->trigger();
                    Settle();
                } else if (step == "choose") {  // a list entry by its text's start, as a user
                    auto* combo = w->findChild<QComboBox*>(name);
                    const int index = combo->findText(value, Qt::MatchStartsWith);
                    combo->setCurrentIndex(index);
                    emit combo->activated(index);
                    Settle();
                } else if (step == "page") {
                    w->findChild<QTabWidget*>(name)->setCurrentIndex(value.toInt());
                    Settle();
                } else if (step == "chart") {
                    shown = Summary(w->findChild<ChartView*>(name)->Chart());
                } else if (step == "answer") {
                    answer_ = value;
                } else if (step == "asked") {
                    shown = asked_.join('|');
                    asked_.clear();
                } else if (step == "file") {  // how a file starts, or (none)
                    shown = QString::fromLatin1(Start(name, static_cast<int>(value.size())));
                } else {
                    return false;
                }
                return true;
            });
    }

private:
    Harness harness_;
    QString answer_;
    QStringList asked_;
};

QTEST_MAIN(WhatIfWindowsTest)
#include "test_whatif.moc"
