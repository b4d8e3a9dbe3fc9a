// The batch window against a stand-in main window: opening a batch file, choosing a panel,
// writing the results, the failures, and a long run that stays responsive and can be cancelled.
#include <QAction>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include "files/batchfile.h"
#include "guitest.h"
#include "profiles/catalogue.h"
#include "ui/batchwindow.h"
#include "ui/windowlinks.h"

using namespace kelvor;
using namespace guitest;

namespace {

QByteArray Panel(const QByteArray& id, int span = 3000) {
    return "Platform X\t" + id + "\t0\t1.43\t0.6\t355\t470\t355\t470\t206000\t1\t3\t0\tLR\t" +
           "200x90x9x14\tTG\t800x200x10x20\t" + QByteArray::number(span) + "\t3000\t9000\t" +
           "5400\t3000\t20\t600\t650\t-100\t-100\t-50\t-50\t10\t0.03\t0.03\r\n";
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& content) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return path;
}

QString ThreePanels(const QTemporaryDir& dir) {
    return Write(dir, QStringLiteral("panels.kvi"),
                 "% Deck panels\r\n" + Panel("P1", 2800) + Panel("P2", 3000) + Panel("P3", 3200) +
                     "End\r\n");
}

QByteArray Read(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

}  // namespace

class BatchWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Open lists the entries and loads the first panel; another entry loads its panel, a heading
    // nothing; Save writes the results beside the input, as the batch writer does; the failures
    // say why and keep the last good file.
    void openChooseSaveAndTheFailures() {
        QTemporaryDir dir;
        FakeHost host;
        Messages said;
        BatchWindow w(host, &host.owner);
        auto* list = w.findChild<QComboBox*>(QStringLiteral("cbodatabase"));
        auto* save = w.findChild<QAction*>(QStringLiteral("mnufilesave"));
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->itemText(0), QString());
        QVERIFY(!list->isEnabled() && !save->isEnabled());
        const QString missing = dir.filePath(QStringLiteral("none.kvi"));
        QVERIFY(!w.OpenFile(missing));
        QCOMPARE(said.Texts(), QStringList{Message("missing", missing)});
        QVERIFY(!list->isEnabled());
        said.said.clear();

        const QString input = ThreePanels(dir);
        QVERIFY(w.OpenFile(input));
        QStringList entries;
        for (int i = 0; i < list->count(); ++i) {
            entries << list->itemText(i);
        }
        QCOMPARE(entries, (QStringList{"% Deck panels", "P1", "P2", "P3"}));
        QVERIFY(list->isEnabled() && save->isEnabled());
        QCOMPARE(list->currentIndex(), 1);
        QCOMPARE(host.p.Identification, std::string("P1"));
        QCOMPARE(host.p.L1, 2800.0f);
        QVERIFY(host.refreshes > 0 && host.recalculations > 0);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("databasefile"))->text(), input);
        QCOMPARE(QString::fromStdString(host.p.WorkFolder), dir.path() + "/");

        list->setCurrentIndex(3);
        QCOMPARE(host.p.Identification, std::string("P3"));
        QCOMPARE(host.p.L1, 3200.0f);
        QVERIFY(!host.p.CalcFailure);
        const int runs = host.recalculations;
        list->setCurrentIndex(0);
        QCOMPARE(host.p.Identification, std::string("P3"));
        QCOMPARE(host.recalculations, runs);

        // A folder where the result file should go: it can't be replaced.
        const QString output = dir.filePath(QStringLiteral("panels.kvo"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("panels.kvo")));
        QVERIFY(!w.SaveResults());
        QCOMPARE(said.Texts(), QStringList{Message("unwritable", output)});
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("outputfile"))->text(), QString());
        said.said.clear();
        QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("panels.kvo")));
        list->setCurrentIndex(2);
        QVERIFY(w.SaveResults());
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("outputfile"))->text(), output);
        const QByteArray written = Read(output);
        QCOMPARE(written.count("\r\n"), 5);
        QVERIFY(written.contains("\r\n% Deck panels\r\nPlatform X\tP1\t"));
        Project p = host.p;
        const std::string reference = dir.filePath(QStringLiteral("reference.kvo")).toStdString();
        QVERIFY(WriteBatchResults(p, host.t, w.table(), reference, DecimalSeparatorOf(p)).ok);
        QCOMPARE(written, Read(QString::fromStdString(reference)));
        // The record and the list are left on the last panel.
        QCOMPARE(host.p.Identification, std::string("P3"));
        QCOMPARE(list->currentIndex(), 3);
        QCOMPARE(said.Texts(), QStringList());

        const QString broken = Write(dir, QStringLiteral("broken.kvi"), Panel("Q1"));
        QVERIFY(!w.OpenFile(broken));
        QCOMPARE(said.Texts(), QStringList{Message("batch no end", broken)});
        QCOMPARE(w.table().entries.size(), std::size_t(4));
    }

    // Thousands of panels: events are handled while they run, the progress follows, and a
    // cancelled run writes nothing.
    void longRunStaysResponsiveAndCanBeCancelled() {
        QTemporaryDir dir;
        FakeHost host;
        Messages said;
        BatchWindow w(host, &host.owner);
        QByteArray content = "% many\r\n";
        for (int i = 0; i < kMaxBatchEntries - 1; ++i) {
            content += Panel("P" + QByteArray::number(i), 2500 + (i % 11) * 50);
        }
        QVERIFY(w.OpenFile(Write(dir, QStringLiteral("many.kvi"), content + "End\r\n")));
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

    void backToProgramKeepsTheFile() {
        QTemporaryDir dir;
        FakeHost host;
        ShowBatchWindow(host, &host.owner);
        auto* w = host.owner.findChild<BatchWindow*>(QStringLiteral("database"));
        QVERIFY(w && w->isVisible());
        QVERIFY(w->OpenFile(ThreePanels(dir)));
        w->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QVERIFY(!w->isVisible());
        ShowBatchWindow(host, &host.owner);
        QCOMPARE(host.owner.findChildren<BatchWindow*>().size(), 1);
        QVERIFY(w->isVisible());
        QCOMPARE(w->findChild<QComboBox*>(QStringLiteral("cbodatabase"))->count(), 4);
    }
};

QTEST_MAIN(BatchWindowTest)
#include "test_batchwindow.moc"
