#pragma once

// The mass-utilisation chart of a design search: every calculated panel as a dot (passing ones
// dark, failing ones pale), the trade-off curve through the lightest passing panel at each
// utilisation, the utilisation limit and the chosen panel.

#include <QWidget>
#include <vector>

#include "engine/search.h"

namespace kelvor {

class SearchChart : public QWidget {
    Q_OBJECT
public:
    explicit SearchChart(QWidget* parent = nullptr);

    void SetResult(const SearchResult& result, double limit);
    void Clear();
    // The panel to mark, -1 for none: an index into the result's `best`.
    void Mark(int best);

    QSize sizeHint() const override { return {420, 300}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<SearchPoint> points_;
    std::vector<SearchPoint> front_;
    std::vector<SearchPoint> best_;
    double limit_ = 1;
    int marked_ = -1;
};

// Ticks of an axis at round numbers (1, 2 or 5 times a power of ten) covering [low, high].
struct AxisTicks {
    double first = 0, step = 1;
    int count = 0;  // ticks first, first + step, ...
};
AxisTicks RoundTicks(double low, double high, int most);

}  // namespace kelvor
