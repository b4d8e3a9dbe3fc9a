// The table files: the shipped ones (tests/data/tables/shipped.tsv), files that read without a
// message (reads.tsv), list entries (entries.tsv), the data folder. Broken table files:
// test_badfiles.cpp; 61 rows and 23 materials: test_limits.cpp.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

#include "filecases.h"
#include "files/datafolder.h"

namespace kelvor {
namespace {

namespace fs = std::filesystem;
using filecases::RowText;
using testsupport::ReadBytes;

const fs::path kShipped = KELVOR_SOURCE_DATA_DIR;

using TablesTest = testsupport::TempDirTest;

TEST_F(TablesTest, ShippedTablesLoadCompleteInBothDecimalModes) {
    for (int mode : {0, 1}) {
        Tables t;
        EXPECT_TRUE(LoadAllTables(t, kShipped, mode).empty());
        const std::map<std::string, std::pair<const ProfileTable*, int>> tables = {
            {"bfprof.dat", {&t.BfTable, 5}},
            {"fprof.dat", {&t.FbTable, 2}},
            {"lprof.dat", {&t.LTable, 4}},
            {"tprof.dat", {&t.TTable, 4}}};
        for (const testdata::Row& row : testdata::ReadTable("tables/shipped.tsv")) {
            SCOPED_TRACE(row.where + " mode " + std::to_string(mode));
            const auto r = static_cast<std::size_t>(row.Int(1));
            const bool material = row[0] == "Kvmat.csv";
            const auto& [table, columns] = material ? tables.begin()->second : tables.at(row[0]);
            const std::size_t size = material ? t.Materials.size() : table->rows.size();
            ASSERT_LT(r, size);
            EXPECT_EQ(material ? RowText(t.Materials[r]) : RowText(table->rows[r], columns),
                      row[3]);
            EXPECT_EQ(r + 1 == size, row[2] == "last");
        }
        // Rows past 3 have their factor computed by the checks; the file must agree with it.
        for (int r = 4; r <= t.MaterialLastRow(); ++r) {
            const MaterialRow& m = t.Materials[r];
            EXPECT_NEAR(m.MatQ, 489.55 / (m.MatFy + 2 * m.MatFu / 3), 0.005) << m.MatName;
        }
        // After the default row 0 the list reads in ascending order, each profile once.
        for (const ProfileTable* table : {&t.LTable, &t.TTable}) {
            for (int r = (table == &t.LTable ? 2 : 1); r <= table->LastRow(); ++r) {
                EXPECT_LT(table->rows[r - 1], table->rows[r]) << "row " << r;
            }
        }
    }
    for (const std::string& name : DataFileNames()) {
        const std::string bytes = ReadBytes(kShipped / name);
        EXPECT_TRUE(bytes.ends_with("\r\n")) << name;
        EXPECT_EQ(bytes.find("\r\n\r\n"), std::string::npos) << name;
        for (std::size_t i = bytes.find('\n'); i != std::string::npos;
             i = bytes.find('\n', i + 1)) {
            ASSERT_EQ(bytes[i - 1], '\r') << name << " byte " << i;
        }
    }
    EXPECT_TRUE(ReadBytes(kShipped / "dummy.kvi").starts_with("%"));
}

TEST_F(TablesTest, GoodFilesGiveTheirRowsAndEntries) {
    for (const testdata::Row& row : testdata::ReadTable("tables/reads.tsv")) {
        std::string path = testdata::DataPath("tables/good/" + row[1]), rows;
        EXPECT_TRUE(filecases::LoadTableFile(row[0], path, dir_, rows).empty()) << row.where;
        EXPECT_EQ(rows, row[2]) << row.where;
    }
    const std::map<std::string, ProfileKind> kinds = {{"BulbFlat", ProfileKind::BulbFlat},
                                                      {"FlatBar", ProfileKind::FlatBar},
                                                      {"L", ProfileKind::L},
                                                      {"T", ProfileKind::T}};
    for (const testdata::Row& row : testdata::ReadTable("tables/entries.tsv")) {
        ProfileRow r{};
        const std::vector<std::string> numbers = filecases::Split(row[1], "|");
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            r[i] = std::stof(numbers[i]);
        }
        EXPECT_EQ(ProfileListEntries(ProfileTable{{r, r}}, kinds.at(row[0]), row[2][0]),
                  (std::vector<std::string>{row[3], row[3]}))
            << row.where;
    }
    EXPECT_TRUE(ProfileListEntries(ProfileTable{}, ProfileKind::L, '.').empty());
}

TEST_F(TablesTest, MissingFilesAreNamedInStartUpOrder) {
    fs::create_directory(dir_ / "tprof.dat");
    Tables t;
    t.BfTable.rows = {{1, 1, 1, 1, 1}};
    std::string texts;
    for (const LoadMessage& m : LoadAllTables(t, dir_, 0)) {
        texts += m.text + (m.line == 0 ? "\n" : " with a line\n");
    }
    const std::string find = "can't find file - " + Path(""),
                      read = "can't read file - " + Path("");
    EXPECT_EQ(texts, find + "bfprof.dat\n" + find + "lprof.dat\n" + read + "tprof.dat\n" + find +
                         "fprof.dat\n" + find + "Kvmat.csv\n");
    EXPECT_EQ(t.BfTable.LastRow(), -1);
    EXPECT_EQ(t.MaterialLastRow(), -1);
}

TEST_F(TablesTest, RandomBytesNeverCrashAndGiveAtMostOneMessageAFile) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 100; ++round) {
        std::string bytes(1 + random() % 3000, '\0');
        for (char& b : bytes) {
            // Mostly digits and separators, so some rows get through before the fault.
            const unsigned r = random();
            b = r % 4 == 0 ? static_cast<char>(r >> 8) : "0123456789.,; \r\n"[(r >> 8) % 16];
        }
        for (const std::string& name : DataFileNames()) {
            Write(name, bytes);
        }
        Tables t;
        EXPECT_LE(LoadAllTables(t, dir_, round % 2).size(), 5u);
    }
}

