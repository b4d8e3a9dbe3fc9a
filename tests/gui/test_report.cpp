// The report in every way it is put on paper: A4 pages per copy, each kind, the print menus'
// steps after their dialogs, the preview, a path that can't be written refused with the
// program's own message, and the rows that run over onto further pages.
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTimer>

#include "guitest.h"
#include "qt/pdfreport.h"
#include "report/recordingcanvas.h"
#include "report/report.h"
#include "ui/printing.h"
#include "ui/windowlinks.h"

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

// The record of the row's setup (record fields), run in the report's kind.
void RunFor(FakeHost& host, const QString& setup, int kind) {
    testdata::SetFields(host.p, setup.toStdString());
    host.p.AnalysisMode = kind;
    host.p.PrintMode = kind;
    host.Recalculate();
}

// A drawing call as the page tests compare it: kind, corners, colour, font size and text.
QString Call(const CanvasOp& op) {
    return QStringLiteral("%1 %2,%3 %4,%5 %6 %7 %8")
        .arg(static_cast<int>(op.kind))
        .arg(op.minX)
        .arg(op.minY)
        .arg(op.maxX)
        .arg(op.maxY)
        .arg(op.fore, 6, 16, QLatin1Char('0'))
        .arg(op.font.size)
        .arg(QString::fromStdString(op.text));
}

constexpr double kRowSize = 8.5;  // points: the result rows and the failure row

}  // namespace

class ReportTest : public QObject {
    Q_OBJECT

private slots:
    void pagesPerCopy_data() {
        AddRows("report_pages.tsv", {"via", "kind", "copies", "setup", "file", "pages", "message"});
    }
    void pagesPerCopy() {
        QTemporaryDir dir;
        FakeHost host;
        Messages said;
        const auto at = [&dir](QString cell) { return cell.replace("{dir}", dir.path()); };
        if (!Cell("setup").isEmpty()) {
            RunFor(host, at(Cell("setup")), Cell("kind").toInt());
            host.recalculations = 0;
            host.refreshes = 0;
        }
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
        } else if (Cell("via") == "preview") {  // the pages the preview shows
            int shown = -1;
            QTimer::singleShot(0, &host.owner, [&] {
                auto* dialog =
                    host.owner.findChild<QPrintPreviewDialog*>(QStringLiteral("printpreview"));
                shown = dialog ? dialog->findChild<QPrintPreviewWidget*>()->pageCount() : -2;
                if (dialog) {
                    dialog->reject();
                }
            });
            PrintReport(host, &host.owner, Cell("kind").toInt(), true);
            QCOMPARE(shown, Cell("pages").toInt());
            return;
        } else if (Cell("via").startsWith("menu")) {  // the dialog answers with the file
            if (Cell("via") != "menu") {
                QFile old(path);
                QVERIFY(old.open(QIODevice::WriteOnly) && old.write("kept") == 4);
                said.reply = Cell("via") == "menu-no" ? SaveAnswer::Cancel : SaveAnswer::Discard;
            }
            said.file = path;
            ExportReportPdf(host, &host.owner, Cell("kind").toInt());
            texts << said.files << said.asked;
            ok = true;
        } else {
            ok = ExportReportPdfTo(host, &host.owner, Cell("kind").toInt(), path);
            QCOMPARE(host.p.AnalysisMode, Cell("kind").toInt());
            QCOMPARE(host.p.PrintMode, Cell("kind").toInt());
            QCOMPARE(host.refreshes, 1);
            QCOMPARE(host.recalculations, 0);
        }
        texts = said.Texts() + texts.filter(QRegularExpression(QStringLiteral(".")));
        QCOMPARE(texts, List(at(Cell("message")).replace("{path}", path)));
        QCOMPARE(ok, Cell("message").isEmpty() || Cell("via").startsWith("menu"));
        QCOMPARE(PageCount(path), Cell("pages").toInt());
    }

    // The rows that do not fit the page go on under the page header again, never below the
    // page; a heading stays with its row and a failed run's red row is printed whole.
    void rowsRunOntoFurtherPages_data() {
        AddRows("report_paging.tsv",
                {"setup", "kind", "surface", "pages", "page starts", "page ends"});
    }
    void rowsRunOntoFurtherPages() {
        FakeHost host;
        RunFor(host, Cell("setup"), Cell("kind").toInt());
        const QStringList surface = Cell("surface").split(',');
        RecordingCanvas c(surface[0].toDouble(), surface[1].toDouble());
        std::vector<std::size_t> begins{0};  // the first call of each page
        const int pages =
            PrintPages(c, host.p, host.t, {Cell("kind").toInt(), "2024-03-01", 9, 5, "9.9.9"}, [&] {
                begins.push_back(c.ops.size());
                return true;
            });
        QCOMPARE(pages, Cell("pages").toInt());
        QCOMPARE(static_cast<int>(begins.size()), pages);
        begins.push_back(c.ops.size());
        RecordingCanvas measure(surface[0].toDouble(), surface[1].toDouble());
        const double bottom = MeasurePageGrid(measure).rows[10];

        // The header: every call up to the rule under the identification, the second line.
        std::size_t headerEnd = 0;
        for (int rules = 0; rules < 2; ++headerEnd) {
            rules += c.ops[headerEnd].kind == CanvasOp::Kind::Line;
        }
        // Each row starts at the left margin, where the first one stands.
        const auto row = [&c](std::size_t k) {
            const CanvasOp& op = c.ops[k];
            return QStringLiteral("%1 ").arg(op.fore, 6, 16, QLatin1Char('0')) +
                   QString::fromStdString(op.text).left(24) +
                   (op.font.underline ? QStringLiteral(" (heading)") : QString());
        };
        double left = -1;
        QStringList starts, ends;  // the first and last row of each page
        for (int page = 0; page < pages; ++page) {
            const std::size_t first = begins[static_cast<std::size_t>(page)];
            const std::size_t next = begins[static_cast<std::size_t>(page) + 1];
            QVERIFY(next - first > headerEnd);
            for (std::size_t k = 0; k < headerEnd; ++k) {
                QCOMPARE(Call(c.ops[first + k]),
                         Call(c.ops[k]).replace(QStringLiteral("Page: 1"),
                                                QStringLiteral("Page: %1").arg(page + 1)));
            }
            std::vector<std::size_t> rows;
            for (std::size_t k = first; k < next; ++k) {
                const CanvasOp& op = c.ops[k];
                if (op.kind == CanvasOp::Kind::Text && op.font.size == kRowSize) {
                    QVERIFY2(op.maxY <= bottom, qPrintable(Call(op)));
                    QVERIFY2(op.minY >= c.ops[first + headerEnd - 1].maxY, qPrintable(Call(op)));
                    left = left < 0 ? op.minX : left;
                    if (op.minX == left) {
                        rows.push_back(k);
                    }
                }
            }
            starts << (rows.empty() ? QString() : row(rows.front()));
            ends << (rows.empty() ? QString() : row(rows.back()));
        }
        QCOMPARE(starts.join('|'), Cell("page starts"));
        QCOMPARE(ends.join('|'), Cell("page ends"));
    }
};

QTEST_MAIN(ReportTest)
#include "test_report.moc"
