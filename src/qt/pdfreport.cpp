#include "qt/pdfreport.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>
#include <stdexcept>

#include "qt/qtcanvas.h"
#include "report/report.h"

namespace kelvor {

namespace {

// About what a printer cannot reach, so that the PDF page is the page a printer gives.
constexpr double kPdfMarginMm = 5;

}  // namespace

bool PrintReportOn(QPagedPaintDevice& device, const Project& p, const Tables& tables,
                   const ReportContext& ctx, int copies) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF page(0, 0, device.width(), device.height());
    // Every copy and every page after the first starts a sheet of its own.
    bool turned = true;
    const NextSheet nextSheet = [&device, &turned] { return turned = device.newPage(); };
    try {
        for (int copy = 0; copy < copies; ++copy) {
            if (copy > 0 && !nextSheet()) {
                painter.end();
                return false;
            }
            QtCanvas canvas(painter, page);
            PrintPages(canvas, p, tables, ctx, nextSheet);
            if (!turned) {
                painter.end();
                return false;
            }
        }
    } catch (const std::exception&) {
        // Only a device without a size gets here (the page grid cannot be measured).
        painter.end();
        return false;
    }
    return painter.end();
}

bool WriteReportPdf(const Project& p, const Tables& tables, int kind, const std::string& path,
                    std::string& message) {
    const QString file = QString::fromStdString(path);
    // Asked first, so that an unwritable path gives our message rather than the painter's
    // warning.
    if (QFile probe(file); !probe.open(QIODevice::WriteOnly)) {
        message = "can't save file - " + path;
        return false;
    }
    bool ok = false;
    {
        QPdfWriter writer(file);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                        QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                        QPageLayout::Millimeter));
        writer.setResolution(600);
        writer.setTitle(QStringLiteral("Kelvor report"));
        writer.setCreator(QStringLiteral("Kelvor ") + QString::fromUtf8(ProgramVersion()));
        ok = PrintReportOn(writer, p, tables, ReportContextNow(kind));
    }
    if (!ok || !QFileInfo(file).isFile()) {
        message = "can't save file - " + path;
        return false;
    }
    message.clear();
    return true;
}

void EnsureGuiApplication() {
    if (QCoreApplication::instance()) {
        return;
    }
    // A tool's standard error is for its own one-line messages; Qt's notes about the
    // session (no runtime folder, no display) are not the user's concern there.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            fprintf(stderr, "%s\n", qPrintable(text));
        }
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "kelvor-cli";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the process: destroying it among the static objects at exit would
    // outlive the Qt globals it needs.
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    Q_UNUSED(app);
}

}  // namespace kelvor
