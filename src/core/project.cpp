#include "core/project.h"

#include "core/tables.h"

namespace kelvor {

namespace {

struct SafetyValues {
    float UFallow;
    float FS;
};

// Cond. A static and Cond. B combined loading, in that order; Cond. C has no values of its own.
constexpr SafetyValues kSafetyByCondition[] = {{0.6f, 1.43f}, {0.8f, 1.11f}};

void SetBuiltUp(float& h, float& b, float& tw, float& tf, float vh, float vb, float vtw,
                float vtf) {
    h = vh;
    b = vb;
    tw = vtw;
    tf = vtf;
}

}  // namespace

namespace {

constexpr ResultLine CheckTexts::*kLines[] = {
    &CheckTexts::UFpbText,       &CheckTexts::UFpuText,        &CheckTexts::UFplText,
    &CheckTexts::UFpb2Text,      &CheckTexts::UFpu2Text,       &CheckTexts::UFpl2Text,
    &CheckTexts::UFbuText,       &CheckTexts::UFbtText,        &CheckTexts::DeformationText,
    &CheckTexts::UFsText,        &CheckTexts::UFgbuText,       &CheckTexts::UFyText,
    &CheckTexts::UFtText,        &CheckTexts::YieldPlateText,  &CheckTexts::YieldStiffText,
    &CheckTexts::StiffSmText,    &CheckTexts::GirderSmText,    &CheckTexts::GirderDepthText,
    &CheckTexts::GirderWebText,  &CheckTexts::TrippingText,
};

}  // namespace

void CheckTexts::ClearMarks() {
    for (ResultLine CheckTexts::*line : kLines) {
        (this->*line).shown = false;
        (this->*line).status = kBlack;
    }
}

void CheckTexts::ClearTexts() {
    for (ResultLine CheckTexts::*line : kLines) {
        (this->*line).Clear();
    }
    UFyHeading.clear();
    StructureType.clear();
    CFactorReference.clear();
    CFactorText.clear();
}

void CheckResults::Reset() {
    static_cast<CheckNumbers&>(*this) = CheckNumbers{};
    ClearTexts();
}

void NewProject(Project& p) {
    // The order is the one a fresh start relies on; keep it.
    p.HeaderColour = RgbOf(0, 85, 152);
    p.ProjectFile = "New File";
    p.ProjectName = "Project";
    p.Identification = "Test";
    p.UFallow = 0.6f;
    p.FS = 1.43f;
    p.FigureToScale = 1;
    p.PlateMaterialIndex = 2;
    p.StiffMaterialIndex = 2;
    p.AnalysisMode = 1;
    p.BfTableRow = 16;
    p.LTableRow = 0;
    p.TTableRow = 0;
    p.FbTableRow = 13;
    p.StiffProfileType = 0;
    p.GirderProfileType = 3;
    p.PrintMode = 0;
    p.LoadingCondition = 0;
    p.CFactorTab = 1;
    p.CFactorOption = 0;
    p.IncludeDeformation = false;
    p.UnitLength = 65;
    p.E = 206000;
    p.PlateErrorFlag1 = false;
    p.PlateErrorFlag2 = false;
    p.s1 = 625;
    p.s2 = 625;
    p.Lt = 3000;
    p.L1 = 3000;
    p.L2 = 2500;
    p.Lg = 8000;
    p.Lgs = 6000;
    p.t = 20;
    p.SigxA = -100;
    p.SigxB = -100;
    p.SigyA = -30;
    p.SigyC = -30;
    p.Tau = 40;
    p.p = 0.03f;
    p.ps = 0.03f;

    SetBuiltUp(p.StiffH, p.StiffB, p.StiffTw, p.StiffTf, 200, 90, 9, 12);
    SetBuiltUp(p.LBuiltH, p.LBuiltB, p.LBuiltTw, p.LBuiltTf, 200, 90, 9, 12);
    SetBuiltUp(p.TBuiltH, p.TBuiltB, p.TBuiltTw, p.TBuiltTf, 200, 90, 9, 12);
    p.FbBuiltH = 200;
    p.FbBuiltTw = 9;
    p.RhsBuiltH = 200;
    p.RhsBuiltB = 90;
    p.RhsBuiltTw = 9;
    p.TrapBuiltH = 200;
    p.TrapBuiltB = 90;
    p.TrapBuiltTw = 9;
    p.TrapBuiltOffset = 50;
    SetBuiltUp(p.IBuiltH, p.IBuiltB, p.IBuiltTw, p.IBuiltTf, 200, 90, 9, 12);
    SetBuiltUp(p.GirderLBuiltH, p.GirderLBuiltB, p.GirderLBuiltTw, p.GirderLBuiltTf, 800, 200, 10,
               20);
    SetBuiltUp(p.GirderTBuiltH, p.GirderTBuiltB, p.GirderTBuiltTw, p.GirderTBuiltTf, 800, 200, 10,
               20);
    p.StiffC = 1;
    p.StiffR = 10;
}

void SetLoadingCondition(Project& p, int condition) {
    p.LoadingCondition = condition;
    if (condition == 0 || condition == 1) {
        p.UFallow = kSafetyByCondition[condition].UFallow;
        p.FS = kSafetyByCondition[condition].FS;
    }
}

namespace {

// Rows below the last one come from the table; the last row (and, defensively, any index the
// table does not hold) keeps the values typed by hand.
const MaterialRow* TableMaterial(const Tables& tables, int index) {
    if (index < 0 || index >= tables.MaterialLastRow()) {
        return nullptr;
    }
    return &tables.Materials[static_cast<std::size_t>(index)];
}

}  // namespace

void LoadPlateMaterial(Project& p, const Tables& tables, int index) {
    if (const MaterialRow* row = TableMaterial(tables, index)) {
        p.Fyp = row->MatFy;
        p.Fup = row->MatFu;
    }
}

void LoadStiffenerMaterial(Project& p, const Tables& tables, int index) {
    if (const MaterialRow* row = TableMaterial(tables, index)) {
        p.Fys = row->MatFy;
        p.Fus = row->MatFu;
        p.StiffMaterialFactor = row->MatQ;
    }
}

}  // namespace kelvor
