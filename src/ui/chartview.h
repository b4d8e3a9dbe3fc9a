#pragma once

#include <QWidget>

#include "report/charts.h"

namespace kelvor {

// A chart of report/charts on screen, drawn over the whole widget whenever it paints.
class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);

    void SetChart(ChartData chart);
    const ChartData& Chart() const { return chart_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChartData chart_;
};

}  // namespace kelvor
