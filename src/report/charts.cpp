#include "report/charts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/numformat.h"
#include "report/canvas.h"

namespace kelvor {

namespace {

// Apart enough from one another and from green and red to tell thirteen lines apart in print.
constexpr Rgb kPalette[] = {
    RgbOf(0, 114, 178),  RgbOf(213, 94, 0),   RgbOf(0, 158, 115),  RgbOf(204, 121, 167),
    RgbOf(230, 159, 0),  RgbOf(86, 180, 233), RgbOf(0, 0, 0),      RgbOf(139, 69, 19),
    RgbOf(127, 127, 127), RgbOf(148, 0, 211), RgbOf(34, 139, 34),  RgbOf(220, 20, 60),
    RgbOf(30, 144, 255), RgbOf(184, 134, 11), RgbOf(47, 79, 79),   RgbOf(255, 20, 147),
};
constexpr Rgb kBarGreen = RgbOf(0, 160, 0);
constexpr Rgb kBarRed = RgbOf(210, 0, 0);
constexpr Rgb kGrid = RgbOf(220, 220, 220);
constexpr Rgb kGrey = RgbOf(110, 110, 110);
constexpr Rgb kGap = RgbOf(236, 236, 236);
constexpr Rgb kFailureRed = RgbOf(200, 0, 0);

constexpr double kMargin = 10;  // points
constexpr double kLabelSize = 9;
constexpr double kTitleSize = 11;
// An axis shows factors up to three times the limit; a longer bar or line runs off its end.
constexpr double kAxisCap = 3;

enum class Align { Left, Centre, Right };

void Text(Canvas& c, double x, double y, const std::string& text, Align align = Align::Left) {
    const double w = c.TextWidth(text);
    c.MoveTo(align == Align::Left ? x : align == Align::Centre ? x - w / 2 : x - w, y);
    c.Print(text);
}

void Style(Canvas& c, Rgb colour, double width, LineStyle style = LineStyle::Solid) {
    c.SetForeColour(colour);
    c.SetLineWidth(width);
    c.SetLineStyle(style);
}

void LabelFont(Canvas& c, bool bold = false, bool italic = false) {
    c.SetFont({"arial", kLabelSize, bold, italic, false});
}

// The words of `text` in lines no wider than `width`.
std::vector<std::string> Wrap(Canvas& c, const std::string& text, double width) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        end = end == std::string::npos ? text.size() : end;
        const std::string word = text.substr(start, end - start);
        const std::string joined = line.empty() ? word : line + " " + word;
        if (!line.empty() && c.TextWidth(joined) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = joined;
        }
        start = end + 1;
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

// A value axis from 0: at least a fifth past the limit, to the largest value, at most kAxisCap
// times the limit, ending on a step.
struct Axis {
    double low = 0, high = 1, step = 1;
    double From(double v, double a, double b) const {
        return a + (std::clamp(v, low, high) - low) / (high - low) * (b - a);
    }
};

Axis FactorAxis(double largest, double limit, double length) {
    Axis axis;
    const double top = std::clamp(largest * 1.05, 1.2 * limit, kAxisCap * limit);
    axis.step = RoundStep(top, std::max(2, static_cast<int>(length / 60)));
    axis.high = std::ceil(top / axis.step - 1e-9) * axis.step;
    return axis;
}

template <typename Each>
void ForTicks(const Axis& axis, Each each) {
    const double first = std::ceil(axis.low / axis.step - 1e-9) * axis.step;
    for (double v = first; v <= axis.high + axis.step * 1e-6; v += axis.step) {
        each(std::abs(v) < axis.step * 1e-9 ? 0.0 : v);
    }
}

// Through the program's own formats, so that a bar reads as its row in the list does.
std::string Fixed(double v, int decimals) {
    return Format(v, decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0')
                                  : std::string("0"));
}

void Title(Canvas& c, const ChartData& chart) {
    c.SetFont({"arial", kTitleSize, true, false, false});
    c.SetForeColour(kRgbBlack);
    Text(c, kMargin, kMargin, chart.title);
}

void Lines(Canvas& c, const std::vector<std::string>& lines, double x, double y, Rgb colour) {
    c.SetForeColour(colour);
    for (const std::string& line : lines) {
        Text(c, x, y, line);
        y += c.TextHeight(line);
    }
}

// ---- one run: a bar per factor

void DrawBars(Canvas& c, const ChartData& chart, double width, double height) {
    LabelFont(c);
    const double th = c.TextHeight("0");
    double top = kMargin + c.TextHeight(chart.title) * kTitleSize / kLabelSize + 6;
    if (chart.bars.empty()) {
        const std::string text = chart.failure.empty() ? "No factor in this mode" : chart.failure;
        Lines(c, Wrap(c, text, width - 2 * kMargin), kMargin, top + th,
              chart.failure.empty() ? kRgbBlack : kFailureRed);
        return;
    }
    double names = 0;
    for (const ChartBar& bar : chart.bars) {
        LabelFont(c, bar.governing);
        names = std::max(names, c.TextWidth(bar.name));
    }
    LabelFont(c, true);
    const double left = kMargin + names + 8;
    const double right = width - kMargin - c.TextWidth("0.000 governs") - 6;
    LabelFont(c);
    const std::vector<std::string> failure =
        Wrap(c, chart.failure, width - 2 * kMargin);
    top += th + 2;  // the limit's label
    const double room = height - kMargin - top - 2 * th - 10 - failure.size() * th;
    const double rowHeight = std::min(22.0, room / static_cast<double>(chart.bars.size()));
    const double bottom = top + rowHeight * static_cast<double>(chart.bars.size());

    double largest = 0;
    for (const ChartBar& bar : chart.bars) {
        largest = bar.checked ? std::max(largest, bar.value) : largest;
    }
    const Axis axis = FactorAxis(largest, chart.limit, right - left);
    const auto X = [&](double v) { return axis.From(v, left, right); };
    ForTicks(axis, [&](double v) {
        Style(c, kGrid, 1);
        c.Line(X(v), top, X(v), bottom);
        c.SetForeColour(kRgbBlack);
        Text(c, X(v), bottom + 3, TickLabel(v, axis.step), Align::Centre);
    });
    Text(c, (left + right) / 2, bottom + 5 + th, "Utilisation factor", Align::Centre);

    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        const ChartBar& bar = chart.bars[i];
        const double mid = top + (static_cast<double>(i) + 0.5) * rowHeight;
        LabelFont(c, bar.governing);
        c.SetForeColour(bar.checked ? kRgbBlack : kGrey);
        Text(c, left - 4, mid - th / 2, bar.name, Align::Right);
        if (!bar.checked) {
            LabelFont(c, false, true);
            Text(c, left + 4, mid - th / 2, "not checked");
            continue;
        }
        const Rgb colour = bar.passes ? kBarGreen : kBarRed;
        Style(c, colour, 1);
        const double half = std::max(1.0, rowHeight * 0.3);
        c.Box(left, mid - half, std::max(X(bar.value), left + 0.5), mid + half, FillStyle::Solid,
              colour);
        c.SetForeColour(kRgbBlack);
        Text(c, X(bar.value) + 4, mid - th / 2,
             Fixed(bar.value, 3) + (bar.governing ? " governs" : ""));
    }
    Style(c, kRgbBlack, 1);
    c.Line(left, top, left, bottom);
    c.Line(left, bottom, right, bottom);
    Style(c, kRgbBlack, 2);
    c.Line(X(chart.limit), top - 2, X(chart.limit), bottom);
    LabelFont(c);
    Text(c, X(chart.limit), top - th - 2, "limit " + Fixed(chart.limit, 1), Align::Centre);
    Lines(c, failure, kMargin, bottom + 8 + 2 * th, kFailureRed);
}

// ---- a sweep: a line per factor over the input

std::string LegendText(const ChartSeries& s) {
    std::string text = s.name;
    for (std::size_t i = 0; i < s.limitAt.size() && i < 2; ++i) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%s%.4g", i == 0 ? "  at " : ", ", s.limitAt[i]);
        text += buf;
    }
    return text + (s.limitAt.size() > 2 ? ", ..." : "");
}

