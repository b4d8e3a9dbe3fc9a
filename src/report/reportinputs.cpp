// The middle of the report: geometry, stresses and the panel figure, then the two profiles.
#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/numformat.h"
#include "core/project.h"
#include "profiles/catalogue.h"
#include "report/canvas.h"
#include "report/localcheck.h"
#include "report/panelfigure.h"
#include "report/reportpage.h"
#include "report/sketches.h"

namespace kelvor {

namespace {

struct InputLine {
    const char* label;
    float Project::*value;
    const char* pattern;
    const char* unit;
};

constexpr InputLine kGeometry[] = {
    {"L1 = ", &Project::L1, "##0", " mm"},   {"L2 = ", &Project::L2, "##0", " mm"},
    {"Lg = ", &Project::Lg, "##0", " mm"},   {"t = ", &Project::t, "##0.0", " mm (plate th.)"},
    {"s1 = ", &Project::s1, "##0", " mm"},   {"s2 = ", &Project::s2, "##0", " mm"},
    {"Lgs = ", &Project::Lgs, "##0", " mm"}, {"Lt = ", &Project::Lt, "##0", " mm"},
};

constexpr InputLine kStresses[] = {
    {"SigxA = ", &Project::SigxA, "##0.0", " MPa"}, {"SigxB = ", &Project::SigxB, "##0.0", " MPa"},
    {"SigyA = ", &Project::SigyA, "##0.0", " MPa"}, {"SigyC = ", &Project::SigyC, "##0.0", " MPa"},
    {"Tau = ", &Project::Tau, "##0.0", " MPa"},
};

// The end attachment by kind of structure (CFactorTab) and option (CFactorOption).
constexpr const char* kAttachment[3][2] = {
    {"Stiffener: ends attached", "Stiffener: no end attachment"},
    {"Stiffener: clip attachment", "Stiffener: supported at both ends by girder"},
    {"Stiffener/Girder: Clear of tanks", "Stiffener/Girder: In way of tanks"},
};

std::string Input(const Project& p, const InputLine& in, char sep) {
    return in.label + Format(p.*in.value, in.pattern, sep) + in.unit;
}

std::string StructureLine(const Project& p, char sep) {
    switch (p.CFactorTab) {
        case 0:
            return std::string("Structure: ") + "Watertight bulkhead;  " +
                   "Unit length: UL = " + Format(p.UnitLength, "##0", sep) + " m";
        case 1:
            return "Structure: Tank bulkhead  ";
        default:
            return "Structure: Upper structure   ";
    }
}

const char* AttachmentText(const Project& p) {
    const int tab = p.CFactorTab < 0 || p.CFactorTab > 2 ? 1 : p.CFactorTab;
    return kAttachment[tab][p.CFactorOption == 1 ? 1 : 0];
}

std::string Mm(const char* name, float value, const char* pattern, char sep) {
    return name + Format(value, pattern, sep) + " mm";
}

// Two dimensions to a line, as the designation names them.
std::string Pair(const std::string& first, const std::string& second) {
    return first + "    " + second;
}

std::vector<std::string> FlangedDimensions(float H, float B, float tw, float tf, char sep) {
    return {Pair(Mm("H = ", H, "#00", sep), Mm("B = ", B, "#0.0", sep)),
            Pair(Mm("tw = ", tw, "#0.0", sep), Mm("tf = ", tf, "#0.0", sep))};
}

std::vector<std::string> StiffenerDimensionLines(const Project& p, char sep) {
    if (p.StiffProfileType < 0 || p.StiffProfileType >= kFamilyCount) {
        return {};
    }
    const std::string H = Mm("H = ", p.StiffH, "#00", sep);
    const std::string B = Mm("B = ", p.StiffB, "#0.0", sep);
    const std::string tw = Mm("tw = ", p.StiffTw, "#0.0", sep);
    switch (FamilyOf(p.StiffProfileType).shape) {
        case Shape::FlatBar:
        case Shape::Bulb:
            return {Pair(H, tw)};
        case Shape::Rhs:
            return {Pair(H, B), tw};
        case Shape::Trapezoid:
            return {Pair(H, B), Pair(Mm("a = ", p.StiffC, "#0.0", sep), tw)};
        default:
            return FlangedDimensions(p.StiffH, p.StiffB, p.StiffTw, p.StiffTf, sep);
    }
}

void Lines(ReportPage& page, double x, double& line, const std::vector<std::string>& lines) {
    for (const std::string& text : lines) {
        page.Text(x, line, text);
        line += 1;
    }
}

// The top of the panel figure's highest label, in its units above the origin.
constexpr double kPanelFigureTop = 70;

void PrintPanelFigure(ReportPage& page) {
    Canvas& c = page.c;
    // The figure's own frame, 280 wide and 400 high with y up; its origin at grid column
    // L + 0.5W + 8 on the current line, from where it extends upwards.
    c.ScaleTo(0, 400, 280, 0);
    c.SetFontSize(9);
    DrawPanelFigure(c, page.p, (page.Half() + 8) / page.columns * 280,
                    (page.rows - page.line) / page.rows * 400);
    c.SetLineWidth(1);
    c.SetLineStyle(LineStyle::Solid);
    c.SetForeColour(kRgbBlack);
    page.ToGrid();
}

// The right end of the widest of `lines` printed from x.
double RightOf(Canvas& c, double x, const std::vector<std::string>& lines) {
    double right = x;
    for (const std::string& text : lines) {
        right = std::max(right, x + c.TextWidth(text));
    }
    return right;
}

struct Room {
    double left, top, right, bottom;  // grid units
};

// How large a sketch comes out in the room: its scale, the sketch field being 100 x 75.
double SketchScale(const Canvas& c, const Room& r) {
    const double w = (r.right - r.left) / c.UnitsPerPointX();
    const double h = (r.bottom - r.top) / c.UnitsPerPointY();
    return w <= 0 || h <= 0 ? 0 : std::min(w / 100, h / 75);
}

// The family sketch in whichever room shows it larger, a gap clear of the text on its left.
void SketchIn(Canvas& c, std::optional<SketchId> sketch, std::initializer_list<Room> rooms) {
    constexpr double kGap = 2;  // columns
    if (!sketch) {
        return;
    }
    const Room* best = nullptr;
    double bestScale = 0;
    for (const Room& r : rooms) {
        const Room inner{r.left + kGap, r.top, r.right - kGap, r.bottom};
        if (const double scale = SketchScale(c, inner); scale > bestScale) {
            best = &r;
            bestScale = scale;
        }
    }
    if (best) {
        c.DrawSketch(*sketch, best->left + kGap, best->top, best->right - kGap, best->bottom);
    }
}

}  // namespace

void PrintGeometryPage(ReportPage& page) {
    const Project& p = page.p;
    const char sep = page.sep;
    const double top = page.line;
    page.Heading(page.L, top, "Geometry:");
    page.Heading(page.Half(), top, "Figure:");
    double left = top + 1.3;
    for (const InputLine& in : kGeometry) {
        page.Text(page.L, left, Input(p, in, sep));
        left += 1;
    }
    // A run that stopped before the c-factor step has none: a 0.00 would read as a value.
    const bool cFactors = !p.CFactorText.empty();
    const auto factor = [&](double value) {
        return cFactors ? Format(value, "##0.00", sep) : std::string("-");
    };
    std::vector<std::string> structure = {
        StructureLine(p, sep), std::string(AttachmentText(p)) + " c-factor = " + factor(p.c)};
    if (p.CFactorTab > 0) {
        structure.push_back("Girder c-factor = " + factor(p.cg));
    }
    Lines(page, page.L, left, structure);

    double end = left;
    if (page.ctx.kind == 4) {
        page.Text(page.Quarter(), left,
                  "ps = " + Format(p.ps, "##0.000", sep) + " MPa (Scantling)");
        end = left + 1;
    } else {
        double stresses = top;
        page.Heading(page.Quarter(), stresses, "Stresses:");
        stresses += 1.3;
        for (const InputLine& in : kStresses) {
            page.Text(page.Quarter(), stresses, Input(p, in, sep));
            stresses += 1;
        }
        if (p.p != 0) {
            page.Text(page.Quarter(), stresses, "p = " + Format(p.p, "##0.000", sep) + " MPa");
            stresses += 1;
        }
        end = std::max(end, stresses);
    }
    // One line below the block, but never so high that the panel figure, which rises from
    // this line, would reach the "Figure:" heading: with two structure lines the block is
    // shorter than the figure.
    page.line = std::max(end, top + 1.3 + kPanelFigureTop / 400 * page.rows);

    page.Rule(page.line);
    page.c.Line(page.Half() - 0.5, page.materialTop, page.Half() - 0.5, page.line - 0.5);
    PrintPanelFigure(page);
}

void PrintProfiles(ReportPage& page) {
    Canvas& c = page.c;
    const Project& p = page.p;
    const char sep = page.sep;
    page.line += 0.5;
    const double start = page.line;

    page.Heading(page.L, page.line, "Stiffener:");
    page.line += 1.3;
    std::vector<std::string> stiffener = StiffenerDimensionLines(p, sep);
    stiffener.insert(stiffener.begin(), p.StiffDesignation);
    Lines(page, page.L, page.line, stiffener);
    const double verdictTop = page.line;
    stiffener.push_back("Stiffener:");
    ShowLocalBucklingCheck(c, p, page.line, page.Tenth(), 1);
    page.line += 1;
    // The verdicts follow their texts; " NOK (ch 9.9)" is the longest tail they get.
    const double verdicts = RightOf(
        c, page.Tenth(), {p.FlangeCheckText + " NOK (ch 9.9)", p.WebCheckText + " NOK (ch 9.9)"});

    double girder = start;
    page.Heading(page.SixTenths(), girder, "Girder:");
    girder += 1.3;
    std::vector<std::string> girderLines =
        FlangedDimensions(p.GirderH, p.GirderB, p.GirderTw, p.GirderTf, sep);
    girderLines.insert(girderLines.begin(), p.GirderDesignation);
    Lines(page, page.SixTenths(), girder, girderLines);
    girderLines.push_back("Girder:");

    // Each sketch beside its profile's lines, clear of every text. On the stiffener's side the
    // slenderness verdicts reach furthest right: the sketch goes either above them, beside the
    // dimensions, or beside the verdicts over the whole section, whichever shows it larger.
    const double bottom = page.line - 0.2;
    const double dimensions = RightOf(c, page.L, stiffener);
    SketchIn(c, StiffenerSketch(p.StiffProfileType),
             {{dimensions, start, page.SixTenths(), verdictTop - 0.1},
              {std::max(dimensions, verdicts), start, page.SixTenths(), bottom}});
    SketchIn(
        c, GirderSketch(p.GirderProfileType),
        {{RightOf(c, page.SixTenths(), girderLines), start, static_cast<double>(page.R), bottom}});

    page.Rule(page.line);
    page.line += 0.3;
}

}  // namespace kelvor
