// The table files: the shipped ones, files that read without a message (tests/data/tables), list
// entries, the data folder. Broken table files: test_badfiles.cpp; 61 rows and 23 materials:
// test_limits.cpp.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "filecases.h"
#include "files/datafolder.h"

namespace kelvor {
namespace {

namespace fs = std::filesystem;
using testdata::Shortest;
using testsupport::ReadBytes;

const fs::path kShipped = KELVOR_SOURCE_DATA_DIR;

std::string RowText(const ProfileRow& row, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += (i ? "|" : "") + Shortest(row[i]);
    }
    return out;
}

std::string MaterialText(const MaterialRow& m) {
    return m.MatName + "|" + Shortest(m.MatFy) + "|" + Shortest(m.MatFu) + "|" + Shortest(m.MatQ);
}

using TablesTest = testsupport::TempDirTest;

TEST_F(TablesTest, ShippedTablesLoadCompleteInBothDecimalModes) {
    for (int mode : {0, 1}) {
        Tables t;
        EXPECT_TRUE(LoadAllTables(t, kShipped, mode).empty());
        const std::pair<std::string, const ProfileTable*> tables[] = {
            {"bfprof.dat", &t.BfTable}, {"fprof.dat", &t.FbTable},
            {"lprof.dat", &t.LTable}, {"tprof.dat", &t.TTable}};
        for (const testdata::Row& row : testdata::ReadTable("tables/shipped.tsv")) {
            SCOPED_TRACE(row.where + " mode " + std::to_string(mode));
            const std::size_t r = row.Int(1);
            for (const auto& [file, table] : tables) {
                if (file == row[0]) {
                    ASSERT_LT(r, table->rows.size());
                    EXPECT_EQ(RowText(table->rows[r], table == &t.BfTable ? 5 : 4 - 2 * (table == &t.FbTable)), row[3]);
                    EXPECT_EQ(table->LastRow() == row.Int(1), row[2] == "last");
                }
            }
            if (row[0] == "Kvmat.csv") {
                ASSERT_LT(r, t.Materials.size());
                EXPECT_EQ(MaterialText(t.Materials[r]), row[3]);
                EXPECT_EQ(t.MaterialLastRow() == row.Int(1), row[2] == "last");
            }
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
        SCOPED_TRACE(name);
        const std::string bytes = ReadBytes(kShipped / name);
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        EXPECT_EQ(bytes.find("\r\n\r\n"), std::string::npos);
        for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
            ASSERT_EQ(bytes[i - 1], '\r') << "byte " << i;
        }
    }
    EXPECT_EQ(ReadBytes(kShipped / "dummy.kvi").substr(0, 1), "%");
}

TEST_F(TablesTest, GoodFilesGiveTheirRowsAndEntries) {
    for (const testdata::Row& row : testdata::ReadTable("tables/reads.tsv")) {
        SCOPED_TRACE(row.where);
        const std::string path = testdata::DataPath("tables/good/" + row[0]);
        std::vector<std::string> rows;
        std::vector<LoadMessage> messages;
        if (row[0].ends_with(".csv")) {
            fs::copy_file(path, dir_ / kMaterialFile, fs::copy_options::overwrite_existing);
            Tables t;
            messages = LoadMaterialTable(t, dir_, row.Int(1));
            for (const MaterialRow& m : t.Materials) {
                rows.push_back(MaterialText(m));
            }
        } else {
            ProfileTable table;
            messages = LoadProfileTable(table, ProfileKind::FlatBar, path);
            for (const ProfileRow& r : table.rows) {
                rows.push_back(RowText(r, 2));
            }
        }
        EXPECT_TRUE(messages.empty());
        std::string text;
        for (const std::string& r : rows) {
            text += (text.empty() ? "" : ";") + r;
        }
        EXPECT_EQ(text, row[2]);
    }
    const std::pair<std::string, ProfileKind> kinds[] = {{"BulbFlat", ProfileKind::BulbFlat},
        {"FlatBar", ProfileKind::FlatBar}, {"L", ProfileKind::L}, {"T", ProfileKind::T}};
    for (const testdata::Row& row : testdata::ReadTable("tables/entries.tsv")) {
        SCOPED_TRACE(row.where);
        ProfileRow r{};
        const std::vector<std::string> numbers = filecases::Split(row[1], "|");
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            r[i] = std::stof(numbers[i]);
        }
        for (const auto& [name, kind] : kinds) {
            if (name == row[0]) {
                EXPECT_EQ(ProfileListEntries(ProfileTable{{r, r}}, kind, row[2][0]),
                          (std::vector<std::string>{row[3], row[3]}));
            }
        }
    }
    EXPECT_TRUE(ProfileListEntries(ProfileTable{}, ProfileKind::L, '.').empty());
}

TEST_F(TablesTest, MissingFilesAreNamedInStartUpOrder) {
    fs::create_directory(dir_ / "tprof.dat");
    Tables t;
    t.BfTable.rows = {{1, 1, 1, 1, 1}};
    std::vector<std::string> texts;
    for (const LoadMessage& m : LoadAllTables(t, dir_, 0)) {
        texts.push_back(m.text);
        EXPECT_EQ(m.line, 0);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"can't find file - " + Path("bfprof.dat"),
                                               "can't find file - " + Path("lprof.dat"),
                                               "can't read file - " + Path("tprof.dat"),
                                               "can't find file - " + Path("fprof.dat"),
                                               "can't find file - " + Path("Kvmat.csv")}));
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
        for (int mode : {0, 1}) {
            EXPECT_LE(LoadAllTables(t, dir_, mode).size(), 5u);
            EXPECT_LE(t.BfTable.rows.size(), 61u);
            EXPECT_LE(t.Materials.size(), 23u);
        }
    }
}

TEST_F(TablesTest, DataFolderComesFromTheEnvironmentAndIsSeededWithMissingFiles) {
    for (const testdata::Row& row : testdata::ReadTable("tables/datafolder.tsv")) {
        SCOPED_TRACE(row.where);
        auto env = [&](int i) { return row[i] == "-" ? nullptr : row[i].c_str(); };
        EXPECT_EQ(ResolveDataFolder(env(0), env(1), env(2)).string(), row[3]);
    }

    const fs::path folder = dir_ / "new" / "Kelvor";
    const std::string edited = "Kelvor material table\r\nheading 2\r\nName;Fy;Fu;Q\r\nMine;100;200;1\r\n";
    fs::create_directories(folder);
    testsupport::WriteBytes(folder / "Kvmat.csv", edited);
    EXPECT_TRUE(SeedDataFolder(folder, kShipped).empty());
    for (const std::string& name : DataFileNames()) {
        EXPECT_EQ(ReadBytes(folder / name), name == "Kvmat.csv" ? edited : ReadBytes(kShipped / name))
            << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 6);
    Tables t;
    EXPECT_TRUE(LoadAllTables(t, folder, 0).empty());
    EXPECT_EQ(t.Materials[0].MatName, "Mine");

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
