#include "ui/searchchart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace kelvor {

namespace {

constexpr int kLeft = 62, kRight = 14, kTop = 12, kBottom = 44;

SearchPoint PointOf(const CandidateResult& r) {
    return {static_cast<float>(r.highest), static_cast<float>(r.mass), r.passes};
}

QString TickText(double v, double step) {
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    return QString::number(v, 'f', decimals);
}

}  // namespace

AxisTicks RoundTicks(double low, double high, int most) {
    AxisTicks t;
    if (!(high > low)) {
        const double pad = std::max(std::fabs(low) * 0.05, 0.05);
        low -= pad;
        high += pad;
    }
    const double raw = (high - low) / std::max(most - 1, 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        t.step = m * power;
        if (t.step >= raw) {
            break;
        }
    }
    t.first = std::floor(low / t.step) * t.step;
    const double last = std::ceil(high / t.step - 1e-9) * t.step;
    t.count = static_cast<int>(std::lround((last - t.first) / t.step)) + 1;
    return t;
}

SearchChart::SearchChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("searchchart"));
    setMinimumSize(320, 220);
}

void SearchChart::SetResult(const SearchResult& result, double limit) {
    points_ = result.points;
    front_.clear();
    for (const CandidateResult& r : result.front) {
        front_.push_back(PointOf(r));
    }
    best_.clear();
    for (const CandidateResult& r : result.best) {
        best_.push_back(PointOf(r));
    }
    limit_ = limit;
    marked_ = -1;
    update();
}

void SearchChart::Clear() {
    SetResult({}, limit_);
}

void SearchChart::Mark(int best) {
    marked_ = best;
    update();
}

void SearchChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF plot(kLeft, kTop, width() - kLeft - kRight, height() - kTop - kBottom);
    if (points_.empty() && front_.empty()) {
        painter.setPen(palette().color(QPalette::PlaceholderText));
        painter.drawText(plot, Qt::AlignCenter, tr("Run a search to see mass against utilisation"));
        return;
    }
    // The interesting part is around the limit: utilisations far beyond it would squeeze the
    // passing panels into a corner, so the axis ends at twice the limit.
    const double uHigh = 2 * limit_;
    double uMin = limit_, uMax = 0, mMin = HUGE_VAL, mMax = 0;
    for (const SearchPoint& p : points_) {
        if (p.utilisation <= uHigh) {
            uMin = std::min<double>(uMin, p.utilisation);
            uMax = std::max<double>(uMax, p.utilisation);
            mMin = std::min<double>(mMin, p.mass);
            mMax = std::max<double>(mMax, p.mass);
        }
    }
    if (mMin > mMax) {
        mMin = mMax = 0;
    }
    const AxisTicks ux = RoundTicks(std::min(uMin, limit_), std::max(uMax, limit_), 8);
    const AxisTicks my = RoundTicks(mMin, mMax, 7);
    const double x0 = ux.first, x1 = ux.first + (ux.count - 1) * ux.step;
    const double y0 = my.first, y1 = my.first + (my.count - 1) * my.step;
    const auto at = [&](double u, double m) {
        return QPointF(plot.left() + (u - x0) / (x1 - x0) * plot.width(),
                       plot.bottom() - (m - y0) / (y1 - y0) * plot.height());
    };

    // Grid and axes at round numbers, with their units.
    const QColor text = palette().color(QPalette::Text);
    const QFontMetrics fm(font());
    for (int k = 0; k < ux.count; ++k) {
        const double u = ux.first + k * ux.step;
        const QPointF p = at(u, y0);
        painter.setPen(QPen(QColor(225, 225, 225), 0));
        painter.drawLine(QPointF(p.x(), plot.top()), QPointF(p.x(), plot.bottom()));
        painter.setPen(text);
        const QString label = TickText(u, ux.step);
        painter.drawText(QPointF(p.x() - fm.horizontalAdvance(label) / 2.0, plot.bottom() + 16),
                         label);
    }
    for (int k = 0; k < my.count; ++k) {
        const double m = my.first + k * my.step;
        const QPointF p = at(x0, m);
        painter.setPen(QPen(QColor(225, 225, 225), 0));
        painter.drawLine(QPointF(plot.left(), p.y()), QPointF(plot.right(), p.y()));
        painter.setPen(text);
        const QString label = TickText(m, my.step);
        painter.drawText(QPointF(plot.left() - 6 - fm.horizontalAdvance(label), p.y() + 4), label);
    }
    painter.setPen(QPen(text, 1));
    painter.drawRect(plot);
    const QString xTitle = tr("highest utilisation [-]");
    painter.drawText(QPointF(plot.center().x() - fm.horizontalAdvance(xTitle) / 2.0,
                             height() - 8),
                     xTitle);
    painter.save();
    painter.translate(14, plot.center().y());
    painter.rotate(-90);
    const QString yTitle = tr("mass [kg/m²]");
    painter.drawText(QPointF(-fm.horizontalAdvance(yTitle) / 2.0, 0), yTitle);
    painter.restore();

    painter.setClipRect(plot.adjusted(-4, -4, 4, 4));
    painter.setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
    painter.drawLine(at(limit_, y0), at(limit_, y1));

    painter.setPen(Qt::NoPen);
    for (const SearchPoint& p : points_) {
        if (p.utilisation > uHigh) {
            continue;
        }
        painter.setBrush(p.passes ? QColor(70, 110, 170, 150) : QColor(220, 150, 150, 110));
        painter.drawEllipse(at(p.utilisation, p.mass), 2.0, 2.0);
    }

    // The trade-off: lighter panels only at higher utilisation, drawn as steps between them.
    if (!front_.empty()) {
        QPainterPath path(at(front_.front().utilisation, front_.front().mass));
        for (std::size_t k = 1; k < front_.size(); ++k) {
            path.lineTo(at(front_[k].utilisation, front_[k - 1].mass));
            path.lineTo(at(front_[k].utilisation, front_[k].mass));
        }
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 130, 0), 2));
        painter.drawPath(path);
        painter.setBrush(QColor(0, 130, 0));
        for (const SearchPoint& p : front_) {
            painter.drawEllipse(at(p.utilisation, p.mass), 3.0, 3.0);
        }
    }
    if (marked_ >= 0 && marked_ < static_cast<int>(best_.size())) {
        const SearchPoint& p = best_[static_cast<std::size_t>(marked_)];
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(230, 120, 0), 2));
        painter.drawEllipse(at(p.utilisation, p.mass), 7.0, 7.0);
    }
}

}  // namespace kelvor