// What of a segment lies inside low <= y <= high, or false when none is.
bool ClipY(double& x1, double& y1, double& x2, double& y2, double low, double high) {
    for (double bound : {low, high}) {
        const bool out1 = bound == low ? y1 < low : y1 > high;
        const bool out2 = bound == low ? y2 < low : y2 > high;
        if (out1 && out2) {
            return false;
        }
        if (out1 || out2) {
            const double t = (bound - y1) / (y2 - y1);
            const double x = x1 + t * (x2 - x1);
            (out1 ? x1 : x2) = x;
            (out1 ? y1 : y2) = bound;
        }
    }
    return true;
}

void DrawLines(Canvas& c, const ChartData& chart, double width, double height) {
    LabelFont(c);
    const double th = c.TextHeight("0");
    double legend = 0;
    for (const ChartSeries& s : chart.series) {
        LabelFont(c, s.governing);
        legend = std::max(legend, c.TextWidth(LegendText(s)));
    }
    LabelFont(c);
    const std::vector<std::string> note = Wrap(c, chart.note, width - 2 * kMargin);
    const std::vector<std::string> failure = Wrap(c, chart.failure, width - 2 * kMargin);

    double largest = 0;
    for (const ChartSeries& s : chart.series) {
        for (double y : s.y) {
            largest = std::isfinite(y) ? std::max(largest, y) : largest;
        }
    }
    // The y axis's name above the plot, clear of its top tick label; the x tick labels clear of
    // the bottom one.
    const double yLabelAt = kMargin + th * kTitleSize / kLabelSize + 6;
    const double top = yLabelAt + 1.5 * th + 2;
    const double xTicksAt = th / 2 + 2;
    const double bottom =
        height - kMargin - xTicksAt - 2 * th - 6 -
        static_cast<double>(note.size() + failure.size()) * th;
    const Axis yAxis = FactorAxis(largest, chart.limit, (bottom - top) * 1.5);
    double tickWidth = 0;
    ForTicks(yAxis, [&](double v) {
        tickWidth = std::max(tickWidth, c.TextWidth(TickLabel(v, yAxis.step)));
    });
    const double left = kMargin + tickWidth + 6;
    const double right = width - kMargin - (legend > 0 ? legend + 30 : 0);
    Axis xAxis;
    xAxis.low = chart.x.empty() ? 0 : chart.x.front();
    xAxis.high = chart.x.empty() ? 1 : chart.x.back();
    if (!(xAxis.high > xAxis.low)) {
        xAxis.high = xAxis.low + 1;
    }
    xAxis.step = RoundStep(xAxis.high - xAxis.low, std::max(2, static_cast<int>((right - left) / 70)));
    const auto X = [&](double v) { return xAxis.From(v, left, right); };
    const auto Y = [&](double v) { return yAxis.From(v, bottom, top); };

    // The steps whose run stopped, as grey bands reaching halfway to their neighbours.
    const std::size_t n = chart.x.size();
    for (std::size_t i = 0; i < n && i < chart.failed.size(); ++i) {
        if (!chart.failed[i]) {
            continue;
        }
        std::size_t j = i;
        while (j + 1 < n && j + 1 < chart.failed.size() && chart.failed[j + 1]) {
            ++j;
        }
        const double a = i > 0 ? (chart.x[i - 1] + chart.x[i]) / 2 : chart.x[i];
        const double b = j + 1 < n ? (chart.x[j] + chart.x[j + 1]) / 2 : chart.x[j];
        Style(c, kGap, 1);
        c.Box(X(a), top, std::max(X(b), X(a) + 1), bottom, FillStyle::Solid, kGap);
        LabelFont(c, false, true);
        if (c.TextWidth("run failed") + 4 <= X(b) - X(a)) {
            c.SetForeColour(kGrey);
            Text(c, (X(a) + X(b)) / 2, top + 2, "run failed", Align::Centre);
        }
        i = j;
    }
    LabelFont(c);
    ForTicks(yAxis, [&](double v) {
        Style(c, kGrid, 1);
        c.Line(left, Y(v), right, Y(v));
        c.SetForeColour(kRgbBlack);
        Text(c, left - 4, Y(v) - th / 2, TickLabel(v, yAxis.step), Align::Right);
    });
    ForTicks(xAxis, [&](double v) {
        Style(c, kGrid, 1);
        c.Line(X(v), top, X(v), bottom);
        c.SetForeColour(kRgbBlack);
        Text(c, X(v), bottom + xTicksAt, TickLabel(v, xAxis.step), Align::Centre);
    });
    Text(c, (left + right) / 2, bottom + xTicksAt + th + 2, chart.xLabel, Align::Centre);
    const std::string yLabel = "Utilisation factor";
    Text(c, kMargin, yLabelAt, yLabel);

    for (const ChartSeries& s : chart.series) {
        const Rgb colour = kPalette[static_cast<std::size_t>(s.colour) % std::size(kPalette)];
        Style(c, colour, s.governing ? 2.5 : 1.5);
        for (std::size_t i = 1; i < n && i < s.y.size(); ++i) {
            double x1 = chart.x[i - 1], y1 = s.y[i - 1], x2 = chart.x[i], y2 = s.y[i];
            if (std::isfinite(y1) && std::isfinite(y2) &&
                ClipY(x1, y1, x2, y2, yAxis.low, yAxis.high)) {
                c.Line(X(x1), Y(y1), X(x2), Y(y2));
            }
        }
    }
    Style(c, kRgbBlack, 1);
    c.Line(left, top, left, bottom);
    c.Line(left, bottom, right, bottom);
    Style(c, kRgbBlack, 2);
    c.Line(left, Y(chart.limit), right, Y(chart.limit));
    Text(c, right - 2, Y(chart.limit) - th - 1, "limit " + Fixed(chart.limit, 1), Align::Right);
    for (const ChartSeries& s : chart.series) {
        for (double at : s.limitAt) {
            c.FilledCircle(X(at), Y(chart.limit), 3,
                           kPalette[static_cast<std::size_t>(s.colour) % std::size(kPalette)]);
        }
    }
    if (chart.showProject && chart.projectX >= xAxis.low && chart.projectX <= xAxis.high) {
        Style(c, kGrey, 1, LineStyle::DashDot);
        c.Line(X(chart.projectX), top, X(chart.projectX), bottom);
        c.SetForeColour(kGrey);
        const double w = c.TextWidth("project");
        const double at = std::clamp(X(chart.projectX) - w / 2,
                                     kMargin + c.TextWidth(yLabel) + 8, right - w);
        Text(c, at, yLabelAt, "project");
    }

    // The legend: a stroke of each line, its name and where it meets the limit.
    double y = top;
    for (const ChartSeries& s : chart.series) {
        const Rgb colour = kPalette[static_cast<std::size_t>(s.colour) % std::size(kPalette)];
        Style(c, colour, s.governing ? 2.5 : 1.5);
        c.Line(right + 10, y + th / 2, right + 24, y + th / 2);
        LabelFont(c, s.governing);
        c.SetForeColour(kRgbBlack);
        Text(c, right + 28, y, LegendText(s));
        y += th + 3;
    }
    LabelFont(c);
    const double below = bottom + xTicksAt + 2 * th + 6;
    Lines(c, note, kMargin, below, kRgbBlack);
    Lines(c, failure, kMargin, below + static_cast<double>(note.size()) * th, kFailureRed);
}

}  // namespace

