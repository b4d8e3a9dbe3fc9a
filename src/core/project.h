#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/resultline.h"
#include "core/resultlist.h"

namespace kelvor {

struct Tables;

// A calculation step that could not be completed: which routine and why.
struct StepFailure {
    std::string routine;  // "plate buckling", "stiffener yield", ...
    std::string cause;    // "square root of a negative number (...)"
    std::string Text() const { return "Calculation stopped in " + routine + ": " + cause; }
};

// A spacing guard message with the input field that gets the focus back.
struct SpacingMessage {
    std::string text;
    std::string field;  // object name of the field: "is1" or "is2"
};

// The numbers the checks of one run produce: factors, ratios and the intermediate values the
// window and the record show. `Evaluate` resets them as a whole before the first check, so a
// result never outlives the inputs it was computed from.
struct CheckNumbers {
    // Plate buckling and ultimate strength (3/3.1, 3/3.3, 3/3.5).
    double UFpb = 0, UFpu = 0, UFpl = 0;
    double UFpb2 = 0, UFpu2 = 0, UFpl2 = 0;
    // Ultimate-strength coefficients of fields 1 and 2; Cy1/Cy2 end up holding the coefficient
    // Cxe of the effective width once that is settled.
    double Cx1 = 0, Cy1 = 0, Cx2 = 0, Cy2 = 0;

    // Stiffener buckling, torsional buckling, deformation (3/5.1, 3/5.3).
    double UFbu = 0, UFbt = 0;
    double Deformation = 0;
    // Axial stress of the stiffener with its full plate, compression positive (Siga of the
    // texts); elastic and critical stresses of the beam-column and the torsional check.
    double Siga = 0, SigmaE = 0, SigmaC = 0;
    float SigET = 0, SigmaCT = 0;  // single; 0 for a closed section

    // Stiffness and overall buckling (3/9.1, 3/5.7).
    double UFs = 0;
    float UFgbu = 0;  // single
    double io = 0;    // required moment of inertia of the stiffener, mm4
    // Buckling coefficients and critical stresses of the orthotropic panel.
    double OverallKx = 0, OverallKy = 0, SigmaCx = 0;
    float SigmaCy = 0;  // single

    // Plate yield (3-2-1/3.11) and plate scantling (3-2-2/7.3 and the like).
    double UFy = 0, UFt = 0;

    // Stiffener yield (3-2-1/3.11), stiffener and girder scantling, girder proportions.
    double UFyp = 0, UFys = 0, UFsm = 0, UFgm = 0;
    double GirderDepthRatio = 0;  // dmin/H
    double GirderWebRatio = 0;    // tmin/tw

    // c-factors of stiffener and girder for the kind of structure.
    double c = 0, cg = 0;
};

// The texts of the checks' results, written from the numbers by the describe step of
// `Calculate`. Each line's `shown` and `status` are settled with the numbers (`Evaluate` sets
// them too), so that a verdict read from them agrees with the list.
struct CheckTexts {
    ResultLine UFpbText, UFpuText, UFplText;
    ResultLine UFpb2Text, UFpu2Text, UFpl2Text;
    ResultLine UFbuText, UFbtText, DeformationText;
    ResultLine UFsText, UFgbuText;
    ResultLine UFyText, UFtText;
    std::string UFyHeading;     // "  Control in points A-D,  Factor of Safety F.S. = 1.43"
    std::string StructureType;  // "  Tank Bulkhead" and the like, from CFactorTab
    ResultLine YieldPlateText, YieldStiffText, StiffSmText, GirderSmText;
    ResultLine GirderDepthText, GirderWebText, TrippingText;
    // The c-factor label on the active end-attachment page ("c = 0.90 / 1.50  stiff/gird  " +
    // reference).
    std::string CFactorReference;
    std::string CFactorText;

    // Every line unshown and black, the texts left as they stand.
    void ClearMarks();
    // No text at all, each keeping its storage: every run writes much the same texts again,
    // which then need no allocation.
    void ClearTexts();
};

// Everything the checks of one run produce.
struct CheckResults : CheckNumbers, CheckTexts {
    // Back to the state before any check, the texts keeping their storage.
    void Reset();
};

// Where the project lives and how the window shows it. No check reads any of it; the project
// file keeps some of it (the file's own path aside).
struct ProjectSession {
    std::string ProjectFile;
    std::string AppFolder;
    std::string WorkFolder;
    std::string HelpFolder;
    std::string DataFolder;
    Rgb HeaderColour = 0;
    int DecimalMode = 0;  // 0: the system writes decimals with a point
    int PrintMode = 0;    // the report kind last printed
    int FigureToScale = 1;
};

// The project record: every input, derived quantity and result of the panel under check, and
// beside them (ProjectSession) the window's state of the project.
// Inputs are single precision as entered; derived quantities are double unless noted.
struct Project : ProjectSession, CheckResults {
    // --- identity
    std::string ProjectName;
    std::string Identification;

