// The one place of each limit: 61 rows of a profile table, 23 materials, 10,000 batch entries and
// lines of 1 MiB, tried at the limit (everything works, down to the last row, through the
// calculation and the project file) and one past it (a message that names the file and line).
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

const std::string kLastRows = "LTableRow=60;TTableRow=60;FbTableRow=60;BfTableRow=60";

class Limits : public testsupport::TempDirTest {
protected:
    // The tables full (tests/data/tables/full): 61 rows of growing height in each profile table
    // (the shipped bulb flats; a blank line after the last), 23 materials, the last without a
    // line end. `over` names a file given its first row twice.
    std::vector<LoadMessage> LoadTables(Tables& tables, const std::string& over = "") const {
        for (const std::string name :
             {"lprof.dat", "tprof.dat", "fprof.dat", "bfprof.dat", "Kvmat.csv"}) {
            std::vector<std::string> lines =
                Split(ReadBytes(testdata::DataPath("tables/full/" + name)), "\r\n");
            const std::size_t first = name == "Kvmat.csv" ? 3 : 0;
            if (name == over) {
                lines.insert(lines.begin() + first, lines[first]);
            }
            Write(name, filecases::Join(lines, "\r\n"));
        }
        return LoadAllTables(tables, dir_, 0);
    }
};

TEST_F(Limits, TablesServeTheirLastRowsAndRefuseTheNext) {
    for (const std::string over :
         {"lprof.dat", "tprof.dat", "fprof.dat", "bfprof.dat", "Kvmat.csv"}) {
        SCOPED_TRACE(over);
        Tables tables;
        const std::vector<LoadMessage> messages = LoadTables(tables, over);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Error in table file " + Path(over) +
                                        (over == "Kvmat.csv" ? ", line 27: more than 23 rows"
                                                             : ", line 62: more than 61 rows"));
        for (const ProfileTable* t :
             {&tables.LTable, &tables.TTable, &tables.FbTable, &tables.BfTable}) {
            EXPECT_EQ(t->LastRow(), 60);
        }
        EXPECT_EQ(tables.MaterialLastRow(), 22);
    }
    Tables full;
    ASSERT_TRUE(LoadTables(full).empty());
    for (const std::string family : {"0", "2", "4", "6"}) {
        SCOPED_TRACE("family " + family);
        Project p;
        NewProject(p);
        // Material 22 is the one typed by hand: its strengths stay.
        testdata::SetFields(p, "StiffProfileType=" + family + ";" + kLastRows +
                                   ";PlateMaterialIndex=21;StiffMaterialIndex=22;Fys=315;Fus=440");
        ApplyProfilesAndMaterials(p, full);
        // Row 21: 235 + 5 * 21; row 60: 100 + 5 * 60, the shipped bulb flat 430.
        EXPECT_EQ(testdata::FieldText(p, "Fyp") + " " + testdata::FieldText(p, "Fys") + " " +
                      testdata::FieldText(p, "StiffH"),
                  family == "6" ? "340 315 430" : "340 315 400");
        Calculate(p, full);
        ASSERT_FALSE(p.CalcFailure) << p.CalcFailure->Text();
    }
    // Material 22 and row 60 open, material 23 and row 61 are refused at their line; without
    // tables loaded the full sizes stand in for them.
    const std::vector<std::string> lines =
        Split(ReadBytes(testdata::DataPath("projectfile/default202.kelvo")), "\r\n");
    Tables none;
    for (const Tables* tables : {&full, &none}) {
        for (int line : {4, 5, 7, 8, 9, 10}) {
            for (int past : {0, 1}) {
                std::vector<std::string> changed = lines;
                changed[line - 1] = std::to_string((line < 7 ? 22 : 60) + past);
                Write("limit.kelvo", filecases::Join(changed, "\r\n"));
                Project p;
                NewProject(p);
                EXPECT_EQ(OpenProject(p, *tables, Path("limit.kelvo")),
                          past ? "can't read file - " + Path("limit.kelvo") + ", line " +
                                     std::to_string(line)
                               : "");
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
    Write("long.kvi", comment + "\r\n" + half + "\t" + rest + panel.substr(panel.find("\t", 11)) +
                          "\r\nEnd\r\n");
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
              "Error in batch file " + Path("over.kvi") +
                  ", line 1: line longer than 1048576 characters");
}

}  // namespace
}  // namespace kelvor