TEST_F(TablesTest, DataFolderComesFromTheEnvironmentAndIsSeededWithMissingFiles) {
    for (const testdata::Row& row : testdata::ReadTable("tables/datafolder.tsv")) {
        auto env = [&](int i) { return row[i] == "-" ? nullptr : row[i].c_str(); };
        EXPECT_EQ(ResolveDataFolder(env(0), env(1), env(2)).string(), row[3]) << row.where;
    }
    const fs::path folder = dir_ / "new" / "Kelvor";
    const std::string edited = "Kelvor material table\r\n2\r\nName;Fy;Fu;Q\r\nMine;100;200;1\r\n";
    fs::create_directories(folder);
    testsupport::WriteBytes(folder / "Kvmat.csv", edited);
    EXPECT_TRUE(SeedDataFolder(folder, kShipped).empty());
    for (const std::string& name : DataFileNames()) {
        EXPECT_EQ(ReadBytes(folder / name),
                  name == "Kvmat.csv" ? edited : ReadBytes(kShipped / name))
            << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 6);
    fs::remove_all(folder);
    EXPECT_TRUE(SeedDataFolder(folder, kShipped).empty());
    EXPECT_EQ(ReadBytes(folder / "Kvmat.csv"), ReadBytes(kShipped / "Kvmat.csv"));

    std::vector<std::string> texts;
    for (const LoadMessage& m : SeedDataFolder(dir_ / "other", dir_ / "nowhere")) {
        texts.push_back(m.text);
    }
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0], "can't find file - " + (dir_ / "nowhere" / "bfprof.dat").string());
    EXPECT_EQ(texts[5], "can't find file - " + (dir_ / "nowhere" / "dummy.kvi").string());
    Write("afile", "x");
    const std::vector<LoadMessage> blocked = SeedDataFolder(dir_ / "afile", kShipped);
    ASSERT_EQ(blocked.size(), 1u);
    EXPECT_EQ(blocked[0].text, "can't save file - " + Path("afile"));
}

TEST_F(TablesTest, ShippedFilesAreFoundBesideTheProgramOrUnderShare) {
    const fs::path bin = dir_ / "prefix" / "bin";
    const fs::path installed = dir_ / "prefix" / "share" / "kelvor" / "data";
    fs::create_directories(bin);
    // Neither there: the build tree's place, so that a message names where a build puts them.
    EXPECT_EQ(ShippedFolder(bin, "data"), bin / "data");
    fs::create_directories(installed);
    EXPECT_EQ(ShippedFolder(bin, "data"), installed);
    EXPECT_EQ(ShippedFolder(bin, "Help"), bin / "Help");
    // A file of that name beside the program is no folder of tables.
    testsupport::WriteBytes(bin / "data", "x");
    EXPECT_EQ(ShippedFolder(bin, "data"), installed);
    fs::remove(bin / "data");
    fs::create_directories(bin / "data");
    EXPECT_EQ(ShippedFolder(bin, "data"), bin / "data");
}

}  // namespace
}  // namespace kelvor