    // --- analysis options
    int AnalysisMode = 1;  // 1 buckling, 2 scantling/yield, 3 both, 4 scantling (print only)
    int LoadingCondition = 0;  // 0 Cond. A static, 1 Cond. B combined, 2 Cond. C other
    int CFactorTab = 1;        // kind of structure: 0 watertight bhd, 1 tank bhd, 2 upper structure
    int CFactorOption = 0;     // stiffener end attachment on that page
    bool IncludeDeformation = false;

    // --- geometry, mm (UnitLength in m)
    float t = 0;    // plate thickness
    float L1 = 0;   // stiffener span under check
    float L2 = 0;   // span of the adjacent stiffener field
    float s1 = 0;   // spacing on side 1 (width of plate field 1)
    float s2 = 0;   // spacing on side 2
    float Lt = 0;   // distance between tripping brackets
    float Lg = 0;   // girder span
    float Lgs = 0;  // girder span of the girder scantling check
    float UnitLength = 0;

    // --- stresses and pressures, MPa; compression negative
    float SigxA = 0, SigxB = 0;  // longitudinal, at the outer edges of fields 1 and 2
    float SigyA = 0, SigyC = 0;  // transverse, at the span ends A and C
    float Tau = 0;
    float p = 0;   // lateral pressure for buckling and yield, positive on the plate side
    float ps = 0;  // lateral pressure for scantling, positive on the stiffener side

    // --- materials and safety
    int PlateMaterialIndex = 2;
    int StiffMaterialIndex = 2;
    float Fyp = 0, Fup = 0;         // plate and girder, MPa
    float Fys = 0, Fus = 0;         // stiffener, MPa
    float StiffMaterialFactor = 0;  // Q
    float E = 0;
    float FS = 0;       // factor of safety of the yield checks
    float UFallow = 0;  // allowable utilisation factor of the buckling checks ("n")

    // --- profile selection
    int StiffProfileType = 0;  // 0..9, see profiles/catalogue
    int BfTableRow = 16;
    int LTableRow = 0;
    int TTableRow = 0;
    int FbTableRow = 13;
    int GirderProfileType = 3;  // 1 L built up, 3 T built up

    // Resolved dimensions of the current stiffener, mm (area mm2).
    float StiffH = 0, StiffB = 0, StiffTw = 0, StiffTf = 0, StiffHw = 0;
    float StiffC = 0;      // bulb: third table column c; trapezoid: web offset b
    float StiffR = 0;      // bulb: fourth table column r
    double StiffArea = 0;  // mm2, from the section properties (kept in the project file)

    // Built-up inputs, kept per family so that each dialog reopens on its last values.
    float LBuiltH = 0, LBuiltB = 0, LBuiltTw = 0, LBuiltTf = 0;
    float TBuiltH = 0, TBuiltB = 0, TBuiltTw = 0, TBuiltTf = 0;
    float FbBuiltH = 0, FbBuiltTw = 0;
    float RhsBuiltH = 0, RhsBuiltB = 0, RhsBuiltTw = 0;
    float TrapBuiltH = 0, TrapBuiltB = 0, TrapBuiltTw = 0, TrapBuiltOffset = 0;
    float IBuiltH = 0, IBuiltB = 0, IBuiltTw = 0, IBuiltTf = 0;
    float GirderLBuiltH = 0, GirderLBuiltB = 0, GirderLBuiltTw = 0, GirderLBuiltTf = 0;
    float GirderTBuiltH = 0, GirderTBuiltB = 0, GirderTBuiltTw = 0, GirderTBuiltTf = 0;

    // Girder in use, mm.
    float GirderH = 0, GirderB = 0, GirderTw = 0, GirderTf = 0;

    // --- profile and section properties (profiles/)
    // Derived from the profile, not reset per run: the profile-alone and girder values follow
    // every set-up of the profile, the with-plate values every run. Lengths mm, areas mm2,
    // second moments mm4, moduli mm3, warping constant mm6. Fields marked single are held in
    // single precision because the checks and texts read them so.
    std::string StiffDesignation;   // caption of the stiffener, "L 200x90x9.0x14.0"
    std::string GirderDesignation;  // caption of the girder, "T 800x200x10.0x20.0"
    // Why the last stiffener set-up failed (empty when it succeeded). A run stops on it rather
    // than check the properties of the profile before.
    std::string StiffProfileFault;

