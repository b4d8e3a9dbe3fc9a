#include "report/resultblocks.h"

#include "core/concat.h"
#include "core/numformat.h"
#include "core/project.h"

namespace kelvor {

namespace {

void Sync(Project& p) {
    p.ResultRow = static_cast<int>(p.Result.Count());
}

void Heading(Project& p, const char* text) {
    p.Result.AppendHeading(text);
    Sync(p);
}

// A plain row joined from its pieces straight into the row's text.
template <typename... Pieces>
void Plain(Project& p, const Pieces&... pieces) {
    AssignConcat(p.Result.AppendRow().text, pieces...);
    Sync(p);
}

void Append(Project& p, const ResultLine& line) {
    p.Result.AppendLine(line);
    Sync(p);
}

// A row shown whenever its check ran, even with an empty label: the torsional row of a
// stiffener not in compression has only its formula text. A check that did not run (the run
// failed before it) leaves the line empty and gets no row.
void Line(Project& p, const ResultLine& line) {
    if (!line.label.empty() || !line.formula.empty()) {
        Append(p, line);
    }
}

// A row shown only when its label was written in this run.
void LineIfLabelled(Project& p, const ResultLine& line) {
    if (line.Produced()) {
        Append(p, line);
    }
}

// A run that stopped before its breadths were settled (in the panel's input, the plate
// buckling that gives se, the rule breadth be or the section properties with attached plate,
// which clear both when not reached) has no breadths to show: "se = 0.0 mm" would be a number
// of no panel.
bool BreadthsReached(const Project& p) {
    if (!p.CalcFailure) {
        return true;
    }
    for (const char* routine : {"panel input", "plate buckling", "rule effective breadth",
                                "stiffener section properties"}) {
        if (p.CalcFailure->routine == routine) {
            return false;
        }
    }
    return true;
}

NumberText Mm(float value) {
    return FormatText(value, "#0.0");
}
NumberText Mm(double value) {
    return FormatText(value, "#0.0");
}

}  // namespace

void WriteBucklingResults(Project& p) {
    Plain(p,
          "(Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)");
    Heading(p, "PLATE BUCKLING CONTROL: (Max from plate 1/2)");
    LineIfLabelled(p, p.UFpbText);
    LineIfLabelled(p, p.UFpuText);
    LineIfLabelled(p, p.UFplText);
    Heading(p, "STIFFENER BUCKLING CONTROL:");
    // The bending term of the beam-column check works with the rule breadth be; the row has
    // always called it sw, and printed reports compare against that text.
    if (BreadthsReached(p)) {
        Plain(p, "Buckling, se = ", Mm(p.se), " mm   Bending, sw = ", Mm(p.be), " mm");
    }
    Line(p, p.UFbuText);
    Line(p, p.UFbtText);
    Line(p, p.UFsText);
    if (p.PlateErrorFlag1 || p.PlateErrorFlag2) {
        ResultListRow& row = p.Result.AppendRow();
        row.text = "ERROR in calculation, decrease Sigy-stress";
        row.colour = kPureRed;
        Sync(p);
    }
    Heading(p, "OVERALL BUCKLING CONTROL:");
    Line(p, p.UFgbuText);
    if (p.IncludeDeformation && p.p != 0) {
        Heading(p, "STIFFENER DEFORMATION CHECK:");
        LineIfLabelled(p, p.DeformationText);
    }
}

void WriteScantlingYieldResults(Project& p) {
    // The title has never had an opening parenthesis; reports and users compare against it.
    Plain(p,
          "Rule/Scantling/Yield: ABS, Mobile Offshore Drilling Units, Part 3 Hull Construction and "
          "equipment)");
    if (p.UFtText.Produced()) {
        Heading(p, "PLATE SCANTLING:");
        Line(p, p.UFtText);
    }
    if (p.StiffSmText.Produced()) {
        Heading(p, "STIFFENER SCANTLING:");
        Plain(p, "Effective width sw = ", Mm(p.sw), " mm ");
        Line(p, p.StiffSmText);
    }
    if (p.GirderSmText.Produced()) {
        Heading(p, "GIRDER SCANTLING:");
        Plain(p, "Effective width sw = ", Mm(p.GirderEffBreadth), " mm ");
        Line(p, p.GirderSmText);
    }
    // The girder proportions stand on their own: each shows whenever it was produced.
    LineIfLabelled(p, p.GirderDepthText);
    LineIfLabelled(p, p.GirderWebText);
    LineIfLabelled(p, p.TrippingText);
    if (p.UFyText.Produced()) {
        Heading(p, "PLATE YIELD CONTROL:");
        Line(p, p.UFyText);
    }
    Heading(p, "STIFFENER YIELD CHECK:");
    Plain(p, " (check at points 1-3, plate(p) and stiffener(s)). Effective width sw = ", Mm(p.sw),
          " mm");
    Line(p, p.YieldPlateText);
    Line(p, p.YieldStiffText);
}

}  // namespace kelvor
