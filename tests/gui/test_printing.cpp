// The print menus' steps after their dialogs: the mode they set, one page per copy, and the PDF
// export with its failure message.
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "fakehost.h"
#include "ui/printing.h"

using namespace kelvor;
using namespace kelvor::test;

namespace {

int PdfPages(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return static_cast<int>(
        QString::fromLatin1(file.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

private slots:
    void eachCopyIsAPage_data() {
        QTest::addColumn<int>("copies");
        QTest::newRow("one") << 1;
        QTest::newRow("two") << 2;
    }

    void eachCopyIsAPage() {
        QFETCH(int, copies);
        QTemporaryDir dir;
        FakeHost host;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("copies.pdf")));
        printer.setCopyCount(copies);
        QVERIFY(PrintCopies(host, printer, 1));
        QCOMPARE(PdfPages(printer.outputFileName()), copies);
        // The print system is not asked for copies of its own on top.
        QCOMPARE(printer.copyCount(), 1);
    }

    void exportSetsTheKindWithoutRecalculating() {
        QTemporaryDir dir;
        FakeHost host;
        Messages shown;
        const QString path = dir.filePath(QStringLiteral("report.pdf"));
        QVERIFY(ExportReportPdfTo(host, &host.owner, 4, path));
        QCOMPARE(PdfPages(path), 1);
        QCOMPARE(host.p.AnalysisMode, 4);
        QCOMPARE(host.p.PrintMode, 4);
        QCOMPARE(host.refreshes, 1);
        QCOMPARE(host.recalculations, 0);
        QVERIFY(shown.texts.isEmpty());

        const QString nowhere = dir.filePath(QStringLiteral("no/such/folder/report.pdf"));
        QVERIFY(!ExportReportPdfTo(host, &host.owner, 2, nowhere));
        QCOMPARE(shown.texts, QStringList{"can't save file - " + nowhere});
    }
};

QTEST_MAIN(PrintingTest)
#include "test_printing.moc"
