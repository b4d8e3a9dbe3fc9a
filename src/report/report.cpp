#include "report/report.h"

#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "core/numformat.h"
#include "core/project.h"
#include "profiles/catalogue.h"
#include "report/canvas.h"
#include "report/reportpage.h"

#ifndef KELVOR_VERSION
#define KELVOR_VERSION "unknown"
#endif

namespace kelvor {

namespace {

constexpr double kMmPerPoint = 25.4 / 72;

// Breaks between words so that no line is wider than `width`; a word wider than that stands
// alone.
std::vector<std::string> WrapToWidth(const Canvas& c, const std::string& text, double width) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word;
    std::string current;
    while (words >> word) {
        const std::string longer = current.empty() ? word : current + ' ' + word;
        if (!current.empty() && c.TextWidth(longer) > width) {
            lines.push_back(current);
            current = word;
        } else {
            current = longer;
        }
    }
    if (!current.empty()) {
        lines.push_back(current);
    }
    return lines;
}

void ToMillimetres(Canvas& c) {
    c.ScaleTo(0, 0, c.WidthPoints() * kMmPerPoint, c.HeightPoints() * kMmPerPoint);
}

}  // namespace

const char* ProgramVersion() {
    return KELVOR_VERSION;
}

ReportContext ReportContextNow(int kind) {
    ReportContext ctx;
    ctx.kind = kind;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    ctx.date = date;
    ctx.hour = local.tm_hour;
    ctx.minute = local.tm_min;
    ctx.version = ProgramVersion();
    return ctx;
}

PageGrid MeasurePageGrid(Canvas& c) {
    ToMillimetres(c);
    c.SetFontName("times new roman");
    const double width = c.ScaleRight() - c.ScaleLeft();
    const double height = c.ScaleBottom() - c.ScaleTop();
    PageGrid grid;
    for (int size = 8; size <= 11; ++size) {
        c.SetFontSize(size);
        // One x unit about one average character, one y unit a little more than a text line.
        grid.columns[static_cast<std::size_t>(size)] =
            RoundToInt(20 * width / c.TextWidth("SmGasdfghjklpoiuytre"));
        grid.rows[static_cast<std::size_t>(size)] =
            RoundToInt(0.9 * height / c.TextHeight("Kelvor"));
    }
    return grid;
}

ReportPage::ReportPage(Canvas& canvas, const Project& project, const Tables& t,
                       const ReportContext& context)
    : c(canvas), p(project), tables(t), ctx(context), sep(DecimalSeparatorOf(project)) {}

void ReportPage::ToGrid() {
    c.ScaleTo(0, 0, columns, rows);
    c.SetFontSize(kBodySize);
}

void ReportPage::Text(double x, double y, const std::string& text) {
    c.MoveTo(x, y);
    c.Print(text);
}

void ReportPage::Heading(double x, double y, const std::string& text) {
    c.SetBold(true);
    c.SetItalic(true);
    c.SetUnderline(true);
    Text(x, y, text);
    c.SetBold(false);
    c.SetItalic(false);
    c.SetUnderline(false);
}

void ReportPage::Rule(double y) {
    c.SetLineWidth(1);
    c.Line(L, y, R, y);
}

int PrintPages(Canvas& c, const Project& p, const Tables& tables, const ReportContext& ctx,
               const NextSheet& nextSheet) {
    ReportPage page(c, p, tables, ctx);
    page.grid = MeasurePageGrid(c);
    page.columns = page.grid.columns[static_cast<std::size_t>(kBodySize)];
    page.rows = page.grid.rows[static_cast<std::size_t>(kBodySize)];
    page.L = 0.1 * page.columns;
    page.R = RoundToInt(0.95 * page.columns);
    page.W = RoundToInt(page.R - page.L);
    page.ToGrid();
    c.SetForeColour(kRgbBlack);
    page.line = 2;

    int pages = 1;
    PrintPageFrame(page, pages);
    PrintMaterialPage(page);
    PrintGeometryPage(page);
    PrintProfiles(page);

    // A row goes on when its last line, in its own font, still ends on the page; otherwise the
    // sheet is turned and the rows go on under the header of the next page.
    const RowRoom room = [&](double& line, double lines) {
        if (!nextSheet || line + lines - 1 + c.TextHeight("Kelvor") <= page.rows) {
            return true;
        }
        if (!nextSheet()) {
            return false;
        }
        // The header prints in fonts of its own; the row goes on in the one it was set in.
        const Font font = c.CurrentFont();
        const Rgb fore = c.ForeColour();
        page.line = 2;
        PrintPageFrame(page, ++pages);
        line = page.line;
        c.SetFont(font);
        c.SetForeColour(fore);
        return true;
    };
    page.ToGrid();
    const bool buckling = ctx.kind == 1 || ctx.kind >= 3;
    const bool scantling = ctx.kind >= 2;
    if (buckling && !PrintBucklingResults(c, p, page.line, page.L, 1, room)) {
        return pages;
    }
    if (scantling && !PrintScantlingYieldResults(c, p, page.line, page.L, 1, room)) {
        return pages;
    }
    // A run that stopped says where, as its result list does: the blocks above hold only the
    // checks done before it. Its lines stay together.
    if (p.CalcFailure) {
        c.SetForeColour(kPureRed);
        c.SetBold(false);
        const std::vector<std::string> lines =
            WrapToWidth(c, p.CalcFailure->Text(), page.R - page.L);
        if (!room(page.line, static_cast<double>(lines.size()))) {
            return pages;
        }
        for (const std::string& text : lines) {
            page.Text(page.L, page.line, text);
            page.line += 1;
        }
        c.SetForeColour(kRgbBlack);
    }
    return pages;
}

}  // namespace kelvor
