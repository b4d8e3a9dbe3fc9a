#include "recordjson.h"

#include <array>
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
template <std::size_t N>
Json Value(const std::array<double, N>& points) {
    Json a = Json::array();
    for (double v : points) {
        a.push_back(Value(v));
    }
    return a;
}
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
    // section properties, local slenderness, outline of the section figure
    KELVOR_FIELD(StiffDesignation);
    KELVOR_FIELD(GirderDesignation);
    KELVOR_FIELD(StiffProfileFault);
    KELVOR_FIELD(StiffWebArea);
    KELVOR_FIELD(StiffFlangeArea);
    KELVOR_FIELD(StiffMass);
    KELVOR_FIELD(StiffZc);
    KELVOR_FIELD(StiffYc);
    KELVOR_FIELD(StiffIy);
    KELVOR_FIELD(StiffIz);
    KELVOR_FIELD(StiffU);
    KELVOR_FIELD(StiffM);
    KELVOR_FIELD(StiffIyf);
    KELVOR_FIELD(StiffGamma);
    KELVOR_FIELD(StiffIo);
    KELVOR_FIELD(StiffK);
    KELVOR_FIELD(Ae);
    KELVOR_FIELD(zp);
    KELVOR_FIELD(zTop);
    KELVOR_FIELD(Ie);
    KELVOR_FIELD(Wep);
    KELVOR_FIELD(Wes);
    KELVOR_FIELD(rGyr);
    KELVOR_FIELD(sw);
    KELVOR_FIELD(Aw_sw);
    KELVOR_FIELD(zp_sw);
    KELVOR_FIELD(zTop_sw);
    KELVOR_FIELD(I_sw);
    KELVOR_FIELD(Wp_sw);
    KELVOR_FIELD(Ws_sw);
    KELVOR_FIELD(be);
    KELVOR_FIELD(I_be);
    KELVOR_FIELD(Ws_be);
    KELVOR_FIELD(WebRatio);
    KELVOR_FIELD(WebRatioLimit);
    KELVOR_FIELD(FlangeRatio);
    KELVOR_FIELD(FlangeRatioLimit);
    KELVOR_FIELD(WebCheckText);
    KELVOR_FIELD(FlangeCheckText);
    KELVOR_FIELD(GirderWebArea);
    KELVOR_FIELD(GirderFlangeArea);
    KELVOR_FIELD(GirderArea);
    KELVOR_FIELD(GirderMass);
    KELVOR_FIELD(GirderZc);
    KELVOR_FIELD(GirderIy);
    KELVOR_FIELD(GirderEffBreadth);
    KELVOR_FIELD(GirderAe);
    KELVOR_FIELD(GirderZp);
    KELVOR_FIELD(GirderZTop);
    KELVOR_FIELD(GirderIe);
    KELVOR_FIELD(GirderWp);
    KELVOR_FIELD(GirderWs);
    KELVOR_FIELD(OutlineKind);
    KELVOR_FIELD(OutlineCount);
    KELVOR_FIELD(OutlineX);
    KELVOR_FIELD(OutlineY);
    KELVOR_FIELD(FigureHeight);
    KELVOR_FIELD(FigureWidth);
    KELVOR_FIELD(AxisHeight);
    KELVOR_FIELD(AxisX);
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
    KELVOR_FIELD(Cx1);
    KELVOR_FIELD(Cy1);
    KELVOR_FIELD(Cx2);
    KELVOR_FIELD(Cy2);
    KELVOR_FIELD(UFbu);
    KELVOR_FIELD(UFbt);
    KELVOR_FIELD(Deformation);
    KELVOR_FIELD(Siga);
    KELVOR_FIELD(SigmaE);
    KELVOR_FIELD(SigmaC);
    KELVOR_FIELD(SigET);
    KELVOR_FIELD(SigmaCT);
    KELVOR_FIELD(UFs);
    KELVOR_FIELD(io);
    KELVOR_FIELD(UFgbu);
    KELVOR_FIELD(OverallKx);
    KELVOR_FIELD(OverallKy);
    KELVOR_FIELD(SigmaCx);
    KELVOR_FIELD(SigmaCy);
    KELVOR_FIELD(UFy);
    KELVOR_FIELD(UFt);
    KELVOR_FIELD(UFyp);
    KELVOR_FIELD(UFys);
    KELVOR_FIELD(UFsm);
    KELVOR_FIELD(UFgm);
    KELVOR_FIELD(UFpbText);
    KELVOR_FIELD(UFpuText);
    KELVOR_FIELD(UFplText);
    KELVOR_FIELD(UFpb2Text);
    KELVOR_FIELD(UFpu2Text);
    KELVOR_FIELD(UFpl2Text);
    KELVOR_FIELD(UFbuText);
    KELVOR_FIELD(UFbtText);
    KELVOR_FIELD(DeformationText);
    KELVOR_FIELD(UFsText);
    KELVOR_FIELD(UFgbuText);
    KELVOR_FIELD(UFyText);
    KELVOR_FIELD(UFtText);
    KELVOR_FIELD(UFyHeading);
    KELVOR_FIELD(StructureType);
    KELVOR_FIELD(YieldPlateText);
    KELVOR_FIELD(YieldStiffText);
    KELVOR_FIELD(StiffSmText);
    KELVOR_FIELD(GirderSmText);
    KELVOR_FIELD(GirderDepthText);
    KELVOR_FIELD(GirderWebText);
    KELVOR_FIELD(TrippingText);
    KELVOR_FIELD(GirderDepthRatio);
    KELVOR_FIELD(GirderWebRatio);
    KELVOR_FIELD(c);
    KELVOR_FIELD(cg);
    KELVOR_FIELD(CFactorReference);
    KELVOR_FIELD(CFactorText);
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