    // Stiffener alone: z up from the plate surface (the web foot), y across from the web
    // centreline towards the flange outstand.
    double StiffWebArea = 0;
    float StiffFlangeArea = 0;  // single
    double StiffMass = 0;       // kg/m
    double StiffZc = 0, StiffYc = 0;
    double StiffIy = 0, StiffIz = 0;  // about the centroid axes
    double StiffU = 0;                // unsymmetry factor
    double StiffM = 0;                // warping factor
    float StiffIyf = 0;               // single; lateral inertia of the flange
    double StiffGamma = 0;            // warping constant
    double StiffIo = 0;               // polar moment about the toe
    float StiffK = 0;                 // single; St. Venant torsion constant

    // Stiffener with attached plate; distances from the plate mid-plane.
    double Ae = 0, zp = 0, zTop = 0, Ie = 0, Wep = 0, Wes = 0, rGyr = 0;  // breadth se
    double sw = 0;  // min((s1 + s2)/2, 0.33 L1)
    double Aw_sw = 0, zp_sw = 0;
    float zTop_sw = 0;  // single
    double I_sw = 0, Wp_sw = 0;
    float Ws_sw = 0;  // single
    float be = 0;     // single; rule effective breadth from l0/s
    double I_be = 0, Ws_be = 0;

    // Local slenderness of the stiffener's web and flange; a text of one blank: no such check.
    double WebRatio = 0, WebRatioLimit = 0;
    double FlangeRatio = 0;
    float FlangeRatioLimit = 0;  // single
    std::string WebCheckText = " ";
    std::string FlangeCheckText = " ";

    // Girder in use with its attached plate of breadth GirderEffBreadth.
    double GirderWebArea = 0;
    float GirderFlangeArea = 0;  // single
    double GirderArea = 0, GirderMass = 0, GirderZc = 0;
    float GirderIy = 0;          // single
    float GirderEffBreadth = 0;  // single; min((L1 + L2)/2, 0.33 Lg)
    double GirderAe = 0, GirderZp = 0, GirderZTop = 0, GirderIe = 0, GirderWp = 0;
    float GirderWs = 0;  // single

    // Outline of the to-scale section figure, mm: x across from the left end of the effective
    // plate, y up from the plate's lower face; points 1 to 80 (0 unused).
    std::array<double, 81> OutlineX{};
    std::array<double, 81> OutlineY{};
    int OutlineKind = 0;   // 1 polygon then the two plate corners; 2..4 that many boxes
    int OutlineCount = 0;  // points of the polygon (kind 1)
    double FigureHeight = 0, FigureWidth = 0;
    double AxisHeight = 0;  // neutral axis above the plate's lower face
    double AxisX = 0;       // the vertical axis

    // --- derived quantities, recomputed by every run
    double sMean = 0;                    // load breadth of the stiffener, (s1 + s2)/2
    double LMean = 0;                    // (L1 + L2)/2
    double SigxStiff = 0;                // longitudinal stress at the stiffener line
    double Sigx1Low = 0, Sigx1High = 0;  // edge stresses of plate field 1
    double Sigx2Low = 0, Sigx2High = 0;  // edge stresses of plate field 2
    double SigxMin1 = 0, SigxMin2 = 0;
    double SigyLow = 0, SigyHigh = 0;
    double SigyMin1 = 0, SigyMin2 = 0;
    double SigF = 0;  // plate yield stress used by plate buckling
    double Pr = 0;    // proportional linear elastic limit
    double se = 0;    // effective width of plating after buckling, mm

    // --- run flags and what a run leaves for the window
    bool PlateErrorFlag1 = false;
    bool PlateErrorFlag2 = false;
    int ResultRow = 0;  // equals the row count of `Result` after every append
    std::vector<SpacingMessage> SpacingMessages;
    std::optional<StepFailure> CalcFailure;
    ResultList Result;
};

// Puts a fresh project in place. Does not calculate; leaves the strengths Fyp..Fus alone, since
// the next run loads them from the material rows.
void NewProject(Project& p);

// Choosing a loading condition sets the safety values of the buckling and yield checks;
// Cond. C keeps whatever stands.
void SetLoadingCondition(Project& p, int condition);

// Copy a material row into the plate (and girder) or stiffener strengths. The table's last row
// stands for a material typed by hand: its numbers are never copied.
void LoadPlateMaterial(Project& p, const Tables& tables, int index);
void LoadStiffenerMaterial(Project& p, const Tables& tables, int index);

}  // namespace kelvor
