// The twelve profile dialogs as data: what each asks for, how it checks it and what it shows.
#include <algorithm>

#include "core/inputlimits.h"
#include "core/numformat.h"
#include "core/project.h"
#include "profiles/catalogue.h"
#include "ui/profiledialog.h"

namespace kelvor {

namespace {

using Dim = float Project::*;

// The limit of leaving a field is the core's, which the project and batch files obey too.
// Thicknesses are checked more strictly on closing than on leaving a field, so that a value
// under 1 mm typed on the way to another can pass while the user is still at work.
InputField Typed(const char* name, const char* caption, Dim value, const char* pattern,
                 bool closeCheck, double closeLimit, const char* closeMessage) {
    const InputLimit& leave = *LimitOf(value);
    return {name,       caption,    value, pattern, leave.low, leave.message, closeCheck,
            closeLimit, closeMessage};
}
InputField H(Dim value) {
    return Typed("isth", "H =", value, "##0", true, 5, " H >= 5 ");
}
InputField B(Dim value, const char* pattern = "##0") {
    return Typed("istb", "B =", value, pattern, true, 5, " B >= 5 ");
}
InputField Tw(Dim value, const char* caption = "tw =", bool closeCheck = true) {
    return Typed("isttw", caption, value, "##0.0", closeCheck, 1, " tw >= 1 ");
}
InputField Tf(Dim value) {
    return Typed("isttf", "tf =", value, "##0.0", true, 1, " tf >= 1 ");
}
// The web offset of the trapezoid may be 0 (vertical webs) and is not part of the closing check.
InputField Offset(Dim value) {
    return Typed("ista", "a =", value, "##0", false, 0, "");
}

const std::vector<RowValue> kAngleTeeRow = {
    {"sth", "H =", &Project::StiffH, "##0"},
    {"stb", "B =", &Project::StiffB, "##0"},
    {"sttw", "tw =", &Project::StiffTw, "##0.0"},
    {"sttf", "tf =", &Project::StiffTf, "##0.0"},
};

template <typename T>
std::string Text(T value, const char* pattern, const char* unit, char separator) {
    return Format(value, pattern, separator) + unit;
}

constexpr const char* kExp = "0.000E+0";

// Where the record keeps a built-up family's inputs: the catalogue's one list of them.
const BuiltUpFields& Stiff(int code) {
    return *BuiltUpFieldsOf(false, code);
}
const BuiltUpFields& Girder(int code) {
    return *BuiltUpFieldsOf(true, code);
}

std::vector<DialogFamily> MakeFamilies() {
    std::vector<DialogFamily> f;
    DialogFamily d{"stiffl", "Stiffener: L-table", DialogKind::Table, 0};
    d.table = ProfileKind::L;
    d.row = &Project::LTableRow;
    d.rowValues = kAngleTeeRow;
    d.plateSet = PlateSet::SeOrSw;
    d.izUnit = " mm4";
    f.push_back(d);

    d = {"stifflb", "Stiffener: L-built-up", DialogKind::BuiltUp, 1};
    d.fields = {H(Stiff(1).H), B(Stiff(1).B, "##0.0"), Tw(Stiff(1).tw), Tf(Stiff(1).tf)};
    d.plateSet = PlateSet::SeOrSw;
    d.izUnit = " mm4";
    f.push_back(d);

    d = {"stifft", "Stiffener: T-table", DialogKind::Table, 2};
    d.table = ProfileKind::T;
    d.row = &Project::TTableRow;
    d.rowValues = kAngleTeeRow;
    d.plateSet = PlateSet::SeOrSw;
    d.izUnit = " mm4";
    f.push_back(d);

    d = {"stifftb", "Stiffener: T-built-up", DialogKind::BuiltUp, 3};
    d.fields = {H(Stiff(3).H), B(Stiff(3).B), Tw(Stiff(3).tw), Tf(Stiff(3).tf)};
    d.plateSet = PlateSet::SeOrSw;
    d.izUnit = " mm4";
    f.push_back(d);

    d = {"stifff", "Stiffener: Flatbar-table", DialogKind::Table, 4};
    d.table = ProfileKind::FlatBar;
    d.row = &Project::FbTableRow;
    d.rowValues = {{"sth", "H =", &Project::StiffH, "##0"},
                   {"sttw", "tw =", &Project::StiffTw, "##0.0"}};
    d.backgroundToggles = true;
    f.push_back(d);

    d = {"stifffb", "Stiffener: Flatbar-built-up", DialogKind::BuiltUp, 5};
    d.fields = {H(Stiff(5).H), Tw(Stiff(5).tw, "tw =", false)};
    f.push_back(d);

    d = {"stiffhp", "Stiffener: BF-table", DialogKind::Table, 6};
    d.table = ProfileKind::BulbFlat;
    d.row = &Project::BfTableRow;
    d.rowValues = {{"sth", "H =", &Project::StiffH, "##0"},
                   {"sttw", "tw =", &Project::StiffTw, "##0.0"},
                   {"stc", "c =", &Project::StiffC, "##0.0"},
                   {"strr", "r =", &Project::StiffR, "##0.0"},
                   {"stb", "B eq. =", &Project::StiffB, "##0.0"},
                   {"sttf", "tf eq. =", &Project::StiffTf, "##0.0"}};
    d.frame = "Frame5";
    d.izUnit = " mm4";
    f.push_back(d);

    d = {"stiffrhs", "Stiffener: RHS", DialogKind::BuiltUp, 7};
    d.fields = {H(Stiff(7).H), B(Stiff(7).B), Tw(Stiff(7).tw, "tw=")};
    f.push_back(d);

    d = {"stiffusp", "Stiffener: Trapez-profile", DialogKind::BuiltUp, 8};
    d.fields = {H(Stiff(8).H), B(Stiff(8).B), Offset(Stiff(8).offset), Tw(Stiff(8).tw)};
    f.push_back(d);

    d = {"stiffib", "Stiffener: I-built-up", DialogKind::BuiltUp, 9};
    d.fields = {H(Stiff(9).H), B(Stiff(9).B), Tw(Stiff(9).tw), Tf(Stiff(9).tf)};
    d.izUnit = " mm4 (one flange)";
    f.push_back(d);

    d = {"girdlg", "Girder: L - Built-up", DialogKind::Girder, 1};
    d.fields = {H(Girder(1).H), B(Girder(1).B), Tw(Girder(1).tw), Tf(Girder(1).tf)};
    d.plateSet = PlateSet::Girder;
    d.breadthCaption = "le =";
    d.topModulusCaption = "Weg =";
    f.push_back(d);

    d = {"girdtg", "Girder: T-built-up", DialogKind::Girder, 3};
    d.fields = {H(Girder(3).H), B(Girder(3).B), Tw(Girder(3).tw), Tf(Girder(3).tf)};
    d.plateSet = PlateSet::Girder;
    f.push_back(d);
    return f;
}

}  // namespace

const std::vector<DialogFamily>& DialogFamilies() {
    static const std::vector<DialogFamily> families = MakeFamilies();
    return families;
}

const DialogFamily* DialogFamilyNamed(const std::string& name) {
    const auto& all = DialogFamilies();
    const auto it =
        std::find_if(all.begin(), all.end(), [&](const DialogFamily& f) { return name == f.name; });
    return it == all.end() ? nullptr : &*it;
}

std::vector<PropertyLine> ProfileLines(const DialogFamily& family) {
    if (family.kind == DialogKind::Girder) {
        return {
            {"sta",
             "Ax =", [](const Project& p, char s) { return Text(p.GirderArea, "##0", " mm2", s); }},
            {"stg", "g =",
             [](const Project& p, char s) { return Text(p.GirderMass, "##0.0", " kg/m", s); }},
            {"stiy",
             "Iy =", [](const Project& p, char s) { return Text(p.GirderIy, kExp, " mm4", s); }},
        };
    }
    std::vector<PropertyLine> lines = {
        {"sta",
         "Ax =", [](const Project& p, char s) { return Text(p.StiffArea, "##0", " mm2", s); }},
        {"stg",
         "g =", [](const Project& p, char s) { return Text(p.StiffMass, "##0.0", " kg/m", s); }},
        {"stiy", "Iy =", [](const Project& p, char s) { return Text(p.StiffIy, kExp, " mm4", s); }},
    };
    if (family.izUnit == nullptr) {
        return lines;
    }
    // The I profile's Iz is that of the flange away from the plate alone.
    if (family.code == 9) {
        lines.push_back({"stiz", "Iz =", [](const Project& p, char s) {
                             return Text(p.StiffIz, kExp, " mm4 (one flange)", s);
                         }});
    } else {
        lines.push_back({"stiz", "Iz =", [](const Project& p, char s) {
                             return Text(p.StiffIz, kExp, " mm4", s);
                         }});
    }
    return lines;
}

std::vector<PropertyLine> PlateLines(const DialogFamily& family, const Project& p) {
    const char* breadth = family.breadthCaption;
    const char* top = family.topModulusCaption;
    if (family.plateSet == PlateSet::Girder) {
        return {
            {"stse", breadth,
             [](const Project& q, char s) { return Text(q.GirderEffBreadth, "0.0", " mm", s); }},
            {"stae",
             "Ae =", [](const Project& q, char s) { return Text(q.GirderAe, kExp, " mm2", s); }},
            {"stzp", "zp =",
             [](const Project& q, char s) { return Text(q.GirderZp, "##0.0", " mm (el)", s); }},
            {"stie",
             "Ie =", [](const Project& q, char s) { return Text(q.GirderIe, kExp, " mm4", s); }},
            {"stwes", top,
             [](const Project& q, char s) { return Text(q.GirderWs, kExp, " mm3", s); }},
            {"stwep",
             "Wep =", [](const Project& q, char s) { return Text(q.GirderWp, kExp, " mm3", s); }},
        };
    }
    // Outside buckling-only mode the L and T dialogs show the breadth the scantling moduli use.
    if (family.plateSet == PlateSet::SeOrSw && p.AnalysisMode != 1) {
        return {
            {"stse", breadth, [](const Project& q, char s) { return Text(q.sw, "0.0", " mm", s); }},
            {"stae",
             "Ae =", [](const Project& q, char s) { return Text(q.Aw_sw, kExp, " mm2", s); }},
            {"stzp", "zp =",
             [](const Project& q, char s) { return Text(q.zp_sw, "##0.0", " mm (el)", s); }},
            {"stie",
             "Ie =", [](const Project& q, char s) { return Text(q.I_sw, kExp, " mm4", s); }},
            {"stwes", top, [](const Project& q, char s) { return Text(q.Ws_sw, kExp, " mm3", s); }},
            {"stwep",
             "Wep =", [](const Project& q, char s) { return Text(q.Wp_sw, kExp, " mm3", s); }},
        };
    }
    return {
        {"stse", breadth, [](const Project& q, char s) { return Text(q.se, "0.0", " mm", s); }},
        {"stae", "Ae =", [](const Project& q, char s) { return Text(q.Ae, kExp, " mm2", s); }},
        {"stzp",
         "zp =", [](const Project& q, char s) { return Text(q.zp, "##0.0", " mm (el)", s); }},
        {"stie", "Ie =", [](const Project& q, char s) { return Text(q.Ie, kExp, " mm4", s); }},
        {"stwes", top, [](const Project& q, char s) { return Text(q.Wes, kExp, " mm3", s); }},
        {"stwep", "Wep =", [](const Project& q, char s) { return Text(q.Wep, kExp, " mm3", s); }},
    };
}

}  // namespace kelvor
