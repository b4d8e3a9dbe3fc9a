// The batch window against a stand-in main window: opening a batch file, choosing a panel,
// writing the results, and a long run that stays responsive and can be cancelled.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "fakehost.h"
#include "files/batchfile.h"
#include "profiles/catalogue.h"
#include "ui/batchwindow.h"
#include "ui/windowlinks.h"

using namespace kelvor;
using namespace kelvor::test;

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

QStringList Entries(QComboBox* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->itemText(i);
    }
    return texts;
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
    void openListsTheEntriesAndLoadsTheFirstPanel() {
        QTemporaryDir dir;
        FakeHost host;
        Messages shown;
        BatchWindow w(host, &host.owner);
        auto* list = w.findChild<QComboBox*>(QStringLiteral("cbodatabase"));
        QCOMPARE(Entries(list), QStringList{QString()});
        QVERIFY(!list->isEnabled());
        QVERIFY(!w.findChild<QAction*>(QStringLiteral("mnufilesave"))->isEnabled());

        const QString path = ThreePanels(dir);
        QVERIFY(w.OpenFile(path));
        QCOMPARE(Entries(list), (QStringList{"% Deck panels", "P1", "P2", "P3"}));
        QVERIFY(list->isEnabled());
        QCOMPARE(list->currentIndex(), 1);
        QCOMPARE(host.p.Identification, std::string("P1"));
        QCOMPARE(host.p.L1, 2800.0f);
        QVERIFY(host.refreshes > 0);
        QVERIFY(host.recalculations > 0);
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("databasefile"))->text(), path);
        QCOMPARE(QString::fromStdString(host.p.WorkFolder), dir.path() + "/");
        QVERIFY(w.findChild<QAction*>(QStringLiteral("mnufilesave"))->isEnabled());
        QVERIFY(shown.texts.isEmpty());
    }

    void choosingAnEntryLoadsItsPanel() {
        QTemporaryDir dir;
        FakeHost host;
        BatchWindow w(host, &host.owner);
        QVERIFY(w.OpenFile(ThreePanels(dir)));
        auto* list = w.findChild<QComboBox*>(QStringLiteral("cbodatabase"));
        list->setCurrentIndex(3);
        QCOMPARE(host.p.Identification, std::string("P3"));
        QCOMPARE(host.p.L1, 3200.0f);
        QVERIFY(!host.p.CalcFailure);
        // A heading loads nothing.
        const int runs = host.recalculations;
        list->setCurrentIndex(0);
        QCOMPARE(host.p.Identification, std::string("P3"));
        QCOMPARE(host.recalculations, runs);
    }

    void saveWritesTheResultsBesideTheInput() {
        QTemporaryDir dir;
        FakeHost host;
        Messages shown;
        BatchWindow w(host, &host.owner);
        const QString input = ThreePanels(dir);
        QVERIFY(w.OpenFile(input));
        QVERIFY(w.SaveResults());
        const QString output = dir.filePath(QStringLiteral("panels.kvo"));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("outputfile"))->text(), output);
        const QByteArray written = Read(output);
        QCOMPARE(written.count("\r\n"), 5);
        QVERIFY(written.contains("\r\n% Deck panels\r\nPlatform X\tP1\t"));
        // The window's run gives the file the batch writer gives.
        Project p = host.p;
        const std::string reference = dir.filePath(QStringLiteral("reference.kvo")).toStdString();
        QVERIFY(WriteBatchResults(p, host.t, w.table(), reference, DecimalSeparatorOf(p)).ok);
        QCOMPARE(written, Read(QString::fromStdString(reference)));
        // The record and the list are left on the last panel.
        QCOMPARE(host.p.Identification, std::string("P3"));
        QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("cbodatabase"))->currentIndex(), 3);
        QVERIFY(shown.texts.isEmpty());
    }

    void fileFailuresAreReported() {
        QTemporaryDir dir;
        FakeHost host;
        Messages shown;
        BatchWindow w(host, &host.owner);
        const QString missing = dir.filePath(QStringLiteral("none.kvi"));
        QVERIFY(!w.OpenFile(missing));
        QCOMPARE(shown.texts, QStringList{"can't find file - " + missing});
        QVERIFY(!w.findChild<QComboBox*>(QStringLiteral("cbodatabase"))->isEnabled());

        QVERIFY(w.OpenFile(ThreePanels(dir)));
        // A folder where the result file should go: it can't be replaced.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("panels.kvo")));
        shown.texts.clear();
        QVERIFY(!w.SaveResults());
        QCOMPARE(shown.texts, QStringList{"can't save file - " + dir.filePath("panels.kvo")});
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("outputfile"))->text(), QString());

        // A file that can be found but not used says why, and the last good file stays.
        shown.texts.clear();
        const QString broken = Write(dir, QStringLiteral("broken.kvi"), Panel("Q1"));
        QVERIFY(!w.OpenFile(broken));
        QCOMPARE(shown.texts.size(), 1);
        QVERIFY(shown.texts[0].contains(QLatin1String("no End line")));
        QCOMPARE(w.table().entries.size(), std::size_t(4));
    }

    // Thousands of panels: events are handled while they run, the progress follows, and a
    // cancelled run writes nothing.
    void longRunStaysResponsiveAndCanBeCancelled() {
        QTemporaryDir dir;
        FakeHost host;
        Messages shown;
        BatchWindow w(host, &host.owner);
        QByteArray content = "% many\r\n";
        for (int i = 0; i < 9999; ++i) {
            content += Panel("P" + QByteArray::number(i), 2500 + (i % 11) * 50);
        }
        QVERIFY(w.OpenFile(Write(dir, QStringLiteral("many.kvi"), content + "End\r\n")));
        // Runs whenever the run lets events through.
        bool midRun = false;
        QTimer poll;
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
        QVERIFY(shown.texts.isEmpty());
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
