#include "ui/panelfigureview.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "qt/qtcanvas.h"
#include "report/panelfigure.h"

namespace kelvor {

namespace {

constexpr double kWidthShare = 0.95;
constexpr double kHeightPerWidth = 0.65;

}  // namespace

PanelFigureView::PanelFigureView(const Project& project, QWidget* parent)
    : QWidget(parent), project_(project) {
    setObjectName(QStringLiteral("pic21"));
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int PanelFigureView::heightForWidth(int width) const {
    return static_cast<int>(kWidthShare * kHeightPerWidth * width + 0.5);
}

QSize PanelFigureView::sizeHint() const {
    return {320, heightForWidth(320)};
}

QSize PanelFigureView::minimumSizeHint() const {
    return {240, heightForWidth(240)};
}

QRect PanelFigureView::FigureRect() const {
    double w = kWidthShare * width();
    double h = kHeightPerWidth * w;
    if (h > height()) {
        h = height();
        w = h / kHeightPerWidth;
    }
    return QRectF((width() - w) / 2, (height() - h) / 2, w, h).toAlignedRect();
}

void PanelFigureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect area = FigureRect();
    painter.fillRect(area, Qt::white);
    QtCanvas canvas(painter, area);
    canvas.ScaleTo(0, 75, 100, 0);
    canvas.SetFontSize(8);
    DrawPanelFigure(canvas, project_, 0, 0);
}

SketchButton::SketchButton(SketchOf sketch, QWidget* parent)
    : QPushButton(parent), sketch_(std::move(sketch)) {}

QSize SketchButton::sizeHint() const {
    return {112, 76};
}

std::optional<SketchId> SketchButton::Current() const {
    return sketch_ ? sketch_() : std::nullopt;
}

void SketchButton::Refresh() {
    if (Current() != shown_) {
        update();
    }
}

void SketchButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const std::optional<SketchId> id = Current();
    shown_ = id;
    if (!id) {
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect area = rect().adjusted(6, 6, -6, -6);
    painter.fillRect(area, Qt::white);
    QtCanvas canvas(painter, area);
    canvas.ScaleTo(0, 0, area.width(), area.height());
    canvas.DrawSketch(*id, 0, 0, area.width(), area.height());
}

}  // namespace kelvor
