// The table loaders on any bytes, read in memory: the first byte picks one of the five tables,
// the rest is its file. A loader keeps at most its table's rows and explains what it refused;
// whatever rows it kept must then serve the list entries, the row lookups and a calculation
// with the table's last row.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/calculate.h"
#include "core/project.h"
#include "engine/session.h"
#include "files/batchfile.h"
#include "files/tableloaders.h"
#include "fuzzsupport.h"

namespace {

struct TableChoice {
    kelvor::ProfileKind kind;
    kelvor::ProfileTable kelvor::Tables::*table;
    int kelvor::Project::*row;
    int family;  // StiffProfileType of the family that reads it
    const char* file;
};

const TableChoice kChoices[] = {
    {kelvor::ProfileKind::BulbFlat, &kelvor::Tables::BfTable, &kelvor::Project::BfTableRow, 6,
     "bfprof.dat"},
    {kelvor::ProfileKind::FlatBar, &kelvor::Tables::FbTable, &kelvor::Project::FbTableRow, 4,
     "fprof.dat"},
    {kelvor::ProfileKind::L, &kelvor::Tables::LTable, &kelvor::Project::LTableRow, 0,
     "lprof.dat"},
    {kelvor::ProfileKind::T, &kelvor::Tables::TTable, &kelvor::Project::TTableRow, 2,
     "tprof.dat"},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelvor::fuzz::Require;
    if (size == 0) {
        return 0;
    }
    const std::size_t pick = data[0] % (std::size(kChoices) + 2);
    const std::string_view bytes = kelvor::fuzz::Bytes(data + 1, size - 1);
    kelvor::Tables tables = kelvor::fuzz::ShippedTables();
    kelvor::Project p;
    kelvor::NewProject(p);
    if (pick >= std::size(kChoices)) {
        const int decimalMode = static_cast<int>(pick - std::size(kChoices));
        const auto messages =
            kelvor::LoadMaterialTableText(tables, bytes, "Kvmat.csv", decimalMode);
        Require(messages.size() <= 1, "at most one message");
        Require(tables.Materials.size() <= kelvor::Tables::kMaxMaterialRows,
                "at most 23 materials");
        p.PlateMaterialIndex = p.StiffMaterialIndex = std::max(0, tables.MaterialLastRow());
    } else {
        const TableChoice& c = kChoices[pick];
        kelvor::ProfileTable& table = tables.*c.table;
        const auto messages = kelvor::LoadProfileTableText(table, c.kind, bytes, c.file);
        Require(messages.size() <= 1, "at most one message");
        Require(table.rows.size() <= kelvor::ProfileTable::kMaxRows, "at most 61 rows");
        kelvor::ProfileListEntries(table, c.kind, '.');
        if (!table.rows.empty()) {
            const kelvor::ProfileRow& row = table.rows.back();
            kelvor::LookupLRow(tables, row[0], row[1], row[2]);
            kelvor::LookupBfRow(tables, row[0], row[1]);
        }
        p.*c.row = std::max(0, table.LastRow());
        p.StiffProfileType = c.family;
    }
    kelvor::ApplyProfilesAndMaterials(p, tables);
    kelvor::Calculate(p, tables);
    return 0;
}