double RoundStep(double span, int ticks) {
    if (!(span > 0) || ticks < 1) {
        return 1;
    }
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0}) {
        if (m * power >= raw * (1 - 1e-9)) {
            return m * power;
        }
    }
    return 10 * power;
}

std::string TickLabel(double value, double step) {
    const double power = std::floor(std::log10(step) + 1e-9);
    const double mantissa = step / std::pow(10.0, power);
    int decimals = std::max(0, static_cast<int>(-power));
    if (std::abs(mantissa - 2.5) < 1e-6 && power <= 0) {
        decimals += 1;
    }
    return Fixed(std::abs(value) < step * 1e-9 ? 0.0 : value, decimals);
}

double PreferredHeight(const ChartData& chart, double widthPoints) {
    if (chart.kind == ChartData::Kind::Lines) {
        return std::max(300.0, widthPoints * 0.62);
    }
    // Title, limit label, axis, its label and a failure line around rows of 22 points.
    return 120 + 22 * static_cast<double>(std::max<std::size_t>(chart.bars.size(), 2));
}

void DrawChart(Canvas& c, const ChartData& chart) {
    const double width = c.WidthPoints();
    const double height = c.HeightPoints();
    c.ScaleTo(0, 0, width, height);
    c.Clear();
    Title(c, chart);
    if (chart.kind == ChartData::Kind::Bars) {
        DrawBars(c, chart, width, height);
    } else {
        DrawLines(c, chart, width, height);
    }
}

}  // namespace kelvor
