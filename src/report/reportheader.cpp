// The top of the report: the header frame and the material and loading section.
#include <string>
#include <vector>

#include "core/numformat.h"
#include "core/project.h"
#include "core/tables.h"
#include "report/canvas.h"
#include "report/reportpage.h"

namespace kelvor {

namespace {

std::string MaterialName(const Tables& tables, int index) {
    if (index < 0 || index >= static_cast<int>(tables.Materials.size())) {
        return "";
    }
    return tables.Materials[static_cast<std::size_t>(index)].MatName;
}

const char* ConditionLetter(int condition) {
    switch (condition) {
        case 1:
            return "B";
        case 2:
            return "C";
        default:
            return "A";
    }
}

// A section column: a heading and its lines, from its own line counter.
void Column(ReportPage& page, double x, double& line, const std::string& heading,
            const std::vector<std::string>& lines) {
    page.Heading(x, line, heading);
    line += 1.3;
    for (const std::string& text : lines) {
        page.Text(x, line, text);
        line += 1;
    }
}

}  // namespace

void PrintPageFrame(ReportPage& page, int pageNumber) {
    Canvas& c = page.c;
    const Project& p = page.p;
    c.SetFontName("arial");
    c.SetFontSize(18);
    c.SetBold(true);
    c.SetForeColour(p.HeaderColour);
    page.Text(page.L, page.line, "Kelvor");
    c.SetForeColour(kRgbBlack);
    c.SetFontSize(kBodySize);

    const std::string date = "Date: " + page.ctx.date;
    const double right = RoundToInt(page.R - c.TextWidth(date));
    c.SetBold(false);
    page.Text(right, page.line + 0.5, "Page: " + std::to_string(pageNumber));

    page.line += 2;
    c.SetFontSize(kBodySize + 1);
    page.Text(page.L, page.line,
              page.ctx.kind >= 3
                  ? "Scantling of Plate/Stiff/Girder based on ABS Offshore Structures"
                  : "Plate/Stiff/Girder check based on ABS Offshore Structures");
    c.SetFontSize(kBodySize);
    page.Text(right, page.line, date);
    page.line += 1;

    page.Text(page.L, page.line, "Version " + page.ctx.version);
    page.Text(right, page.line,
              "Time: " + std::to_string(page.ctx.hour) + ":" + std::to_string(page.ctx.minute));
    page.line += 1.2;
    page.Rule(page.line);
    page.line += 0.5;

    c.SetFontName("times new roman");
    // The path as the file system spells it: on this platform case matters, and a lower-cased
    // path would name a file that does not exist.
    page.Text(page.L, page.line, "File: " + p.ProjectFile);
    page.line += 1;
    page.Text(page.L, page.line, "Project: " + p.ProjectName);
    page.line += 1;
    page.Text(page.L, page.line, "Identification: " + p.Identification);
    page.line += 1.3;
    page.Rule(page.line);
    page.line += 0.3;
}

void PrintMaterialPage(ReportPage& page) {
    const Project& p = page.p;
    const char sep = page.sep;
    page.materialTop = page.line;
    double left = page.line;
    Column(page, page.L, left, "Material:",
           {"Plate & Girder/Stiffener: " + MaterialName(page.tables, p.PlateMaterialIndex) + "/" +
                MaterialName(page.tables, p.StiffMaterialIndex),
            "Yield stress: Fyp/Fys = " + Format(p.Fyp, "###", sep) + "/" +
                Format(p.Fys, "###", sep) + " MPa",
            "Tensile stress: Fup/Fus = " + Format(p.Fup, "###", sep) + "/" +
                Format(p.Fus, "###", sep) + " MPa",
            "Youngs modulus: E = " + Format(p.E, "0.00E+0", sep) + " MPa"});
    double right = page.line;
    // "Utlization" is the system's own spelling; printed reports are compared against it.
    Column(page, page.Half(), right, "Loading Condition / Safety format:",
           {std::string("Loading Condition: ") + ConditionLetter(p.LoadingCondition),
            "Factor of Safety: F.S = " + Format(p.FS, "#0.00", sep),
            "Max Allow Utlization Factor: UF = " + Format(p.UFallow, "#0.00", sep)});
    // 1.3 below the last line of the left column, whose counter already stands a line below.
    page.line = left - 1 + 1.3;
    page.Rule(page.line);
    page.line += 0.3;
}

}  // namespace kelvor
