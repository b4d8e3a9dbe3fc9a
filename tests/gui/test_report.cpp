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
        QTemporaryDir dir;
        FakeHost host;
        Messages said;
        const QString path = dir.filePath(Cell("file"));
        QStringList texts;
        bool ok = false;
        if (Cell("via") == "pdf") {
            std::string text = "stale";
            ok = WriteReportPdf(host.p, host.t, Cell("kind").toInt(), path.toStdString(), text);
            texts << QString::fromStdString(text);
        } else if (Cell("via") == "writer") {
            QPdfWriter writer(path);
            ok = PrintReportOn(writer, host.p, host.t, ReportContextNow(Cell("kind").toInt()),
                               Cell("copies").toInt());
        } else if (Cell("via") == "printer") {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            printer.setCopyCount(Cell("copies").toInt());
            ok = PrintCopies(host, printer, Cell("kind").toInt());
            QCOMPARE(printer.copyCount(), 1);
        } else {
            ok = ExportReportPdfTo(host, &host.owner, Cell("kind").toInt(), path);
            QCOMPARE(host.p.AnalysisMode, Cell("kind").toInt());
            QCOMPARE(host.p.PrintMode, Cell("kind").toInt());
            QCOMPARE(host.refreshes, 1);
            QCOMPARE(host.recalculations, 0);
        }
        texts = said.Texts() + texts.filter(QRegularExpression(QStringLiteral(".")));
        QCOMPARE(texts, Cell("message").isEmpty()
                            ? QStringList()
                            : QStringList{Cell("message").replace("{path}", path)});
        QCOMPARE(ok, Cell("message").isEmpty());
        QCOMPARE(PageCount(path), Cell("pages").toInt());
    }
};

QTEST_MAIN(ReportTest)
#include "test_report.moc"
