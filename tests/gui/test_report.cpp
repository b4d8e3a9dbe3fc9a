// The one-page report in every way it is put on paper: one A4 page per copy, each kind, the
// print menus' steps after their dialogs, and a path that can't be written refused with the
// program's own message.
#include <QPdfWriter>
#include <QPrinter>

#include "guitest.h"
#include "qt/pdfreport.h"
#include "report/report.h"
#include "ui/printing.h"

using namespace kelvor;
using namespace guitest;

namespace {

// Page objects, not the page tree ("/Type /Pages"); 0 when there is no PDF.
int PageCount(const QString& path) {
    QFile file(path);
    const QByteArray pdf = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return pdf.startsWith("%PDF") ? static_cast<int>(QString::fromLatin1(pdf).count(page)) : 0;
}

}  // namespace

class ReportTest : public QObject {
    Q_OBJECT

private slots:
    void onePagePerCopy_data() {
        AddRows("report_pages.tsv", {"via", "kind", "copies", "file", "pages", "message"});
    }
    void onePagePerCopy() {
        QFETCH(QString, via);
        QFETCH(QString, kind);
        QFETCH(QString, copies);
        QFETCH(QString, file);
        QFETCH(QString, pages);
        QFETCH(QString, message);
        QTemporaryDir dir;
        FakeHost host;
        Messages said;
        const QString path = dir.filePath(file);
        QStringList texts;
        bool ok = false;
        if (via == "pdf") {
            std::string text = "stale";
            ok = WriteReportPdf(host.p, host.t, kind.toInt(), path.toStdString(), text);
            texts << QString::fromStdString(text);
        } else if (via == "writer") {
            QPdfWriter writer(path);
            ok = PrintReportOn(writer, host.p, host.t, ReportContextNow(kind.toInt()),
                               copies.toInt());
        } else if (via == "printer") {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            printer.setCopyCount(copies.toInt());
            ok = PrintCopies(host, printer, kind.toInt());
            QCOMPARE(printer.copyCount(), 1);
        } else {
            ok = ExportReportPdfTo(host, &host.owner, kind.toInt(), path);
            QCOMPARE(host.p.AnalysisMode, kind.toInt());
            QCOMPARE(host.p.PrintMode, kind.toInt());
            QCOMPARE(host.refreshes, 1);
            QCOMPARE(host.recalculations, 0);
        }
        texts = said.Texts() + texts.filter(QRegularExpression(QStringLiteral(".")));
        QCOMPARE(texts, message.isEmpty() ? QStringList() : QStringList{Message("unwritable", path)});
        QCOMPARE(ok, message.isEmpty());
        QCOMPARE(PageCount(path), pages.toInt());
    }
};

QTEST_MAIN(ReportTest)
#include "test_report.moc"
