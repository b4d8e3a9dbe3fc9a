#include "report/localcheck.h"

#include "core/project.h"
#include "profiles/slenderness.h"
#include "report/canvas.h"

namespace kelvor {

namespace {

// A text of one blank is how the slenderness check says "no such check for this family".
bool HasCheck(const std::string& text) {
    return text != " ";
}

// The verdict in bold and colour; what follows it is plain black again.
void Verdict(Canvas& c, bool passes) {
    c.SetBold(true);
    c.SetForeColour(PaletteColour(passes ? kGreen : kRed));
    c.Print(passes ? " OK" : " NOK");
    c.SetBold(false);
    c.SetForeColour(PaletteColour(kBlack));
}

}  // namespace

void ShowLocalBucklingCheck(Canvas& c, const Project& p, double& y, double x, int mode) {
    if (mode == 0) {
        c.ScaleTo(0, 0, 60, 4);
        c.Clear();
    }
    if (HasCheck(p.FlangeCheckText)) {
        c.MoveTo(x, y);
        c.SetBold(false);
        c.Print(p.FlangeCheckText);
        Verdict(c, FlangeCheckPasses(p));
        c.Print(" (ch 9.7)");
        y += mode == 0 ? 1.5 : 1;
    }
    if (HasCheck(p.WebCheckText)) {
        c.MoveTo(x, y);
        c.SetBold(false);
        c.Print(p.WebCheckText);
        const bool passes = WebCheckPasses(p);
        Verdict(c, passes);
        // The capital C after OK is how the verdict has always read; reports are compared
        // against it.
        c.Print(passes ? " (Ch 9.9)" : " (ch 9.9)");
    }
}

}  // namespace kelvor
