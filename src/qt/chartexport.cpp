#include "qt/chartexport.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "qt/qtcanvas.h"
#include "report/charts.h"
#include "report/report.h"

namespace kelvor {

namespace {

// PNG at twice the screen's density, so that it stays sharp on a page or a high-density screen.
constexpr int kPngDpi = 192;
constexpr double kPdfMarginMm = 10;

int HeightOf(const ChartData& chart) {
    return static_cast<int>(PreferredHeight(chart, kChartWidthPoints));
}

bool Paint(QPaintDevice& device, const ChartData& chart) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    {
        QtCanvas canvas(painter, QRectF(0, 0, device.width(), device.height()));
        DrawChart(canvas, chart);
    }
    return painter.end();
}

bool WritePng(const ChartData& chart, const QString& file) {
    const double scale = kPngDpi / 72.0;
    QImage image(static_cast<int>(kChartWidthPoints * scale),
                 static_cast<int>(HeightOf(chart) * scale), QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(kPngDpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return Paint(image, chart) && image.save(file, "PNG");
}

bool WriteSvg(const ChartData& chart, const QString& file) {
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setResolution(72);  // one SVG unit a point
    svg.setSize(QSize(kChartWidthPoints, HeightOf(chart)));
    svg.setViewBox(QRect(0, 0, kChartWidthPoints, HeightOf(chart)));
    svg.setTitle(QString::fromStdString(chart.title));
    svg.setDescription(QStringLiteral("Kelvor ") + QString::fromUtf8(ProgramVersion()));
    return Paint(svg, chart);
}

bool WritePdf(const ChartData& chart, const QString& file) {
    QPdfWriter writer(file);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm,
                                               kPdfMarginMm),
                                     QPageLayout::Millimeter));
    writer.setResolution(600);
    writer.setTitle(QString::fromStdString(chart.title));
    writer.setCreator(QStringLiteral("Kelvor ") + QString::fromUtf8(ProgramVersion()));
    return Paint(writer, chart);
}

}  // namespace

bool ExportChart(const ChartData& chart, const std::string& path, std::string& message) {
    const QString file = QString::fromStdString(path);
    const QString ending = QFileInfo(file).suffix().toLower();
    bool (*write)(const ChartData&, const QString&) = ending == QLatin1String("png")   ? WritePng
                                                      : ending == QLatin1String("svg") ? WriteSvg
                                                      : ending == QLatin1String("pdf") ? WritePdf
                                                                                       : nullptr;
    if (write == nullptr) {
        message = "the chart file must end in .png, .svg or .pdf - " + path;
        return false;
    }
    // Asked first, so that an unwritable path gives our message rather than a painter's warning.
    if (QFile probe(file); !probe.open(QIODevice::WriteOnly)) {
        message = "can't save file - " + path;
        return false;
    }
    if (!write(chart, file) || !QFileInfo(file).isFile() || QFileInfo(file).size() == 0) {
        message = "can't save file - " + path;
        return false;
    }
    message.clear();
    return true;
}

}  // namespace kelvor
