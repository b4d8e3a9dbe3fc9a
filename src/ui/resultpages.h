#pragma once

#include <QTabWidget>

namespace kelvor {

class ChartView;
struct Project;

// The result pages `ResultPages`: the result list on "Results", the page shown at start, and
// the utilisation chart `UtilisationChart` of the same run on "Chart", scrolled when its bars
// need more height than the page has.
class ResultPages : public QTabWidget {
    Q_OBJECT
public:
    ResultPages(QWidget* list, const Project& project, QWidget* parent);

    // After every run, with the list: the chart of the record's last run in its mode.
    void Refresh();
    ChartView* Chart() const { return chart_; }

private:
    const Project& project_;
    ChartView* chart_ = nullptr;
};

}  // namespace kelvor
