// The one place of each limit: 61 rows of a profile table, 23 materials, 10,000 batch entries and
// lines of 1 MiB, tried at the limit (everything works, down to the last row) and one past it (a
// message that names the file and line).
#include <gtest/gtest.h>

#include "core/calculate.h"
#include "core/session.h"
#include "filecases.h"
#include "files/batchfile.h"
#include "files/projectfile.h"

namespace kelvor {
namespace {

using filecases::Split;
using testsupport::ReadBytes;

// Rows of growing height, so that every row is a profile of its own and the last the largest.
std::string ProfileRows(int count, const std::string& rest) {
    std::string rows;
    for (int i = 0; i < count; ++i) {
        rows += std::to_string(100 + 5 * i) + ", " + rest + "\r\n";
    }
    return rows;
}

std::string MaterialRows(int count) {
    std::string rows = "Kelvor material table\r\nheading\r\nName;Fy;Fu;Q\r\n";
    for (int i = 0; i < count; ++i) {
        rows += "Steel " + std::to_string(i) + ";" + std::to_string(235 + 5 * i) + ";" +
                std::to_string(400 + 5 * i) + ";0.9\r\n";
    }
    return rows;
}

class Limits : public testsupport::TempDirTest {
protected:
    // The tables full: 61 rows of each profile table (the shipped bulb flats; a blank line after
    // the last), 23 materials, the last without a line end. `over` names a file with one more.
    std::vector<LoadMessage> LoadTables(Tables& tables, const std::string& over = "") const {
        const std::pair<std::string, std::string> files[] = {{"lprof.dat", "90, 10, 14"},
            {"tprof.dat", "150, 10, 16"}, {"fprof.dat", "12"}, {"bfprof.dat", "6, 15.5, 4.5, 774"}};
        for (const auto& [name, rest] : files) {
            Write(name, name == "bfprof.dat" && over != name
                            ? ReadBytes(std::string(KELVOR_SOURCE_DATA_DIR) + "/bfprof.dat")
                            : ProfileRows(name == over ? 62 : 61, rest) + "\r\n");
        }
        const std::string materials = MaterialRows(over == "Kvmat.csv" ? 24 : 23);
        Write("Kvmat.csv", materials.substr(0, materials.size() - 2));
        return LoadAllTables(tables, dir_, 0);
    }
};

TEST_F(Limits, TablesHold61RowsAnd23MaterialsAndSaySoWhenAFileHasMore) {
    for (const std::string over : {"lprof.dat", "tprof.dat", "fprof.dat", "bfprof.dat", "Kvmat.csv"}) {
        SCOPED_TRACE(over);
        Tables tables;
        const std::vector<LoadMessage> messages = LoadTables(tables, over);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Error in table file " + Path(over) + (over == "Kvmat.csv"
            ? ", line 27: more than 23 rows" : ", line 62: more than 61 rows"));
        for (const ProfileTable* t : {&tables.LTable, &tables.TTable, &tables.FbTable, &tables.BfTable}) {
            EXPECT_EQ(t->LastRow(), 60);
        }
        EXPECT_EQ(tables.MaterialLastRow(), 22);
    }
    // No line limit in the table files: 10 MB of blanks, then a number of 10 MB.
    Write("fprof.dat", "100 8" + std::string(10'000'000, ' ') + std::string(10'000'000, '9'));
    ProfileTable table;
    const std::vector<LoadMessage> messages =
        LoadProfileTable(table, ProfileKind::FlatBar, Path("fprof.dat"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Error in table file " + Path("fprof.dat") + ", line 1: not a number: '" +
                                    std::string(32, '9') + "...'");
    EXPECT_EQ(table.rows.size(), 1u);
}

TEST_F(Limits, LastRowsServeCalculationAndProjectFileAndTheNextIsRefused) {
    Tables full;
    ASSERT_TRUE(LoadTables(full).empty());
    for (int family : {0, 2, 4, 6}) {
        SCOPED_TRACE("family " + std::to_string(family));
        Project p;
        NewProject(p);
        p.StiffProfileType = family;
        p.LTableRow = p.TTableRow = p.FbTableRow = p.BfTableRow = 60;
        p.PlateMaterialIndex = 21;
        p.StiffMaterialIndex = 22;  // the material typed by hand
        p.Fys = 315, p.Fus = 440;
        ApplyProfilesAndMaterials(p, full);
        EXPECT_EQ(p.Fyp, 340);  // row 21: 235 + 5 * 21
        EXPECT_EQ(p.Fys, 315);
        EXPECT_EQ(p.StiffH, family == 6 ? 430 : 400);  // row 60: 100 + 5 * 60
        Calculate(p, full);
        ASSERT_FALSE(p.CalcFailure) << p.CalcFailure->Text();
        std::string path = Path("last rows.kelvo");
        ASSERT_TRUE(WriteProjectFile(p, path).ok);
        Project opened;
        NewProject(opened);
        ASSERT_EQ(OpenProject(opened, full, path), "");
        EXPECT_EQ(testdata::FieldText(opened, "LTableRow") + testdata::FieldText(opened, "TTableRow") +
                      testdata::FieldText(opened, "FbTableRow") + testdata::FieldText(opened, "BfTableRow"),
                  "60606060");
        EXPECT_EQ(opened.PlateMaterialIndex, 21);
        EXPECT_EQ(opened.StiffMaterialIndex, 22);
    }
    // Without tables loaded the full sizes stand in for them.
    const std::vector<std::string> lines = Split(ReadBytes(testdata::DataPath("projectfile/default202.kelvo")), "\r\n");
    Tables none;
    for (const Tables* tables : {&full, &none}) {
        for (int line : {4, 5, 7, 8, 9, 10}) {
            for (int past : {0, 1}) {
                SCOPED_TRACE("line " + std::to_string(line) + (past ? " past" : " last"));
                std::vector<std::string> changed = lines;
                changed[line - 1] = std::to_string((line < 7 ? 22 : 60) + past);
                std::string content;
                for (std::size_t i = 0; i + 1 < changed.size(); ++i) {
                    content += changed[i] + "\r\n";
                }
                Write("limit.kelvo", content);
                Project p;
                NewProject(p);
                EXPECT_EQ(ReadProjectFile(p, *tables, Path("limit.kelvo")).message,
                          past ? "can't read file - " + Path("limit.kelvo") + ", line " + std::to_string(line) : "");
            }
        }
    }
}

TEST_F(Limits, TenThousandEntriesAreReadRunAndWrittenTheNextIsRefused) {
    const Tables tables = filecases::TablesOf("shipped");
    const std::string panel = Split(ReadBytes(testdata::DataPath("batch/panels.kvi")), "\r\n")[1];
    std::string file;
    for (int i = 0; i < kMaxBatchEntries; ++i) {
        file += "Limit\tP" + std::to_string(i) + panel.substr(panel.find("\t", 11)) + "\r\n";
    }
    Write("full.kvi", file + "End\r\n");
    const BatchReadResult read = ReadBatchFile(Path("full.kvi"), tables, 0);
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(read.table.entries.size(), 10000u);
    EXPECT_EQ(read.table.entries.back().line, 10000);
    Project p;
    std::vector<BatchFailure> failures;
    ASSERT_TRUE(WriteBatchResults(p, tables, read.table, Path("full.kvo"), '.', &failures).ok);
    EXPECT_TRUE(failures.empty());
    const std::vector<std::string> lines = Split(ReadBytes(Path("full.kvo")), "\r\n");
    ASSERT_EQ(lines.size(), 10002u);
    // Panels alike but for their names: alike result lines.
    EXPECT_EQ(lines[10000], "Limit\tP9999" + lines[1].substr(std::string("Limit\tP0").size()));
    EXPECT_EQ(p.Identification, "P9999");

    Write("over.kvi", file + "% one too many\r\nEnd\r\n");
    EXPECT_EQ(ReadBatchFile(Path("over.kvi"), tables, 0).message,
              "Error in batch file " + Path("over.kvi") + ", line 10001: more than 10000 entries");
}

// The readers refuse a line of more than 1048576 characters: the longest texts below it are
// carried whole, through a save and an open, and through a batch run into its result line.
TEST_F(Limits, LongestTextsAreKeptWholeAndLongerOnesRefused) {
    const Tables tables = filecases::TablesOf("shipped");
    const std::size_t kLongest = (1 << 20) - 16;
    const std::string name(kLongest, 'N'), identification(kLongest, 'I');
    Project p;
    NewProject(p);
    ApplyProfilesAndMaterials(p, tables);
    p.ProjectName = name;
    p.Identification = identification;
    std::string path = Path("long.kelvo");
    ASSERT_TRUE(WriteProjectFile(p, path).ok);
    Project opened;
    NewProject(opened);
    ASSERT_EQ(OpenProject(opened, tables, path), "");
    EXPECT_EQ(opened.ProjectName, name);
    EXPECT_EQ(opened.Identification, identification);
    p.Identification += std::string(32, 'I');
    ASSERT_TRUE(WriteProjectFile(p, path).ok);
    EXPECT_EQ(OpenProject(opened, tables, path), "can't read file - " + path + ", line 3");
    EXPECT_EQ(opened.Identification, identification);

    // A panel line under the limit: a name of half a megabyte, an identification of nearly as much.
    const std::string panel = Split(ReadBytes(testdata::DataPath("batch/panels.kvi")), "\r\n")[1];
    const std::string half(kLongest / 2, 'N'), rest(kLongest / 2 - 200, 'I');
    const std::string comment = "%" + std::string(kLongest, 'c');
    Write("long.kvi", comment + "\r\n" + half + "\t" + rest + panel.substr(panel.find("\t", 11)) + "\r\nEnd\r\n");
    const BatchReadResult read = ReadBatchFile(Path("long.kvi"), tables, 0);
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(read.table.entries.size(), 2u);
    ASSERT_TRUE(WriteBatchResults(p, tables, read.table, Path("long.kvo"), '.').ok);
    const std::vector<std::string> lines = Split(ReadBytes(Path("long.kvo")), "\r\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], comment);
    EXPECT_EQ(lines[2].substr(0, half.size() + rest.size() + 2), half + "\t" + rest + "\t");

    Write("over.kvi", std::string((1 << 20) + 1, 'a') + "\r\nEnd\r\n");
    EXPECT_EQ(ReadBatchFile(Path("over.kvi"), tables, 0).message,
              "Error in batch file " + Path("over.kvi") + ", line 1: line longer than 1048576 characters");
}

}  // namespace
}  // namespace kelvor
