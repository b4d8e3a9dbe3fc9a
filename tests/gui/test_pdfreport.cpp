// The report as PDF: one A4 page per copy, every kind, and a path that can't be written refused
// with the program's own message.
#include <QFile>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "core/calculate.h"
#include "core/project.h"
#include "core/session.h"
#include "core/tables.h"
#include "qt/pdfreport.h"
#include "report/report.h"

using namespace kelvor;

namespace {

// Page objects, not the page tree ("/Type /Pages").
int PageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray pdf = file.readAll();
    if (!pdf.startsWith("%PDF")) {
        return -1;
    }
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

}  // namespace

class PdfReportTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        StartupEnvironment env;
        env.dataFolder = KELVOR_SOURCE_DATA_DIR;
        QVERIFY(StartUp(p_, tables_, env).empty());
        Calculate(p_, tables_);
    }

    void everyKindIsOnePage_data() {
        QTest::addColumn<int>("kind");
        for (int kind = 1; kind <= 4; ++kind) {
            QTest::addRow("kind %d", kind) << kind;
        }
    }
    void everyKindIsOnePage() {
        QFETCH(int, kind);
        const QString path = dir_.filePath(QStringLiteral("r%1.pdf").arg(kind));
        std::string message = "stale";
        QVERIFY(WriteReportPdf(p_, tables_, kind, path.toStdString(), message));
        QCOMPARE(message, std::string());
        QCOMPARE(PageCount(path), 1);
    }

    void twoCopiesPrintTheSamePageTwice() {
        const QString path = dir_.filePath(QStringLiteral("copies.pdf"));
        {
            QPdfWriter writer(path);
            QVERIFY(PrintReportOn(writer, p_, tables_, ReportContextNow(3), 2));
        }
        QCOMPARE(PageCount(path), 2);
    }

    void unwritablePathIsRefused() {
        const std::string path =
            dir_.filePath(QStringLiteral("no/such/folder/r.pdf")).toStdString();
        std::string message;
        QVERIFY(!WriteReportPdf(p_, tables_, 1, path, message));
        QCOMPARE(message, "can't save file - " + path);
        QVERIFY(!QFile::exists(QString::fromStdString(path)));
    }

private:
    QTemporaryDir dir_;
    Project p_;
    Tables tables_;
};

QTEST_MAIN(PdfReportTest)
#include "test_pdfreport.moc"
