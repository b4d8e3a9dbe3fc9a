// The batch window against a stand-in main window: opening a batch file, choosing a panel,
// writing the results and the failures as steps, and a long run that stays responsive and can
// be cancelled.
#include <QAction>
#include <QProgressDialog>
#include <QTimer>

#include "engine/batchrun.h"
#include "guitest.h"
#include "profiles/catalogue.h"
#include "ui/batchwindow.h"
#include "ui/windowlinks.h"

using namespace kelvor;
using namespace guitest;

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class BatchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void steps_data() { AddCases("batch_steps.tsv"); }
    void steps() {
        FakeHost host;
        Messages said;
        BatchWindow* w = nullptr;
        int mark = 0;
        RunCase(
            "batch_steps.tsv", [&] { return w ? static_cast<QWidget*>(w) : &host.owner; },
            [&]() -> ProjectHost& { return host; }, said,
            [&](const QString& step, const QString& name, const QString& value, QString& shown) {
                const auto yes = [](bool b) { return b ? QStringLiteral("true") : "false"; };
                if (step == "show") {
                    ShowBatchWindow(host, &host.owner);
                    w = host.owner.findChild<BatchWindow*>(QStringLiteral("database"));
                } else if (step == "copy") {
                    QFile::copy(QString::fromStdString(testdata::DataPath("gui/")) + name, value);
                } else if (step == "open") {
                    shown = yes(w->OpenFile(name));
                } else if (step == "choose") {
                    w->findChild<QComboBox*>(name)->setCurrentIndex(value.toInt());
                } else if (step == "save") {
                    shown = yes(w->SaveResults());
                } else if (step == "trigger") {
                    w->findChild<QAction*>(name)->trigger();
                } else if (step == "folder") {
                    QDir().mkdir(name);
                } else if (step == "mark") {
                    mark = host.recalculations;
                } else if (step == "runs") {
                    shown = QString::number(host.recalculations - mark);
                } else if (step == "refreshed") {
                    shown = yes(host.refreshes > 0);
                } else if (step == "entries") {
                    auto* list = w->findChild<QComboBox*>(QStringLiteral("cbodatabase"));
                    QStringList texts;
                    for (int i = 0; i < list->count(); ++i) {
                        texts << list->itemText(i);
                    }
                    shown = texts.join('|');
                } else if (step == "results") {
                    // The window's run gives the file the batch writer gives.
                    Project p = host.p;
                    const QString reference = name + ".reference";
                    WriteBatchResults(p, host.t, w->table(), reference.toStdString(),
                                      DecimalSeparatorOf(p));
                    const QByteArray written = Read(name);
                    shown = QString::number(written.count("\r\n")) + " lines, " +
                            (written == Read(reference) ? "as the batch writer" : "not");
                } else {
                    return false;
                }
                return true;
            });
    }

    // Thousands of panels: events are handled while they run, the progress follows, and a
    // cancelled run writes nothing.
    void longRunStaysResponsiveAndCanBeCancelled() {
        QTemporaryDir dir;
        FakeHost host;
        Messages said;
        BatchWindow w(host, &host.owner);
        const QList<QByteArray> lines =
            Read(QString::fromStdString(testdata::DataPath("gui/panels.kvi"))).split('\n');
        QByteArray content = lines[0] + '\n';
        for (int i = 0; i < 9999; ++i) {
            content += lines[1 + i % 3] + '\n';
        }
        QFile file(dir.filePath(QStringLiteral("many.kvi")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content + "End\r\n") > 0);
        file.close();
        QVERIFY(w.OpenFile(file.fileName()));
        bool midRun = false;
        QTimer poll;  // runs whenever the run lets events through
        connect(&poll, &QTimer::timeout, &w, [&] {
            auto* progress = w.findChild<QProgressDialog*>(QStringLiteral("batchprogress"));
            if (progress != nullptr && progress->value() > 0 &&
                progress->value() < progress->maximum()) {
                midRun = true;
                progress->cancel();
            }
        });
        poll.start(0);
        QVERIFY(!w.SaveResults());
        QVERIFY(midRun);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("many.kvo"))));
        QCOMPARE(said.Texts(), QStringList());
    }
};

QTEST_MAIN(BatchWindowTest)
#include "test_batchwindow.moc"
