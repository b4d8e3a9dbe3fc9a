#include "engine/verdict.h"

#include <iterator>

#include "core/project.h"

namespace kelvor {

namespace {

// Where each row's number and line stand in the record, in the list's order. A row is shown
// when its line is marked shown: the mark is settled with the numbers, so `Evaluate` gives the
// verdict of `Calculate` without the texts.
struct RowSource {
    Check check;
    const char* name;
    double (*value)(const Project&);
    const ResultLine Project::*line;
    bool buckling;  // in the buckling block, else in the scantling and yield block
    bool isFactor;
};

// clang-format off
constexpr RowSource kRows[] = {
    {Check::PlateBuckling, "UFpb", [](const Project& p) { return p.UFpb; }, &Project::UFpbText, true, true},
    {Check::PlateUltimate, "UFpu", [](const Project& p) { return p.UFpu; }, &Project::UFpuText, true, true},
    {Check::PlatePressure, "UFpl", [](const Project& p) { return p.UFpl; }, &Project::UFplText, true, true},
    {Check::StiffenerBuckling, "UFbu", [](const Project& p) { return p.UFbu; }, &Project::UFbuText, true, true},
    {Check::Torsional, "UFbt", [](const Project& p) { return p.UFbt; }, &Project::UFbtText, true, true},
    {Check::Stiffness, "UFs", [](const Project& p) { return p.UFs; }, &Project::UFsText, true, true},
    {Check::Overall, "UFgbu", [](const Project& p) { return static_cast<double>(p.UFgbu); }, &Project::UFgbuText, true, true},
    {Check::PlateThickness, "UFt", [](const Project& p) { return p.UFt; }, &Project::UFtText, false, true},
    {Check::StiffenerModulus, "UFsm", [](const Project& p) { return p.UFsm; }, &Project::StiffSmText, false, true},
    {Check::GirderModulus, "UFgm", [](const Project& p) { return p.UFgm; }, &Project::GirderSmText, false, true},
    {Check::GirderDepth, "Girder depth", [](const Project& p) { return p.GirderDepthRatio; }, &Project::GirderDepthText, false, false},
    {Check::GirderWeb, "Girder web", [](const Project& p) { return p.GirderWebRatio; }, &Project::GirderWebText, false, false},
    {Check::Tripping, "Tripping brackets", [](const Project& p) { return p.Lt / 3000.0; }, &Project::TrippingText, false, false},
    {Check::PlateYield, "UFy", [](const Project& p) { return p.UFy; }, &Project::UFyText, false, true},
    {Check::YieldPlateSide, "UFyp", [](const Project& p) { return p.UFyp; }, &Project::YieldPlateText, false, true},
    {Check::YieldStiffenerSide, "UFys", [](const Project& p) { return p.UFys; }, &Project::YieldStiffText, false, true},
};
// clang-format on
static_assert(std::size(kRows) == kCheckCount);

bool Shows(const RowSource& row, const Project& p, int mode) {
    const bool block = row.buckling ? (mode == 1 || mode == 3) : (mode != 1);
    return block && (p.*row.line).shown;
}

}  // namespace

const char* CheckName(Check check) {
    return kRows[static_cast<int>(check)].name;
}

Verdict Judge(const Project& p, int mode, double limit) {
    Verdict v;
    v.completed = !p.CalcFailure;
    bool passes = v.completed;
    if (p.CalcFailure) {
        v.failure = p.CalcFailure->Text();
    } else if ((mode == 1 || mode == 3) && (p.PlateErrorFlag1 || p.PlateErrorFlag2)) {
        v.failure = "ERROR in calculation, decrease Sigy-stress";
        passes = false;
    }
    for (const RowSource& source : kRows) {
        if (!Shows(source, p, mode)) {
            continue;
        }
        const ResultLine& line = p.*source.line;
        FactorRow row;
        row.check = source.check;
        row.value = source.value(p);
        row.isFactor = source.isFactor;
        row.checked = line.status != kBlack;
        row.passes = line.status != kRed && (!source.isFactor || !row.checked || row.value <= limit);
        passes = passes && row.passes;
        if (row.checked && (v.governing < 0 || row.value > v.highest)) {
            v.highest = row.value;
            v.governing = static_cast<int>(v.rows.size());
        }
        v.rows.push_back(row);
    }
    v.passes = passes;
    return v;
}

bool Passes(const Project& p, int mode, double limit) {
    return Judge(p, mode, limit).passes;
}

}  // namespace kelvor
