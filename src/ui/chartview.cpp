#include "ui/chartview.h"

#include <QPainter>

#include "qt/qtcanvas.h"

namespace kelvor {

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartView::SetChart(ChartData chart) {
    chart_ = std::move(chart);
    // A bar chart keeps its rows readable, however many, and is scrolled rather than squeezed.
    if (chart_.kind == ChartData::Kind::Bars) {
        const double pointsToPixels = logicalDpiY() / 72.0;
        setMinimumHeight(static_cast<int>(PreferredHeight(chart_, width() / pointsToPixels) *
                                          pointsToPixels));
    }
    update();
}

QSize ChartView::sizeHint() const {
    return {640, 400};
}

QSize ChartView::minimumSizeHint() const {
    return {320, 180};
}

void ChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QtCanvas canvas(painter, QRectF(rect()));
    DrawChart(canvas, chart_);
}

}  // namespace kelvor
