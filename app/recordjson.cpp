#include "recordjson.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/project.h"

namespace kelvor {

namespace {

using Json = nlohmann::ordered_json;

double Shortest(float v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::stod(std::string(buf, res.ptr));
}

Json Value(float v) { return std::isfinite(v) ? Json(Shortest(v)) : Json(nullptr); }
Json Value(double v) { return std::isfinite(v) ? Json(v) : Json(nullptr); }
Json Value(int v) { return Json(v); }
Json Value(bool v) { return Json(v); }
Json Value(const std::string& v) { return Json(v); }
Json Value(const ResultLine& r) {
    return Json{{"label", r.label},
                {"formula", r.formula},
                {"value", r.value},
                {"reference", r.reference},
                {"status", r.status}};
}

}  // namespace

#define KELVOR_FIELD(name) j[#name] = Value(p.name)

Json RecordJson(const Project& p) {
    Json j;
    // identity and options
    KELVOR_FIELD(ProjectName);
    KELVOR_FIELD(Identification);
    KELVOR_FIELD(ProjectFile);
    KELVOR_FIELD(DataFolder);
    KELVOR_FIELD(DecimalMode);
    KELVOR_FIELD(AnalysisMode);
    KELVOR_FIELD(PrintMode);
    KELVOR_FIELD(LoadingCondition);
    KELVOR_FIELD(CFactorTab);
    KELVOR_FIELD(CFactorOption);
    KELVOR_FIELD(IncludeDeformation);
    // geometry, stresses, materials
    KELVOR_FIELD(t);
    KELVOR_FIELD(L1);
    KELVOR_FIELD(L2);
    KELVOR_FIELD(s1);
    KELVOR_FIELD(s2);
    KELVOR_FIELD(Lt);
    KELVOR_FIELD(Lg);
    KELVOR_FIELD(Lgs);
    KELVOR_FIELD(UnitLength);
    KELVOR_FIELD(SigxA);
    KELVOR_FIELD(SigxB);
    KELVOR_FIELD(SigyA);
    KELVOR_FIELD(SigyC);
    KELVOR_FIELD(Tau);
    KELVOR_FIELD(p);
    KELVOR_FIELD(ps);
    KELVOR_FIELD(PlateMaterialIndex);
    KELVOR_FIELD(StiffMaterialIndex);
    KELVOR_FIELD(Fyp);
    KELVOR_FIELD(Fup);
    KELVOR_FIELD(Fys);
    KELVOR_FIELD(Fus);
    KELVOR_FIELD(StiffMaterialFactor);
    KELVOR_FIELD(E);
    KELVOR_FIELD(FS);
    KELVOR_FIELD(UFallow);
    // profiles
    KELVOR_FIELD(StiffProfileType);
    KELVOR_FIELD(BfTableRow);
    KELVOR_FIELD(LTableRow);
    KELVOR_FIELD(TTableRow);
    KELVOR_FIELD(FbTableRow);
    KELVOR_FIELD(GirderProfileType);
    KELVOR_FIELD(StiffH);
    KELVOR_FIELD(StiffB);
    KELVOR_FIELD(StiffTw);
    KELVOR_FIELD(StiffTf);
    KELVOR_FIELD(StiffHw);
    KELVOR_FIELD(StiffC);
    KELVOR_FIELD(StiffR);
    KELVOR_FIELD(StiffArea);
    KELVOR_FIELD(GirderH);
    KELVOR_FIELD(GirderB);
    KELVOR_FIELD(GirderTw);
    KELVOR_FIELD(GirderTf);
    // derived quantities
    KELVOR_FIELD(sMean);
    KELVOR_FIELD(LMean);
    KELVOR_FIELD(SigxStiff);
    KELVOR_FIELD(Sigx1Low);
    KELVOR_FIELD(Sigx1High);
    KELVOR_FIELD(Sigx2Low);
    KELVOR_FIELD(Sigx2High);
    KELVOR_FIELD(SigxMin1);
    KELVOR_FIELD(SigxMin2);
    KELVOR_FIELD(SigyLow);
    KELVOR_FIELD(SigyHigh);
    KELVOR_FIELD(SigyMin1);
    KELVOR_FIELD(SigyMin2);
    KELVOR_FIELD(SigF);
    KELVOR_FIELD(Pr);
    KELVOR_FIELD(se);
    // results
    KELVOR_FIELD(UFpb);
    KELVOR_FIELD(UFpu);
    KELVOR_FIELD(UFpl);
    KELVOR_FIELD(UFpb2);
    KELVOR_FIELD(UFpu2);
    KELVOR_FIELD(UFpl2);
    KELVOR_FIELD(UFbu);
    KELVOR_FIELD(UFbt);
    KELVOR_FIELD(Deformation);
    KELVOR_FIELD(UFs);
    KELVOR_FIELD(UFgbu);
    KELVOR_FIELD(UFy);
    KELVOR_FIELD(UFt);
    KELVOR_FIELD(UFyp);
    KELVOR_FIELD(UFys);
    KELVOR_FIELD(UFsm);
    KELVOR_FIELD(UFgm);
    KELVOR_FIELD(UFpbText);
    KELVOR_FIELD(UFpuText);
    KELVOR_FIELD(UFplText);
    KELVOR_FIELD(UFbuText);
    KELVOR_FIELD(UFbtText);
    KELVOR_FIELD(DeformationText);
    KELVOR_FIELD(UFsText);
    KELVOR_FIELD(UFgbuText);
    KELVOR_FIELD(UFyText);
    KELVOR_FIELD(UFtText);
    KELVOR_FIELD(UFypText);
    KELVOR_FIELD(UFysText);
    KELVOR_FIELD(UFsmText);
    KELVOR_FIELD(UFgmText);
    KELVOR_FIELD(GirderDepthText);
    KELVOR_FIELD(GirderWebText);
    KELVOR_FIELD(TrippingText);
    KELVOR_FIELD(PlateErrorFlag1);
    KELVOR_FIELD(PlateErrorFlag2);
    KELVOR_FIELD(ResultRow);
    j["CalcFailure"] = p.CalcFailure ? Json(p.CalcFailure->Text()) : Json(nullptr);
    Json messages = Json::array();
    for (const auto& m : p.SpacingMessages) {
        messages.push_back(m.text);
    }
    j["SpacingMessages"] = messages;
    return j;
}

#undef KELVOR_FIELD

}  // namespace kelvor
