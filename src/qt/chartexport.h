#pragma once

// A chart written to a file: PNG through an image, SVG through QSvgGenerator, PDF through the
// PDF writer of the report, all painted by the one chart drawing on a QtCanvas.

#include <string>

namespace kelvor {

struct ChartData;

// The format follows the file's ending (.png, .svg or .pdf, in any case). On failure returns
// false with the reason in `message`: "can't save file - PATH", or the endings it knows.
// Needs a QGuiApplication for the fonts (EnsureGuiApplication in a program without a window).
bool ExportChart(const ChartData& chart, const std::string& path, std::string& message);

// The width a PNG or SVG chart is drawn at, in points: room for the legend beside the plot. Its
// height is the chart's own (PreferredHeight); a PDF chart fills an A4 page across.
inline constexpr int kChartWidthPoints = 720;

}  // namespace kelvor
