// The result blocks as printed: the rows of the screen's result list, with the differences the
// printed page has always had.
#include <span>
#include <string>

#include "core/numformat.h"
#include "core/project.h"
#include "profiles/catalogue.h"
#include "report/canvas.h"
#include "report/report.h"

namespace kelvor {

namespace {

enum class Kind { Heading, Plain, Result, Error };

// When a row is printed: always, when its result line has a label, or when its check ran (the
// torsional row of a stiffener not in compression has a formula text only).
enum class When { Always, Labelled, Ran };

struct Row {
    Kind kind;
    const char* text = nullptr;                     // heading or plain text
    std::string (*make)(const Project&) = nullptr;  // or the plain text made from the run
    ResultLine CheckResults::*line = nullptr;       // a result row's line
    When when = When::Always;
    bool (*also)(const Project&) = nullptr;  // a further condition
};

// The plain rows read as the screen's, decimal point included, like the formulas around them.
std::string Mm(double value) {
    return Format(value, "#0.0");
}
std::string Mm(float value) {
    return Format(value, "#0.0");
}

std::string SeSw(const Project& p) {
    // The bending breadth is be, printed as sw as it always has been (see the screen block).
    return "Buckling, se = " + Mm(p.se) + " mm   " + "Bending, sw = " + Mm(p.be) + " mm";
}

std::string YieldNote(const Project& p) {
    return " (check at points 1-3, plate(p) and stiffener(s)). Effective width sw = " + Mm(p.sw) +
           " mm";
}

bool PlateBucklingShown(const Project& p) {
    return p.UFpbText.Produced() || p.UFplText.Produced();
}
bool PlateError(const Project& p) {
    return p.PlateErrorFlag1 || p.PlateErrorFlag2;
}
bool Deformation(const Project& p) {
    return p.IncludeDeformation && p.p != 0;
}
bool PlateYieldShown(const Project& p) {
    return p.UFyText.Produced();
}

constexpr Row Heading(const char* text, bool (*also)(const Project&) = nullptr) {
    return {Kind::Heading, text, nullptr, nullptr, When::Always, also};
}
constexpr Row Result(ResultLine CheckResults::*line, When when,
                     bool (*also)(const Project&) = nullptr) {
    return {Kind::Result, nullptr, nullptr, line, when, also};
}

const Row kBuckling[] = {
    Heading("PLATE BUCKLING CONTROL: (Max from plate 1/2)", PlateBucklingShown),
    Result(&CheckResults::UFpbText, When::Labelled),
    Result(&CheckResults::UFpuText, When::Labelled),
    Result(&CheckResults::UFplText, When::Labelled),
    Heading("STIFFENER BUCKLING CONTROL:"),
    {Kind::Plain, nullptr, SeSw},
    Result(&CheckResults::UFbuText, When::Ran),
    Result(&CheckResults::UFbtText, When::Ran),
    Result(&CheckResults::UFsText, When::Ran),
    Heading("OVERALL BUCKLING CONTROL:"),
    Result(&CheckResults::UFgbuText, When::Ran),
    // On paper the error follows the overall check, not the stiffness row as on screen.
    {Kind::Error, "ERROR in calculation, decrease Sigy-stress", nullptr, nullptr, When::Always,
     PlateError},
    Heading("STIFFENER DEFORMATION CHECK:", Deformation),
    {Kind::Plain, " (Based on effective plate width as sw) ", nullptr, nullptr, When::Always,
     Deformation},
    Result(&CheckResults::DeformationText, When::Labelled, Deformation),
};

// Unlike the screen, the scantling sections print whatever their lines hold, and without their
// "Effective width sw = " rows.
const Row kScantlingYield[] = {
    Heading("PLATE SCANTLING:"),
    Result(&CheckResults::UFtText, When::Always),
    Heading("STIFFENER SCANTLING:"),
    Result(&CheckResults::StiffSmText, When::Always),
    Heading("GIRDER SCANTLING:"),
    Result(&CheckResults::GirderSmText, When::Always),
    Result(&CheckResults::GirderDepthText, When::Always),
    Result(&CheckResults::GirderWebText, When::Always),
    Result(&CheckResults::TrippingText, When::Always),
    Heading("PLATE YIELD CONTROL:", PlateYieldShown),
    Result(&CheckResults::UFyText, When::Labelled),
    Heading("STIFFENER YIELD CHECK:"),
    {Kind::Plain, nullptr, YieldNote},
    Result(&CheckResults::YieldPlateText, When::Ran),
    Result(&CheckResults::YieldStiffText, When::Ran),
};

bool Shown(const Project& p, const Row& row) {
    if (row.also && !row.also(p)) {
        return false;
    }
    if (!row.line) {
        return true;
    }
    const ResultLine& r = p.*row.line;
    switch (row.when) {
        case When::Labelled:
            return r.Produced();
        case When::Ran:
            return r.Produced() || !r.formula.empty();
        default:
            return true;
    }
}

// A text that would run into the value column is broken: the label stays with the value and the
// formula follows on the next line from L + 20, where it has the width of the page. The plate
// formulas are the long ones; any other that grows as long breaks the same way rather than print
// over its value, and so does one that would end within two blanks of it, where its last number
// would read as part of the value.
bool Breaks(const Canvas& c, const ResultLine& r, double left, double valueColumn) {
    return left + c.TextWidth(r.label + r.formula) > valueColumn - c.TextWidth("  ");
}

// In the comma setting the numbers of the formula and the value read with the comma, as on
// the screen; the reference keeps its points.
std::string Localised(std::string text, char separator) {
    UseDecimalSeparator(text, separator);
    return text;
}

void PrintResultLine(Canvas& c, const ResultLine& r, double& line, double left,
                     double valueColumn, char separator) {
    c.MoveTo(left, line);
    const bool breaks = Breaks(c, r, left, valueColumn);
    c.Print(Localised(breaks ? r.label : r.label + r.formula, separator));
    c.MoveTo(valueColumn, line);
    c.SetBold(true);
    c.SetForeColour(PaletteColour(r.status));
    c.Print(Localised(r.value, separator));
    c.SetBold(false);
    c.SetForeColour(kRgbBlack);
    c.Print(r.reference);
    if (breaks) {
        line += 1;
        c.MoveTo(left + 20, line);
        c.Print(Localised(r.formula, separator));
    }
    line += 1;
}

// The text lines a shown row takes: a broken result row two, which stay on one page.
double RowLines(const Canvas& c, const Project& p, const Row& row, double left,
                double valueColumn) {
    return row.kind == Kind::Result && Breaks(c, p.*row.line, left, valueColumn) ? 2 : 1;
}

// The lines the first shown row from `from` on needs on its page: a heading keeps the row after
// it (and that one its own), so that no heading is left at the foot of a page; none at the
// block's end.
double KeptLines(const Canvas& c, const Project& p, std::span<const Row> from, double left,
                 double valueColumn) {
    for (std::size_t k = 0; k < from.size(); ++k) {
        if (Shown(p, from[k])) {
            return from[k].kind == Kind::Heading
                       ? 1 + KeptLines(c, p, from.subspan(k + 1), left, valueColumn)
                       : RowLines(c, p, from[k], left, valueColumn);
        }
    }
    return 0;
}

bool PrintBlock(Canvas& c, const Project& p, double& line, double left, int mode, const char* title,
                std::span<const Row> rows, int pictureOffset, const RowRoom& room) {
    if (mode == 0) {
        c.Clear();
    }
    const double valueColumn =
        RoundToInt(0.95 * (c.ScaleRight() - c.ScaleLeft())) - (mode == 0 ? pictureOffset : 17);
    c.SetFontSize(mode == 0 ? 10 - 2 : 10 - 1.5);
    c.SetBold(false);
    c.SetUnderline(false);
    c.SetForeColour(kRgbBlack);

    // Without pages to turn (the picture box) the rows are not measured at all.
    const auto fits = [&](std::span<const Row> from, double above) {
        return !room || room(line, above + KeptLines(c, p, from, left, valueColumn));
    };
    line += 0.4;
    if (!fits(rows, 1)) {
        return false;
    }
    c.MoveTo(left, line);
    c.Print(title);
    line += 1;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const Row& row = rows[k];
        if (!Shown(p, row)) {
            continue;
        }
        if (!fits(rows.subspan(k), 0)) {
            return false;
        }
        c.MoveTo(left, line);
        switch (row.kind) {
            case Kind::Heading:
                c.SetBold(true);
                c.SetUnderline(true);
                c.Print(row.text);
                c.SetBold(false);
                c.SetUnderline(false);
                line += 1;
                break;
            case Kind::Plain:
                c.Print(Localised(row.make ? row.make(p) : std::string(row.text),
                                  DecimalSeparatorOf(p)));
                line += 1;
                break;
            case Kind::Error:
                c.SetForeColour(kPureRed);
                c.Print(row.text);
                c.SetForeColour(kRgbBlack);
                line += 1;
                break;
            case Kind::Result:
                PrintResultLine(c, p.*row.line, line, left, valueColumn, DecimalSeparatorOf(p));
                break;
        }
    }
    return true;
}

}  // namespace

bool PrintBucklingResults(Canvas& c, const Project& p, double& line, double left, int mode,
                          const RowRoom& room) {
    return PrintBlock(c, p, line, left, mode,
                      " (Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore "
                      "Structures)",
                      kBuckling, 15, room);
}

bool PrintScantlingYieldResults(Canvas& c, const Project& p, double& line, double left, int mode,
                                const RowRoom& room) {
    return PrintBlock(
        c, p, line, left, mode,
        " (Rule/Yield: ABS, Mobile Offshore Drilling Units, Part 3 Hull Construction and "
        "equipment)",
        kScantlingYield, 10, room);
}

}  // namespace kelvor
