#include "qt/qtcanvas.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPolygonF>
#include <cassert>
#include <cmath>

namespace kelvor {

namespace {

QColor ToQColor(Rgb c) {
    return QColor(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>(c & 0xFF));
}

// Line widths count screen pixels of 1/96 inch.
constexpr double kScreenDpi = 96;

}  // namespace

QtCanvas::QtCanvas(QPaintDevice& device)
    : own_(std::make_unique<QPainter>(&device)),
      painter_(own_.get()),
      device_(&device),
      area_(0, 0, device.width(), device.height()) {
    painter_->setRenderHint(QPainter::Antialiasing);
    painter_->setRenderHint(QPainter::TextAntialiasing);
}

QtCanvas::QtCanvas(QPainter& painter, const QRectF& area)
    : painter_(&painter), device_(painter.device()), area_(area) {
    assert(device_ && "the painter must be active");
}

QtCanvas::~QtCanvas() = default;

QString QtCanvas::FamilyFor(const std::string& fontName) {
    const QString name = QString::fromStdString(fontName).toLower();
    if (name == QLatin1String("arial") || name == QLatin1String("ms sans serif")) {
        return QStringLiteral("Liberation Sans");
    }
    if (name == QLatin1String("times new roman")) {
        return QStringLiteral("Liberation Serif");
    }
    if (name == QLatin1String("courier new")) {
        return QStringLiteral("Liberation Mono");
    }
    return QString::fromStdString(fontName);
}

QPointF QtCanvas::Map(double x, double y) const {
    return {area_.left() + (x - ScaleLeft()) / (ScaleRight() - ScaleLeft()) * area_.width(),
            area_.top() + (y - ScaleTop()) / (ScaleBottom() - ScaleTop()) * area_.height()};
}

QPen QtCanvas::Pen() const {
    QPen pen(ToQColor(ForeColour()));
    pen.setWidthF(LineWidth() * device_->logicalDpiX() / kScreenDpi);
    pen.setStyle(CurrentLineStyle() == LineStyle::DashDot ? Qt::DashDotLine : Qt::SolidLine);
    return pen;
}

QFont QtCanvas::CurrentQFont() const {
    const Font& f = CurrentFont();
    QFont font(FamilyFor(f.name));
    font.setPointSizeF(f.size);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    return font;
}

void QtCanvas::SetBrush(FillStyle fill, Rgb colour) {
    painter_->setBrush(fill == FillStyle::Solid ? QBrush(ToQColor(colour)) : QBrush());
}

void QtCanvas::ClearSurface() {
    painter_->fillRect(area_, Qt::white);
}

void QtCanvas::Line(double x1, double y1, double x2, double y2) {
    painter_->setPen(Pen());
    painter_->drawLine(Map(x1, y1), Map(x2, y2));
}

void QtCanvas::Box(double x1, double y1, double x2, double y2, FillStyle fill, Rgb fillColour) {
    painter_->setPen(Pen());
    SetBrush(fill, fillColour);
    painter_->drawRect(QRectF(Map(x1, y1), Map(x2, y2)).normalized());
}

void QtCanvas::Polygon(const std::vector<Point>& points, FillStyle fill, Rgb fillColour) {
    QPolygonF polygon;
    for (Point p : points) {
        polygon << Map(p.x, p.y);
    }
    painter_->setPen(Pen());
    SetBrush(fill, fillColour);
    painter_->drawPolygon(polygon);
}

void QtCanvas::FilledCircle(double x, double y, double r, Rgb colour) {
    const double radius = std::abs(r / (ScaleRight() - ScaleLeft()) * area_.width());
    painter_->setPen(Qt::NoPen);
    SetBrush(FillStyle::Solid, colour);
    painter_->drawEllipse(Map(x, y), radius, radius);
}

double QtCanvas::TextWidth(const std::string& text) const {
    const QFontMetricsF metrics(CurrentQFont(), device_);
    const double pixels = metrics.horizontalAdvance(QString::fromStdString(text));
    return pixels * std::abs(ScaleRight() - ScaleLeft()) / area_.width();
}

double QtCanvas::TextHeight(const std::string&) const {
    const QFontMetricsF metrics(CurrentQFont(), device_);
    return metrics.height() * std::abs(ScaleTop() - ScaleBottom()) / area_.height();
}

double QtCanvas::WidthPoints() const {
    return area_.width() * 72 / device_->logicalDpiX();
}

double QtCanvas::HeightPoints() const {
    return area_.height() * 72 / device_->logicalDpiY();
}

void QtCanvas::DrawText(double x, double y, const std::string& text) {
    const QFont font = CurrentQFont();
    const QFontMetricsF metrics(font, device_);
    const QPointF topLeft = Map(x, y);
    painter_->setFont(font);
    painter_->setPen(ToQColor(ForeColour()));
    painter_->drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()),
                       QString::fromStdString(text));
}

}  // namespace kelvor
