#include "profiles/slenderness.h"

#include "core/calcerror.h"
#include "core/concat.h"
#include "core/numformat.h"
#include "core/project.h"
#include "profiles/single.h"

namespace kelvor {

namespace {

// The flange limit of the local buckling clause, a multiple of k.
constexpr double kFlangeLimitFactor = 0.4;

}  // namespace

LocalSlendernessResult LocalSlenderness(const Family& family, const StiffenerDimensions& d,
                                        double E, double Fys) {
    LocalSlendernessResult r;
    if (family.webLimitFactor == 0 && !family.flangeCheck) {
        return r;
    }
    const double k = Sqrt(Div(E, Fys, "stiffener yield stress"), "E/Fys");
    const double H = d.H, B = d.B, tw = d.tw, tf = d.tf;

    if (family.webLimitFactor != 0) {
        // A flat bar's web runs to its top; elsewhere up to one flange (for the I too, which
        // makes its check the stricter one).
        const double hw = family.shape == Shape::FlatBar ? H : H - tf;
        r.webRatio = Div(hw, tw, "web thickness");
        r.webLimit = family.webLimitFactor * k;
    }
    if (family.flangeCheck) {
        // Outstand from the web face: the whole of it for an L, half of it either side for a
        // T or I.
        const double b2 = family.shape == Shape::Angle ? B - tw : (B - tw) / 2;
        r.flangeRatio = Div(b2, tf, "flange thickness");
        r.flangeLimit = ToSingle(kFlangeLimitFactor * k, "flange slenderness limit");
    }
    return r;
}

void DescribeLocalSlenderness(const Family& family, const LocalSlendernessResult& r, char sep,
                              std::string& web, std::string& flange) {
    if (family.webLimitFactor != 0) {
        AssignConcat(web, "Web: hw/tw = ", FormatText(r.webRatio, "0.0", sep), " <= ",
                     FormatText(r.webLimit, "0.0", sep));
    } else {
        web = " ";
    }
    if (family.flangeCheck) {
        AssignConcat(flange, "Flange: b2/tf = ", FormatText(r.flangeRatio, "0.0", sep), " <= ",
                     FormatText(r.flangeLimit, "0.0", sep));
    } else {
        flange = " ";
    }
}

bool WebCheckPasses(const Project& p) {
    return p.WebRatio <= p.WebRatioLimit;
}
bool FlangeCheckPasses(const Project& p) {
    return p.FlangeRatio <= p.FlangeRatioLimit;
}

}  // namespace kelvor
