#include "report/resultblocks.h"

#include "core/project.h"

namespace kelvor {

namespace {

void Sync(Project& p) { p.ResultRow = static_cast<int>(p.Result.rows.size()); }

}  // namespace

void WriteBucklingResults(Project& p) {
    p.Result.AppendPlain(
        "(Rule/Buckling: ABS-Buckling and Ultimate Strength Assessment for Offshore Structures)");
    Sync(p);
}

void WriteScantlingYieldResults(Project& p) {
    // The title has never had an opening parenthesis; reports and users compare against it.
    p.Result.AppendPlain(
        "Rule/Scantling/Yield: ABS, Mobile Offshore Drilling Units, Part 3 Hull Construction and "
        "equipment)");
    Sync(p);
}

}  // namespace kelvor
