#include "engine/batchrun.h"

#include "core/calcerror.h"
#include "core/project.h"
#include "engine/calculate.h"
#include "profiles/profiles.h"

namespace kelvor {

namespace {

// A panel whose codes name no family is not calculated with some other profile: it fails before
// the first check, and its line says ERROR throughout.
void FailBeforeChecks(Project& p, const std::string& cause, bool texts) {
    static_cast<CheckResults&>(p) = CheckResults{};
    p.CalcFailure = StepFailure{"panel input", cause};
    if (texts) {
        FillResultList(p);
    }
}

// Loads the entry and runs it; `texts`: with the result texts and list (Calculate), or the
// numbers alone (Evaluate).
void RunEntry(Project& p, const Tables& tables, const BatchEntry& e, bool texts) {
    if (e.comment) {
        return;
    }
    if (const std::optional<std::string> fault = LoadBatchEntry(p, tables, e)) {
        FailBeforeChecks(p, *fault, texts);
        return;
    }
    // A stiffener that can't be set up is kept in the record; the run stops at its properties
    // and names the cause.
    try {
        SetUpStiffenerProfile(p, tables, p.StiffProfileType);
    } catch (const CalcError&) {
    }
    // The overall buckling check reads the girder's properties before the run's own girder
    // step: without this set-up it would check this panel with the girder of the panel before.
    // Should the set-up fail, those properties are stale, so no check of the panel is shown.
    try {
        SetUpGirderProfile(p);
    } catch (const CalcError& error) {
        FailBeforeChecks(p, std::string("girder: ") + error.what(), texts);
        return;
    }
    if (texts) {
        Calculate(p, tables);
    } else {
        Evaluate(p, tables);
    }
}

}  // namespace

void RunBatchEntry(Project& p, const Tables& tables, const BatchEntry& e) {
    RunEntry(p, tables, e, true);
}

void EvaluateBatchEntry(Project& p, const Tables& tables, const BatchEntry& e) {
    RunEntry(p, tables, e, false);
}

void RunBatchRecord(Project& p, const Tables& tables, const BatchTable& table, int k) {
    if (k >= 0 && k < static_cast<int>(table.entries.size())) {
        RunBatchEntry(p, tables, table.entries[static_cast<std::size_t>(k)]);
    }
}

}  // namespace kelvor
