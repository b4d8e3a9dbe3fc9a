// The print menus and the PDF export of the report.
#include "ui/printing.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

#include "core/project.h"
#include "qt/pdfreport.h"
#include "report/report.h"
#include "ui/messages.h"
#include "ui/projecthost.h"
#include "ui/windowlinks.h"

namespace kelvor {

void SetReportKind(ProjectHost& host, int kind) {
    Project& p = host.project();
    p.AnalysisMode = kind;
    host.RefreshInputFields();
    p.PrintMode = kind;
}

bool PrintCopies(ProjectHost& host, QPrinter& printer, int kind) {
    const int copies = std::max(1, printer.copyCount());
    printer.setCopyCount(1);
    if (PrintReportOn(printer, host.project(), host.tables(), ReportContextNow(kind), copies)) {
        return true;
    }
    // A printer that fails says so itself; a file that can't be written is ours to report.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        ShowMessage(nullptr, QStringLiteral("can't save file - ") + printer.outputFileName(),
                    MessageIcon::Exclamation);
    }
    return false;
}

void PrintReport(ProjectHost& host, QWidget* owner, int kind, bool preview) {
    SetReportKind(host, kind);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Kelvor report"));
    if (preview) {
        QPrintPreviewDialog dialog(&printer, owner);
        dialog.setObjectName(QStringLiteral("printpreview"));
        dialog.setWindowTitle(QStringLiteral("Print preview"));
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&host, kind](QPrinter* target) {
                             PrintReportOn(*target, host.project(), host.tables(),
                                           ReportContextNow(kind));
                         });
        dialog.exec();
        return;
    }
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    PrintCopies(host, printer, kind);
}

bool ExportReportPdfTo(ProjectHost& host, QWidget* owner, int kind, const QString& path) {
    SetReportKind(host, kind);
    std::string message;
    if (!WriteReportPdf(host.project(), host.tables(), kind, path.toStdString(), message)) {
        ShowMessage(owner, QString::fromStdString(message), MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void ExportReportPdf(ProjectHost& host, QWidget* owner, int kind) {
    const Project& p = host.project();
    const QString folder = QString::fromStdString(p.WorkFolder);
    QString name = QFileInfo(QString::fromStdString(p.ProjectFile)).completeBaseName();
    if (name.isEmpty() || name == QLatin1String("New File")) {
        name = QStringLiteral("report");
    }
    QString path =
        AskForFile(owner, {QStringLiteral("Export PDF"), QDir(folder).filePath(name + ".pdf"),
                           QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"), true});
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".pdf");
    }
    if (QFileInfo(path).isFile() && !AskToReplace(owner, path)) {
        return;
    }
    ExportReportPdfTo(host, owner, kind, path);
}

}  // namespace kelvor
