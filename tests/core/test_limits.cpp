// The limits of the tables, the batch file and the texts, tried at the limit (everything works,
// down to the last row) and one past it (a message that names the file and line).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/calculate.h"
#include "core/project.h"
#include "core/session.h"
#include "core/tables.h"
#include "files/batchfile.h"
#include "files/projectfile.h"
#include "files/tableloaders.h"
#include "testsupport.h"

namespace kelvor {
namespace {

namespace fs = std::filesystem;

using testsupport::ReadBytes;
using testsupport::WriteBytes;

std::vector<std::string> Lines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(content.substr(start, end - start));
    }
    return lines;
}

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

class LimitsTest : public testsupport::TempDirTest {
protected:
    // The tables full: 61 rows of each profile table, 23 materials.
    void WriteFullTables() const {
        WriteBytes(dir_ / "lprof.dat", ProfileRows(61, "90, 10, 14"));
        WriteBytes(dir_ / "tprof.dat", ProfileRows(61, "150, 10, 16"));
        WriteBytes(dir_ / "fprof.dat", ProfileRows(61, "12"));
        WriteBytes(dir_ / "bfprof.dat", ReadBytes(fs::path(KELVOR_SOURCE_DATA_DIR) / "bfprof.dat"));
        WriteBytes(dir_ / "Kvmat.csv", MaterialRows(23));
    }
};

TEST_F(LimitsTest, FullTablesServeTheirLastRowsThroughCalculationAndProjectFile) {
    WriteFullTables();
    Tables tables;
    ASSERT_TRUE(LoadAllTables(tables, dir_, 0).empty());
    for (const ProfileTable* table : {&tables.LTable, &tables.TTable, &tables.FbTable,
                                      &tables.BfTable}) {
        EXPECT_EQ(table->LastRow(), 60);
    }
    EXPECT_EQ(tables.MaterialLastRow(), 22);

    for (int family : {0, 2, 4, 6}) {
        SCOPED_TRACE("family " + std::to_string(family));
        Project p;
        NewProject(p);
        p.StiffProfileType = family;
        p.LTableRow = p.TTableRow = p.FbTableRow = p.BfTableRow = 60;
        p.PlateMaterialIndex = 21;
        p.StiffMaterialIndex = 22;  // the material typed by hand
        p.Fys = 315;
        p.Fus = 440;
        ApplyProfilesAndMaterials(p, tables);
        EXPECT_EQ(p.Fyp, 340);  // row 21: 235 + 5 * 21
        EXPECT_EQ(p.Fys, 315);
        const ProfileTable& table = family == 0   ? tables.LTable
                                    : family == 2 ? tables.TTable
                                    : family == 4 ? tables.FbTable
                                                  : tables.BfTable;
        EXPECT_EQ(p.StiffH, table.rows[60][0]);
        Calculate(p, tables);
        ASSERT_FALSE(p.CalcFailure) << p.CalcFailure->Text();

        std::string path = Path("last rows.kelvo");
        ASSERT_TRUE(WriteProjectFile(p, path).ok);
        Project opened;
        NewProject(opened);
        ASSERT_EQ(OpenProject(opened, tables, path), "");
        EXPECT_EQ(opened.LTableRow, 60);
        EXPECT_EQ(opened.TTableRow, 60);
        EXPECT_EQ(opened.FbTableRow, 60);
        EXPECT_EQ(opened.BfTableRow, 60);
        EXPECT_EQ(opened.PlateMaterialIndex, 21);
        EXPECT_EQ(opened.StiffMaterialIndex, 22);
    }

    // A file that names the row or material after the last: refused at its line.
    std::string path = Path("beyond.kelvo");
    Project p;
    NewProject(p);
    ASSERT_TRUE(WriteProjectFile(p, path).ok);
    const std::vector<std::string> lines = Lines(ReadBytes(path));
    ASSERT_EQ(lines.size(), 48u);
    for (const auto& [line, value] : {std::pair{4, "23"}, {5, "23"}, {7, "61"}, {8, "61"},
                                      {9, "61"}, {10, "61"}}) {
        SCOPED_TRACE("line " + std::to_string(line));
        std::vector<std::string> changed = lines;
        changed[static_cast<std::size_t>(line - 1)] = value;
        std::string content;
        for (const std::string& l : changed) {
            content += l + "\r\n";
        }
        WriteBytes(path, content);
        Project untouched = p;
        EXPECT_EQ(OpenProject(untouched, tables, path),
                  "can't read file - " + path + ", line " + std::to_string(line));
    }
}

