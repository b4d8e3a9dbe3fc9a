#pragma once

#include <QFont>
#include <QPainter>
#include <QRectF>
#include <memory>

#include "report/canvas.h"

namespace kelvor {

// The canvas on a QPainter: a widget, an image, a printer or a PDF page. The user coordinate
// system spans `area` (device pixels). Fonts are in points at the device's resolution; the
// Windows font names the figures and the report ask for map to their metric-compatible
// Liberation fonts.
class QtCanvas : public Canvas {
public:
    // Paints on the whole device, with a painter of its own, antialiased.
    explicit QtCanvas(QPaintDevice& device);
    // Paints through the caller's painter into `area`.
    QtCanvas(QPainter& painter, const QRectF& area);
    ~QtCanvas() override;

    void Line(double x1, double y1, double x2, double y2) override;
    void Box(double x1, double y1, double x2, double y2, FillStyle fill, Rgb fillColour) override;
    void Polygon(const std::vector<Point>& points, FillStyle fill, Rgb fillColour) override;
    void FilledCircle(double x, double y, double r, Rgb colour) override;
    double TextWidth(const std::string& text) const override;
    double TextHeight(const std::string& text) const override;
    double WidthPoints() const override;
    double HeightPoints() const override;

    static QString FamilyFor(const std::string& fontName);

protected:
    void ClearSurface() override;
    void DrawText(double x, double y, const std::string& text) override;

private:
    QPointF Map(double x, double y) const;
    QPen Pen() const;
    QFont CurrentQFont() const;
    void SetBrush(FillStyle fill, Rgb colour);

    std::unique_ptr<QPainter> own_;
    QPainter* painter_;
    QPaintDevice* device_;  // for the resolution, which text metrics and points depend on
    QRectF area_;
};

}  // namespace kelvor
