// The runner of the check case tables (tests/data/checks/*.tsv). A row is
//   CASE  VERB  NAME  VALUE  [NOTE]
// and the rows of one case run in order:
//   base    new | round | startup | FILE   the project to start from (default: startup, the
//                                          shipped tables' new project, as `kelvor-cli new`);
//                                          FILE is a project file under tests/data
//   set     FIELD  VALUE                   an input or derived value set by hand; or
//   set     F1=V1;F2=V2                    several at once; "materials N" keeps only the
//                                          first N rows of the material table the runs use
// An empty CASE cell continues the case above.
//   run     STEP                           "Calculate"; "Calculate: A, B" (the run's frame
//                                          around those steps alone); "stresses"; "result
//                                          list" (the list filled from the lines as they
//                                          stand); a step of the run by its routine name
//                                          ("plate buckling", ...), which first derives the
//                                          stresses; "profile" (the stiffener set up from its
//                                          family); "local check" with VALUE "MODE X Y" (the
//                                          slenderness lines drawn on a 100 x 40 report grid)
//   expect  FIELD  VALUE                   a field after the last run ("X ±T" within T); the
//                                          pseudo fields: failure (the cause of a single step,
//                                          the failure row's text of a run, or "none"),
//                                          row N (text|value|reference of list row N), rows
//                                          (the list's row count), styles (per row: B bold,
//                                          V bold value, then the row colour and /the value
//                                          colour; "-" for a plain black row), columns,
//                                          deformation box, messages (spacing messages joined
//                                          by " / "), message fields, field1 NAME and field2
//                                          NAME (the plate field's work, checks/platebuckling.h),
//                                          width F X PHI RATIO CY (the effective-width
//                                          coefficient: value|error flag), FIELD.PART (label,
//                                          formula, value, reference or status of a result
//                                          line); after a local
//                                          check: pieces, piece N (text|x or "after"|y|bold|
//                                          colour), y, canvas (cleared or kept, and its
//                                          user coordinates)
// The NOTE column says where a number comes from (a hand derivation, the guide's text).
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "../support/datatable.h"
#include "checks/platebuckling.h"
#include "core/calcerror.h"
#include "engine/calculate.h"
#include "core/project.h"
#include "engine/session.h"
#include "core/tables.h"
#include "files/tableloaders.h"
#include "profiles/profiles.h"
#include "report/localcheck.h"
#include "report/recordingcanvas.h"
#include "testsupport.h"

namespace testsupport {

inline const kelvor::Tables& ShippedTables() {
    static const kelvor::Tables tables = [] {
        kelvor::Tables t;
        kelvor::LoadAllTables(t, KELVOR_SOURCE_DATA_DIR, 0);
        return t;
    }();
    return tables;
}

// The project of `kelvor-cli new`, opened as the window opens it.
inline kelvor::Project StartupProject() {
    kelvor::Project p;
    kelvor::NewProject(p);
    kelvor::ApplyProfilesAndMaterials(p, ShippedTables());
    kelvor::StressDistribution(p);
    return p;
}

// A colour by its palette name where it has one; black is no colour.
inline std::string ColourName(kelvor::Rgb c) {
    std::ostringstream hex;
    hex << std::hex << c;
    return c == 0                                           ? ""
           : c == kelvor::PaletteColour(kelvor::kGreen) ? "green"
           : c == kelvor::PaletteColour(kelvor::kRed)   ? "red"
           : c == kelvor::kPureRed                      ? "RED"
                                                        : hex.str();
}

class CaseRun {
public:
    void Base(const std::string& name) {
        failure_ = "none";
        tables_ = ShippedTables();
        if (name == "new") {
            p_ = {};
            kelvor::NewProject(p_);
            kelvor::StressDistribution(p_);
        } else if (name == "round") {
            p_ = RoundPanel();
        } else if (name == "startup") {
            p_ = StartupProject();
        } else {
            p_ = StartupProject();
            const std::string msg = kelvor::OpenProject(p_, tables_, testdata::DataPath(name));
            ASSERT_EQ(msg, "") << name;
        }
    }

