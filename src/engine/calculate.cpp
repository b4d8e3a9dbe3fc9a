#include "engine/calculate.h"

#include <string>
#include <string_view>

#include "checks/checks.h"
#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"
#include "core/tables.h"
#include "profiles/catalogue.h"
#include "profiles/profiles.h"
#include "report/resultblocks.h"

namespace kelvor {

namespace {

void Prepare(Project& p, const Tables& tables) {
    p.PlateErrorFlag1 = false;
    p.PlateErrorFlag2 = false;
    CheckSpacingAgainstSpans(p);
    LoadPlateMaterial(p, tables, p.PlateMaterialIndex);
    LoadStiffenerMaterial(p, tables, p.StiffMaterialIndex);
    p.LMean = (static_cast<double>(p.L1) + p.L2) / 2;
    StressDistribution(p);
    static_cast<CheckNumbers&>(p) = CheckNumbers{};
    p.ClearMarks();
}

// The rule breadth and the stiffener's properties with attached plate are results of their
// steps kept outside CheckResults. A run that stops before those steps must not leave the values
// of the run before, which belong to other inputs (the list prints sw).
void ClearUnreached(Project& p, std::span<const CalcStep> unreached) {
    for (const CalcStep& step : unreached) {
        const std::string_view routine = step.routine;
        if (routine == "rule effective breadth") {
            p.be = 0;
        } else if (routine == "stiffener section properties") {
            p.Ae = p.zp = p.zTop = p.Ie = p.Wep = p.Wes = p.rGyr = 0;
            p.sw = p.Aw_sw = p.zp_sw = p.I_sw = p.Wp_sw = p.I_be = p.Ws_be = 0;
            p.zTop_sw = p.Ws_sw = 0;
        }
    }
}

// The edge stresses of a field as the smaller and the larger of its two ends.
void Order(double a, double b, double& low, double& high) {
    low = a > b ? b : a;
    high = a > b ? a : b;
}

}  // namespace

void CheckSpacingAgainstSpans(Project& p) {
    p.SpacingMessages.clear();
    if (p.s1 > p.L1) {
        p.SpacingMessages.push_back({" s1 <= L1  ", "is1"});
    } else if (p.s2 > p.L1) {
        p.SpacingMessages.push_back({" s2 <= l1  ", "is2"});
    }
    if (p.s1 > p.L2) {
        p.SpacingMessages.push_back({" s1 <= L2  ", "is1"});
    } else if (p.s2 > p.L2) {
        p.SpacingMessages.push_back({" s2 <= l2  ", "is2"});
    }
}

void StressDistribution(Project& p) {
    const double s1 = p.s1;
    const double s2 = p.s2;
    const double sigxA = p.SigxA;
    const double sigxB = p.SigxB;
    const double sigyA = p.SigyA;
    const double sigyC = p.SigyC;

    p.sMean = (s1 + s2) / 2;
    // Linear across the panel width s1 + s2, from edge A to edge B. Zero spacings leave no width
    // to interpolate over; the stress at the stiffener is then taken as at edge A.
    const double width = s1 + s2;
    p.SigxStiff = width != 0 ? sigxA - (sigxA - sigxB) * s1 / width : sigxA;
    p.SigxMin1 = sigxA < p.SigxStiff ? sigxA : p.SigxStiff;
    p.SigyMin1 = sigyA < sigyC ? sigyA : sigyC;
    p.SigxMin2 = p.SigxStiff < sigxB ? p.SigxStiff : sigxB;
    p.SigyMin2 = p.SigyMin1;
    Order(sigxA, p.SigxStiff, p.Sigx1Low, p.Sigx1High);
    Order(sigyA, sigyC, p.SigyLow, p.SigyHigh);
    Order(sigxB, p.SigxStiff, p.Sigx2Low, p.Sigx2High);
}

void FillResultList(Project& p) {
    p.Result.Reset();
    p.ResultRow = 0;
    switch (p.AnalysisMode) {
        case 1:
            WriteBucklingResults(p);
            break;
        case 3:
            WriteBucklingResults(p);
            WriteScantlingYieldResults(p);
            break;
        default:
            // Mode 2, the printed scantling report (4), and anything else show the scantling
            // and yield block alone.
            WriteScantlingYieldResults(p);
            break;
    }
    p.Result.deformationBoxVisible = p.AnalysisMode == 1;
    if (p.CalcFailure) {
        ResultListRow& row = p.Result.AppendRow();
        row.text = p.CalcFailure->Text();
        row.colour = kPureRed;
    }
    p.Result.Finish();
    p.ResultRow = static_cast<int>(p.Result.rows.size());
    // The checks write their formulas with points; in the comma setting the list shows every
    // number with the comma, as the fields do. References keep their points.
    const char separator = DecimalSeparatorOf(p);
    for (ResultListRow& row : p.Result.rows) {
        UseDecimalSeparator(row.text, separator);
        UseDecimalSeparator(row.value, separator);
    }
}

void Calculate(Project& p, const Tables& tables) {
    CalculateWith(p, tables, CalculationSteps());
}

void Evaluate(Project& p, const Tables& tables) {
    RunResults results;
    EvaluateWith(p, tables, CalculationSteps(), results);
}

void CalculateWith(Project& p, const Tables& tables, std::span<const CalcStep> steps) {
    RunResults results;
    const std::size_t succeeded = EvaluateWith(p, tables, steps, results);
    DescribeSteps(p, steps, succeeded, results);
    FillResultList(p);
}

std::size_t EvaluateWith(Project& p, const Tables& tables, std::span<const CalcStep> steps,
                         RunResults& results) {
    p.CalcFailure.reset();
    Prepare(p, tables);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        try {
            steps[i].run(p, tables, results);
        } catch (const CalcError& e) {
            // A step stores its results only once it has succeeded: what stands are the
            // results of the steps before it.
            ClearUnreached(p, steps.subspan(i));
            p.CalcFailure = StepFailure{steps[i].routine, e.what()};
            return i;
        }
    }
    return steps.size();
}

void DescribeSteps(Project& p, std::span<const CalcStep> steps, std::size_t succeeded,
                   const RunResults& results) {
    p.ClearTexts();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].describe && (i < succeeded || (i == succeeded && steps[i].describeFailed))) {
            steps[i].describe(p, results);
        }
    }
}

}  // namespace kelvor