TEST_F(LimitsTest, OneRowOverAProfileTableKeepsTheFirst61AndSaysSo) {
    const struct {
        const char* file;
        std::string rows;
        ProfileTable Tables::*table;
    } cases[] = {
        {"lprof.dat", ProfileRows(62, "90, 10, 14"), &Tables::LTable},
        {"tprof.dat", ProfileRows(62, "150, 10, 16"), &Tables::TTable},
        {"bfprof.dat", ProfileRows(62, "6, 15.5, 4.5, 774"), &Tables::BfTable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        WriteFullTables();
        WriteBytes(dir_ / c.file, c.rows);
        Tables tables;
        const std::vector<LoadMessage> messages = LoadAllTables(tables, dir_, 0);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text,
                  "Error in table file " + Path(c.file) + ", line 62: more than 61 rows");
        EXPECT_EQ((tables.*c.table).LastRow(), 60);
    }
}

// A panel line of the format with the given name and identification.
std::string PanelLine(const std::string& name, const std::string& identification) {
    return name + "\t" + identification +
           "\t0\t1.43\t0.6\t355\t470\t355\t470\t206000\t1\t3\t0\tLR\t200x90x9x14\tTG\t"
           "800x200x10x20\t3000\t3000\t9000\t5400\t3000\t20\t600\t650\t-100\t-100\t-50\t-50\t10\t"
           "0.03\t0.03\r\n";
}

TEST_F(LimitsTest, TenThousandPanelsAreReadRunAndWritten) {
    Tables tables;
    ASSERT_TRUE(LoadAllTables(tables, KELVOR_SOURCE_DATA_DIR, 0).empty());
    std::string file;
    for (int i = 0; i < 10000; ++i) {
        file += PanelLine("Limit", "P" + std::to_string(i));
    }
    WriteBytes(dir_ / "full.kvi", file + "End\r\n");
    const BatchReadResult read = ReadBatchFile(Path("full.kvi"), tables, 0);
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(read.table.entries.size(), 10000u);

    Project p;
    NewProject(p);
    std::vector<BatchFailure> failures;
    ASSERT_TRUE(WriteBatchResults(p, tables, read.table, Path("full.kvo"), '.', &failures).ok);
    EXPECT_TRUE(failures.empty());
    const std::vector<std::string> lines = Lines(ReadBytes(dir_ / "full.kvo"));
    ASSERT_EQ(lines.size(), 10001u);
    // Panels alike but for their names: alike result lines.
    EXPECT_EQ(lines[10000], "Limit\tP9999" + lines[1].substr(std::string("Limit\tP0").size()));
    EXPECT_EQ(p.Identification, "P9999");
}

// The readers refuse a line of more than 1048576 characters: the longest texts below it are
// carried whole, through a save and an open, and through a batch run into its result line.
TEST_F(LimitsTest, LongestTextsAreKeptWholeAndLongerOnesRefused) {
    Tables tables;
    ASSERT_TRUE(LoadAllTables(tables, KELVOR_SOURCE_DATA_DIR, 0).empty());
    const std::size_t kLongest = (1 << 20) - 16;
    const std::string name(kLongest, 'N');
    const std::string identification(kLongest, 'I');

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

    // A panel line under the limit with a name of half a megabyte and an identification of
    // nearly as much.
    const std::string half(kLongest / 2, 'N');
    const std::string rest(kLongest / 2 - 200, 'I');
    WriteBytes(dir_ / "long.kvi", "%" + std::string(kLongest, 'c') + "\r\n" +
                                      PanelLine(half, rest) + "End\r\n");
    const BatchReadResult read = ReadBatchFile(Path("long.kvi"), tables, 0);
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(read.table.entries.size(), 2u);
    ASSERT_TRUE(WriteBatchResults(p, tables, read.table, Path("long.kvo"), '.').ok);
    const std::vector<std::string> lines = Lines(ReadBytes(dir_ / "long.kvo"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "%" + std::string(kLongest, 'c'));
    EXPECT_EQ(lines[2].substr(0, half.size() + rest.size() + 2), half + "\t" + rest + "\t");
}

}  // namespace
}  // namespace kelvor