    void Set(const std::string& name, const std::string& value) {
        if (name == "materials") {
            tables_.Materials.resize(std::stoul(value));
        } else if (name.find('=') != std::string::npos) {
            testdata::SetFields(p_, name);
        } else {
            testdata::SetField(p_, name, value);
        }
    }

    void Run(const std::string& step, const std::string& args = "") {
        failure_ = "none";
        extra_.clear();
        if (step.rfind("Calculate", 0) == 0) {
            std::vector<kelvor::CalcStep> steps;
            std::istringstream names(step.size() > 10 ? step.substr(10) : "");
            for (std::string n; std::getline(names >> std::ws, n, ',');) {
                steps.push_back(Find(n));
            }
            kelvor::CalculateWith(p_, tables_,
                                  step == "Calculate" ? kelvor::CalculationSteps() : steps);
            failure_ = p_.CalcFailure ? p_.CalcFailure->Text() : "none";
        } else if (step == "result list") {
            kelvor::FillResultList(p_);
        } else if (step == "local check") {
            Draw(args);
        } else {
            kelvor::StressDistribution(p_);
            try {
                if (step == "profile") {
                    kelvor::SetUpStiffenerProfile(p_, tables_, p_.StiffProfileType);
                } else if (step != "stresses") {
                    RunStep(Find(step), p_, tables_);
                }
            } catch (const kelvor::CalcError& e) {
                failure_ = e.what();
            }
        }
    }

    std::string Actual(const std::string& name) const {
        const auto& rows = p_.Result.rows;
        std::string s;
        if (name == "failure") {
            return failure_;
        } else if (extra_.count(name)) {
            return extra_.at(name);
        } else if (name == "rows") {
            return std::to_string(rows.size());
        } else if (name == "messages" || name == "message fields") {
            for (const auto& m : p_.SpacingMessages) {
                s += (s.empty() ? "" : " / ") + (name == "messages" ? m.text : m.field);
            }
        } else if (name == "styles") {
            for (const auto& r : rows) {
                const std::string t = std::string(r.bold ? "B" : "") + (r.valueBold ? "V" : "") +
                                      ColourName(r.colour) +
                                      (r.valueColour ? "/" + ColourName(r.valueColour) : "");
                s += (s.empty() ? "" : " ") + (t.empty() ? "-" : t);
            }
        } else if (name == "columns") {
            for (const auto& c : p_.Result.columns) {
                s += (s.empty() ? "" : " / ") + c.header + "|" + testdata::Shortest(c.widthShare) +
                     (c.align == kelvor::ColumnAlign::Centre ? "|centre" : "|left");
            }
        } else if (name == "deformation box") {
            return p_.Result.deformationBoxVisible ? "true" : "false";
        } else if (name.rfind("row ", 0) == 0) {
            const std::size_t i = std::stoul(name.substr(4));
            return i < rows.size() ? rows[i].text + "|" + rows[i].value + "|" + rows[i].reference
                                   : "(no row)";
        } else if (name.rfind("field", 0) == 0) {
            return PlateFieldValue(kelvor::EvaluatePlateField(p_, name[5] - '0'), name.substr(7));
        } else if (name.rfind("width ", 0) == 0) {
            std::istringstream in(name.substr(6));
            int field;
            double x, phi, ratio, cy;
            in >> field >> x >> phi >> ratio >> cy;
            const auto w = kelvor::EffectiveWidthCoefficient(field, x, phi, ratio, cy);
            return testdata::Shortest(w.value) + (w.errorFlag ? "|true" : "|false");
        } else if (const std::size_t dot = name.find('.'); dot != std::string::npos) {
            // One part of a result line: FIELD.label, .formula, .value, .reference or .status.
            std::istringstream line(testdata::FieldText(p_, name.substr(0, dot)));
            const std::string part = name.substr(dot + 1);
            for (const char* n : {"label", "formula", "value", "reference", "status"}) {
                std::getline(line, s, '|');
                if (part == n) {
                    return s;
                }
            }
            return "(no part " + part + ")";
        } else {
            return testdata::FieldText(p_, name);
        }
        return s;
    }

private:
    static kelvor::CalcStep Find(const std::string& routine) {
        for (const kelvor::CalcStep& s : kelvor::CalculationSteps()) {
            if (routine == s.routine) {
                return s;
            }
        }
        ADD_FAILURE() << "no step " << routine;
        return {"none", [](kelvor::Project&, const kelvor::Tables&, kelvor::RunResults&) {},
                nullptr};
    }

