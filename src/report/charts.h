#pragma once

// The utilisation charts: a bar per factor of one run, or a line per factor over a varied input,
// each against the limit. Drawn on any canvas, so that the window, PNG, SVG and PDF show the
// same drawing and the tests can read it.

#include <string>
#include <vector>

namespace kelvor {

class Canvas;

struct ChartBar {
    std::string name;
    double value = 0;
    bool checked = true;  // false: "not checked", no bar
    bool passes = true;
    bool governing = false;
};

struct ChartSeries {
    std::string name;
    int colour = 0;             // index into the chart palette, the same for a check everywhere
    std::vector<double> y;      // one a step; NaN where the row is absent
    std::vector<double> limitAt;  // the input values where it reaches the limit
    bool governing = false;
};

struct ChartData {
    enum class Kind { Bars, Lines };
    Kind kind = Kind::Bars;
    std::string title;
    double limit = 1.0;
    // A run that stopped: its text in red, in place of the bars (bars) or under the chart.
    std::string failure;
    std::vector<ChartBar> bars;

    std::string xLabel;  // "Lateral pressure p (MPa)"
    std::vector<double> x;
    std::vector<bool> failed;  // one a step: the run stopped there
    std::vector<ChartSeries> series;
    double projectX = 0;
    bool showProject = false;
    std::string note;  // a line under the chart: the capacity
};

// Draws over the canvas's whole surface, in points from its top-left corner; sets the canvas's
// scale to that.
void DrawChart(Canvas& canvas, const ChartData& chart);

// The height a chart wants at that width, in points: a bar chart as many rows as it has, a
// line chart about two thirds of its width.
double PreferredHeight(const ChartData& chart, double widthPoints);

// Round axis steps: 1, 2, 2.5 or 5 times a power of ten, so that about `ticks` fit `span`.
double RoundStep(double span, int ticks);
// The tick label of a value on an axis of that step.
std::string TickLabel(double value, double step);

}  // namespace kelvor
