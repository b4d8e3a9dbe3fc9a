// The table loaders on any file: every one of the five data files holds the input. Each loader
// keeps at most its table's rows and explains what it refused; whatever rows it kept must then
// serve the list entries, the row lookups and a calculation with every table family.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "core/calculate.h"
#include "core/project.h"
#include "core/session.h"
#include "files/batchfile.h"
#include "files/tableloaders.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelvor::fuzz::Require;
    const std::string_view bytes = kelvor::fuzz::Bytes(data, size);
    for (const std::string_view name : {kelvor::kBulbFlatFile, kelvor::kFlatBarFile,
                                        kelvor::kLFile, kelvor::kTFile, kelvor::kMaterialFile}) {
        kelvor::fuzz::WriteScratch(std::string(name), bytes);
    }
    for (int decimalMode : {0, 1}) {
        kelvor::Tables tables;
        const std::vector<kelvor::LoadMessage> messages =
            kelvor::LoadAllTables(tables, kelvor::fuzz::ScratchFolder(), decimalMode);
        Require(messages.size() <= 5, "at most one message per file");
        for (const kelvor::ProfileTable* table :
             {&tables.BfTable, &tables.FbTable, &tables.LTable, &tables.TTable}) {
            Require(table->rows.size() <= kelvor::ProfileTable::kMaxRows, "at most 61 rows");
        }
        Require(tables.Materials.size() <= kelvor::Tables::kMaxMaterialRows,
                "at most 23 materials");

        for (const auto kind : {kelvor::ProfileKind::BulbFlat, kelvor::ProfileKind::FlatBar,
                                kelvor::ProfileKind::L, kelvor::ProfileKind::T}) {
            kelvor::ProfileListEntries(
                kind == kelvor::ProfileKind::L   ? tables.LTable
                : kind == kelvor::ProfileKind::T ? tables.TTable
                : kind == kelvor::ProfileKind::FlatBar ? tables.FbTable
                                                       : tables.BfTable,
                kind, decimalMode == 0 ? '.' : ',');
        }
        if (!tables.LTable.rows.empty()) {
            const kelvor::ProfileRow& row = tables.LTable.rows.back();
            kelvor::LookupLRow(tables, row[0], row[1], row[2]);
        }
        if (!tables.BfTable.rows.empty()) {
            const kelvor::ProfileRow& row = tables.BfTable.rows.back();
            kelvor::LookupBfRow(tables, row[0], row[1]);
        }

        // The last row of every table, and the last material, in a run of each table family.
        kelvor::Project p;
        kelvor::NewProject(p);
        p.PlateMaterialIndex = p.StiffMaterialIndex = std::max(0, tables.MaterialLastRow());
        p.BfTableRow = std::max(0, tables.BfTable.LastRow());
        p.FbTableRow = std::max(0, tables.FbTable.LastRow());
        p.LTableRow = std::max(0, tables.LTable.LastRow());
        p.TTableRow = std::max(0, tables.TTable.LastRow());
        for (int family : {0, 2, 4, 6}) {
            p.StiffProfileType = family;
            kelvor::ApplyProfilesAndMaterials(p, tables);
            kelvor::Calculate(p, tables);
        }
    }
    return 0;
}