    static std::string PlateFieldValue(const kelvor::PlateField& f, const std::string& name) {
        using F = kelvor::PlateField;
        static const std::map<std::string, double F::*> members = {
            {"alpha", &F::alpha}, {"beta", &F::beta},   {"kappaX", &F::kappaX}, {"kx", &F::kx},
            {"kappaY", &F::kappaY}, {"ky", &F::ky},   {"tauC", &F::tauC},   {"sigCx", &F::sigCx},
            {"sigCy", &F::sigCy}, {"UFpb", &F::UFpb}, {"tauU", &F::tauU},   {"Cx", &F::Cx},
            {"Cy", &F::Cy},       {"sigUx", &F::sigUx}, {"sigUy", &F::sigUy}, {"phi", &F::phi},
            {"UFpu", &F::UFpu},   {"sigE", &F::sigE}, {"pu", &F::pu},       {"UFpl", &F::UFpl},
            {"X", &F::X},         {"Cxe", &F::Cxe},   {"se", &F::se}};
        if (name == "errorFlag") {
            return f.errorFlag ? "true" : "false";
        }
        return members.count(name) ? testdata::Shortest(f.*members.at(name)) : "(no " + name + ")";
    }

    // The slenderness lines on a report grid of 100 x 40 units over 600 x 40 points.
    void Draw(const std::string& args) {
        int mode = 0;
        double x = 0, y = 0;
        std::istringstream(args) >> mode >> x >> y;
        kelvor::RecordingCanvas c(600, 40);
        c.ScaleTo(0, 0, 100, 40);
        kelvor::ShowLocalBucklingCheck(c, p_, y, x, mode);
        int n = 0;
        double after = -1;
        for (const kelvor::CanvasOp& op : c.ops) {
            if (op.kind == kelvor::CanvasOp::Kind::Text) {
                const double at = op.points[0].x;
                extra_["piece " + std::to_string(n++)] =
                    op.text + "|" + (at == after ? "after" : testdata::Shortest(at)) + "|" +
                    testdata::Shortest(op.points[0].y) + (op.font.bold ? "|bold|" : "|plain|") +
                    ColourName(op.fore);
                after = op.maxX;
            }
        }
        extra_["pieces"] = std::to_string(n);
        extra_["y"] = testdata::Shortest(y);
        extra_["canvas"] =
            std::string(!c.ops.empty() && c.ops[0].kind == kelvor::CanvasOp::Kind::Clear
                            ? "cleared "
                            : "kept ") +
            testdata::Shortest(c.ScaleLeft()) + "," + testdata::Shortest(c.ScaleTop()) + " to " +
            testdata::Shortest(c.ScaleRight()) + "," + testdata::Shortest(c.ScaleBottom());
    }

    kelvor::Project p_;
    kelvor::Tables tables_;
    std::string failure_ = "none";
    std::map<std::string, std::string> extra_;
};

// Runs every case of the table; a failure names the table's line.
inline void RunCaseTable(const std::string& table) {
    for (const auto& rows : testdata::GroupByFirstCell(testdata::ReadTable(table))) {
        CaseRun run;
        run.Base(rows.front()[1] == "base" ? rows.front()[2] : "startup");
        for (const testdata::Row& r : rows) {
            SCOPED_TRACE(r.where + " (" + rows.front()[0] + ")");
            const std::string& verb = r[1];
            if (verb == "base") {
                run.Base(r[2]);
            } else if (verb == "set") {
                run.Set(r[2], r[3]);
            } else if (verb == "run") {
                run.Run(r[2], r[3]);
            } else if (verb == "expect") {
                EXPECT_EQ(testdata::Compare(run.Actual(r[2]), r[3]), "") << r[2];
            } else {
                ADD_FAILURE() << "unknown verb " << verb;
            }
        }
    }
}

}  // namespace testsupport
