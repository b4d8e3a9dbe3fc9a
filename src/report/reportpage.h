#pragma once

// The page being printed, shared by the report's source files (report*.cpp only).

#include <string>

#include "report/report.h"

namespace kelvor {

class Canvas;
struct Project;
struct Tables;

constexpr double kBodySize = 10;  // points

// The page grid of the body size: x in average characters, y in text lines, from the top left.
struct ReportPage {
    ReportPage(Canvas& canvas, const Project& project, const Tables& tables,
               const ReportContext& context);

    Canvas& c;
    const Project& p;
    const Tables& tables;
    const ReportContext& ctx;
    char sep;  // decimal separator

    PageGrid grid;
    double columns = 0, rows = 0;  // of the body size: the grid's extent
    double L = 0;                  // left margin
    int R = 0;                     // right margin
    double W = 0;                  // R - L, rounded
    double line = 2;               // the current line
    double materialTop = 0;        // where the material section starts

    // Column stops.
    double Tenth() const { return L + 0.1 * W; }
    double Quarter() const { return L + 0.25 * W; }
    double Half() const { return L + 0.5 * W; }
    double SixTenths() const { return L + 0.6 * W; }

    // The body font's coordinate system again, after a part drew in one of its own.
    void ToGrid();
    void Text(double x, double y, const std::string& text);
    // Bold, italic and underlined.
    void Heading(double x, double y, const std::string& text);
    // A thin rule across the text width.
    void Rule(double y);
};

void PrintPageFrame(ReportPage& page, int pageNumber);
void PrintMaterialPage(ReportPage& page);
void PrintGeometryPage(ReportPage& page);
void PrintProfiles(ReportPage& page);

}  // namespace kelvor
