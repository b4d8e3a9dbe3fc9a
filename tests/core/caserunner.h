// The runner of the check case tables (tests/data/checks/*.tsv). A row is
//   CASE  VERB  NAME  VALUE  [NOTE]
// and the rows of one case run in order:
//   base    new | round | startup | FILE   the project to start from (default: startup, the
//                                          shipped tables' new project, as `kelvor-cli new`);
//                                          FILE is a project file under tests/data
//   set     FIELD  VALUE                   an input or derived value set by hand; or
//   set     F1=V1;F2=V2                    several at once
// An empty CASE cell continues the case above.
//   run     STEP                           "Calculate", "stresses", a step of the run by its
//                                          routine name ("plate buckling", ...), or "profile"
//                                          (the stiffener set up from its family); a single
//                                          step first derives the stresses from the inputs
//   expect  FIELD  VALUE                   a field after the last run ("X ±T" within T); the
//                                          pseudo fields: failure (the cause, or "none"),
//                                          row N (text|value|reference of list row N),
//                                          rows (the list's row count), messages (spacing
//                                          messages joined by " / ")
// The NOTE column says where a number comes from (a hand derivation, the guide's text).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "../support/datatable.h"
#include "core/calcerror.h"
#include "core/calculate.h"
#include "core/project.h"
#include "core/session.h"
#include "core/tables.h"
#include "files/tableloaders.h"
#include "profiles/profiles.h"
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

class CaseRun {
public:
    void Base(const std::string& name) {
        failure_ = "none";
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
            const std::string msg =
                kelvor::OpenProject(p_, ShippedTables(), testdata::DataPath(name));
            ASSERT_EQ(msg, "") << name;
        }
    }

    void Run(const std::string& step) {
        const kelvor::Tables& t = ShippedTables();
        failure_ = "none";
        if (step == "Calculate") {
            kelvor::Calculate(p_, t);
            if (p_.CalcFailure) {
                failure_ = p_.CalcFailure->Text();
            }
            return;
        }
        kelvor::StressDistribution(p_);
        if (step == "stresses") {
            return;
        }
        try {
            if (step == "profile") {
                kelvor::SetUpStiffenerProfile(p_, t, p_.StiffProfileType);
                return;
            }
            for (const kelvor::CalcStep& s : kelvor::CalculationSteps()) {
                if (step == s.routine) {
                    s.run(p_, t);
                    return;
                }
            }
            ADD_FAILURE() << "no step " << step;
        } catch (const kelvor::CalcError& e) {
            failure_ = e.what();
        }
    }

    std::string Actual(const std::string& name) const {
        if (name == "failure") {
            return failure_;
        }
        if (name == "rows") {
            return std::to_string(p_.Result.rows.size());
        }
        if (name == "messages") {
            std::string s;
            for (const auto& m : p_.SpacingMessages) {
                s += (s.empty() ? "" : " / ") + m.text;
            }
            return s;
        }
        if (name.rfind("row ", 0) == 0) {
            const std::size_t i = std::stoul(name.substr(4));
            if (i >= p_.Result.rows.size()) {
                return "(no row)";
            }
            const auto& r = p_.Result.rows[i];
            return r.text + "|" + r.value + "|" + r.reference;
        }
        return testdata::FieldText(p_, name);
    }

    kelvor::Project& Record() { return p_; }

private:
    kelvor::Project p_;
    std::string failure_ = "none";
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
            } else if (verb == "set" && r[2].find('=') != std::string::npos) {
                testdata::SetFields(run.Record(), r[2]);
            } else if (verb == "set") {
                testdata::SetField(run.Record(), r[2], r[3]);
            } else if (verb == "run") {
                run.Run(r[2]);
            } else if (verb == "expect") {
                EXPECT_EQ(testdata::Compare(run.Actual(r[2]), r[3]), "") << r[2];
            } else {
                ADD_FAILURE() << "unknown verb " << verb;
            }
        }
    }
}

}  // namespace testsupport
