#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "files/datafolder.h"
#include "files/tableloaders.h"
#include "testsupport.h"

namespace kelvor {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const fs::path kShipped = KELVOR_SOURCE_DATA_DIR;
const std::string kHeadings = "Kelvor material table\r\nheading 2\r\nName;Fy;Fu;Q\r\n";

using testsupport::ReadBytes;
using TablesTest = testsupport::TempDirTest;

std::string Rows(int count, const std::string& row) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += row;
    }
    return text;
}

TEST_F(TablesTest, ShippedTablesLoadCompleteInBothDecimalModes) {
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        Tables t;
        EXPECT_TRUE(LoadAllTables(t, kShipped, mode).empty());
        ASSERT_EQ(t.BfTable.LastRow(), 60);
        EXPECT_EQ(t.BfTable.rows[0], (ProfileRow{100, 6, 15.5f, 4.5f, 774}));
        EXPECT_EQ(t.BfTable.rows[16], (ProfileRow{180, 11.5f, 25, 7, 2520}));
        EXPECT_EQ(t.BfTable.rows[60], (ProfileRow{430, 20, 62.5f, 19.5f, 11570}));
        ASSERT_EQ(t.FbTable.LastRow(), 21);
        EXPECT_EQ(t.FbTable.rows[13], (ProfileRow{150, 15}));
        ASSERT_EQ(t.LTable.LastRow(), 41);
        EXPECT_EQ(t.LTable.rows[0], (ProfileRow{200, 90, 9, 14}));
        ASSERT_EQ(t.TTable.LastRow(), 44);
        EXPECT_EQ(t.TTable.rows[44], (ProfileRow{459.1f, 305.5f, 17.3f, 27.9f}));

        ASSERT_EQ(t.MaterialLastRow(), 13);
        const MaterialRow& s355 = t.Materials[2];
        EXPECT_EQ(std::tie(s355.MatName, s355.MatFy, s355.MatFu), std::tuple("S355", 355, 470));
        EXPECT_EQ(t.Materials[13].MatName, "User defined");
        // Rows past 3 have their factor computed by the checks; the file must agree with it.
        for (int r = 4; r <= t.MaterialLastRow(); ++r) {
            const MaterialRow& m = t.Materials[r];
            SCOPED_TRACE(m.MatName);
            EXPECT_NEAR(m.MatQ, 489.55 / (m.MatFy + 2 * m.MatFu / 3), 0.005);
        }
    }
    Tables t;
    LoadAllTables(t, kShipped, 0);
    EXPECT_EQ(ProfileListEntries(t.BfTable, ProfileKind::BulbFlat, '.')[16], "BF180x11.5");
    EXPECT_EQ(ProfileListEntries(t.LTable, ProfileKind::L, '.')[0], "L200x90x9x14");
    // After the default row 0 the list reads in ascending order, each profile once.
    for (const ProfileTable* table : {&t.LTable, &t.TTable}) {
        for (int r = (table == &t.LTable ? 2 : 1); r <= table->LastRow(); ++r) {
            EXPECT_LT(table->rows[r - 1], table->rows[r]) << "row " << r;
        }
    }
}

TEST_F(TablesTest, ShippedFilesEndEveryLineInCrLfAndNothingAfterTheLast) {
    for (const std::string& name : DataFileNames()) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadBytes(kShipped / name);
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        EXPECT_EQ(bytes.find("\r\n\r\n"), std::string::npos);
        for (std::size_t i = bytes.find('\n'); i != std::string::npos;
             i = bytes.find('\n', i + 1)) {
            ASSERT_EQ(bytes[i - 1], '\r') << "byte " << i;
        }
    }
    EXPECT_EQ(ReadBytes(kShipped / "dummy.kvi").substr(0, 1), "%");
}

TEST(ProfileListEntries, PrefixAndGeneralFormatWithoutBlanks) {
    struct Case {
        ProfileKind kind;
        ProfileRow row;
        char separator;
        std::string entry;
    };
    const Case cases[] = {
        {ProfileKind::FlatBar, {100, 8}, '.', "Fb100x8"},
        {ProfileKind::L, {150, 90, 10, 12}, '.', "L150x90x10x12"},
        {ProfileKind::BulbFlat, {200, 10.5f, 28, 8, 2660}, ',', "BF200x10,5"},
        {ProfileKind::BulbFlat, {200, 10.5f, 28, 8, 2660}, '.', "BF200x10.5"},
        {ProfileKind::T, {62.5f, 125, 6.5f, 9}, ',', "T62,5x125x6,5x9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        ProfileTable table;
        table.rows = {c.row, c.row};
        EXPECT_EQ(ProfileListEntries(table, c.kind, c.separator),
                  (std::vector<std::string>{c.entry, c.entry}));
    }
    EXPECT_TRUE(ProfileListEntries(ProfileTable{}, ProfileKind::L, '.').empty());
}

TEST_F(TablesTest, ProfileFilesReadLenientlyAndKeepTheRowsBeforeAFault) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<ProfileRow> rows;
        int line = 0;  // of the one message; none without
        std::string reason = "";
    };
    const std::vector<ProfileRow> one = {{100, 8}}, two = {{100, 8}, {120, 10}};
    const Case cases[] = {
        {"empty file", "", {}},
        {"commas", "100, 8\r\n120,10\r\n", two},
        {"blanks and tabs", "100 8 120\t 10", two},
        {"blank lines", "\r\n100, 8\r\n\r\n120, 10\r\n\r\n  \r\n", two},
        {"row across lines, LF only", "100,\n8\n", one},
        {"byte order mark, exponent, plus", "\xEF\xBB\xBF"s + "1e2, +8.0", one},
        {"10 MB of blanks", std::string(10'000'000, ' ') + "100 8", one},
        {"letters", "100, 8\r\n120, abc\r\n150, 10\r\n", one, 2, "not a number: 'abc'"},
        {"incomplete group", "100, 8\r\n120, 10\r\n150\r\n", two, 3,
         "incomplete row: 1 of 2 numbers"},
        {"negative", "100, 8\r\n-120, 10\r\n", one, 2, "not a positive number: '-120'"},
        {"zero", "100, 0\r\n", {}, 1, "not a positive number: '0'"},
        {"infinity", "100, inf\r\n", {}, 1, "not a number: 'inf'"},
        {"beyond single precision", "100, 1e99\r\n", {}, 1, "not a number: '1e99'"},
        {"two commas", "100, 8\r\n120,, 10\r\n", one, 2, "missing number before a comma"},
        {"leading comma", ", 100, 8\r\n", {}, 1, "missing number before a comma"},
        {"NUL byte", "100, 8\0\r\n"s, {}, 1, "not a number: '8?'"},
        {"binary garbage", "\x01\x02\xFF\xFE garbage", {}, 1, "not a number: '\?\?\?\?'"},
        {"10 MB number", "100, 8\r\n" + std::string(10'000'000, '9'), one, 2,
         "not a number: '" + std::string(32, '9') + "...'"},
        {"62 rows", Rows(62, "100, 8\r\n"), std::vector<ProfileRow>(61, {100, 8}), 62,
         "more than 61 rows"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write("fprof.dat", c.bytes);
        Tables t;
        const std::vector<LoadMessage> messages = LoadFbTable(t, dir_);
        EXPECT_EQ(t.FbTable.rows, c.rows);
        EXPECT_EQ(t.FbTable.LastRow(), static_cast<int>(c.rows.size()) - 1);
        ASSERT_EQ(messages.size(), c.line == 0 ? 0u : 1u);
        if (c.line != 0) {
            EXPECT_EQ(messages[0].file, Path("fprof.dat"));
            EXPECT_EQ(messages[0].line, c.line);
            EXPECT_EQ(messages[0].text, "Error in table file " + Path("fprof.dat") + ", line " +
                                            std::to_string(c.line) + ": " + c.reason);
        }
    }

    Write("bfprof.dat", Rows(61, "100 6 15.5 4.5 774\r\n") + "\r\n");
    Write("lprof.dat", "150 90 10 12\r\n120 80 8\r\n");
    Tables t;
    EXPECT_TRUE(LoadBfTable(t, dir_).empty());
    EXPECT_EQ(t.BfTable.LastRow(), 60);
    const std::vector<LoadMessage> messages = LoadLTable(t, dir_);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Error in table file " + Path("lprof.dat") +
                                    ", line 2: incomplete row: 3 of 4 numbers");
    EXPECT_EQ(t.LTable.rows, (std::vector<ProfileRow>{{150, 90, 10, 12}}));
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
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "can't find file - " + Path("bfprof.dat"),
                         "can't find file - " + Path("lprof.dat"),
                         "can't read file - " + Path("tprof.dat"),
                         "can't find file - " + Path("fprof.dat"),
                         "can't find file - " + Path("Kvmat.csv"),
                     }));
    EXPECT_EQ(t.BfTable.LastRow(), -1);
    EXPECT_EQ(t.MaterialLastRow(), -1);
}

TEST_F(TablesTest, MaterialLinesReadAsWritten) {
    struct Case {
        const char* name;
        std::string line;
        MaterialRow row;
    };
    const Case cases[] = {
        {"plain", "S355;355;470;0.73", {"S355", 355, 470, 0.73f}},
        {"blank after each semicolon", "S355; 355; 470; 0.73", {"S355", 355, 470, 0.73f}},
        {"comma decimal", "AH36;355;490;0,72", {"AH36", 355, 490, 0.72f}},
        {"blanks kept in the name", "  Grade X ;235;400;1", {"  Grade X ", 235, 400, 1}},
        {"fields after the fourth ignored", "S;1;2;3;4;x", {"S", 1, 2, 3}},
    };
    for (int mode : {0, 1}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name + " mode "s + std::to_string(mode));
            Write("Kvmat.csv", kHeadings + c.line + "\r\n");
            Tables t;
            EXPECT_TRUE(LoadMaterialTable(t, dir_, mode).empty());
            ASSERT_EQ(t.MaterialLastRow(), 0);
            const MaterialRow& m = t.Materials[0];
            EXPECT_EQ(std::tie(m.MatName, m.MatFy, m.MatFu, m.MatQ),
                      std::tie(c.row.MatName, c.row.MatFy, c.row.MatFu, c.row.MatQ));
        }
    }

    // Six rows, a blank line between rows, blank lines at the end, one line with LF only.
    Write("Kvmat.csv", kHeadings + Rows(5, "A;235;400;1\r\n") + "\r\nB;1;2;3\n \r\n\r\n");
    Tables t;
    EXPECT_TRUE(LoadMaterialTable(t, dir_, 0).empty());
    EXPECT_EQ(t.MaterialLastRow(), 5);
    EXPECT_EQ(t.Materials[5].MatName, "B");
    Write("Kvmat.csv", kHeadings + Rows(22, "A;235;400;1\r\n") + "A;235;400;1");
    EXPECT_TRUE(LoadMaterialTable(t, dir_, 0).empty());
    EXPECT_EQ(t.MaterialLastRow(), 22);
}

TEST_F(TablesTest, BrokenMaterialFilesStopAtTheFault) {
    struct Case {
        const char* name;
        int mode;
        std::string bytes;
        int keptRows;
        int line;
        std::string reason;
    };
    const std::string two = kHeadings + Rows(2, "A;235;400;1\r\n");
    const Case cases[] = {
        {"three fields", 0, two + "S355;355;470\r\nB;1;2;3\r\n", 2, 6, "fewer than 4 fields"},
        {"blank name only", 0, two + "   name\r\n", 2, 6, "fewer than 4 fields"},
        {"letters, comma mode", 1, two + "S355;abc;470;0.73\r\n", 2, 6, "not a number: 'abc'"},
        {"letters, point mode", 0, two + "S355;355;abc;0.73\r\n", 2, 6,
         "not a positive number: 'abc'"},
        {"digits and letters, comma mode", 1, two + "S;355;470;0.7x\r\n", 2, 6,
         "not a number: '0.7x'"},
        {"beyond single precision", 0, two + "S;1e99;470;1\r\n", 2, 6, "not a number: '1e99'"},
        {"24 rows", 0, kHeadings + Rows(24, "A;235;400;1\r\n"), 23, 27, "more than 23 rows"},
        {"headings only", 0, kHeadings, 0, 4, "no material rows"},
        {"empty file", 0, "", 0, 1, "no material rows"},
        {"binary garbage", 0, kHeadings + "\x01\xFF\x00;\x80"s, 0, 4, "fewer than 4 fields"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write("Kvmat.csv", c.bytes);
        Tables t;
        const std::vector<LoadMessage> messages = LoadMaterialTable(t, dir_, c.mode);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].line, c.line);
        EXPECT_EQ(messages[0].text, "Error in table file " + Path("Kvmat.csv") + ", line " +
                                        std::to_string(c.line) + ": " + c.reason);
        EXPECT_EQ(t.MaterialLastRow(), c.keptRows - 1);
    }
}

TEST_F(TablesTest, RandomBytesNeverCrashAndGiveAtMostOneMessage) {
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
            const std::vector<LoadMessage> messages = LoadAllTables(t, dir_, mode);
            EXPECT_LE(messages.size(), 5u);
            EXPECT_LE(t.BfTable.rows.size(), 61u);
            EXPECT_LE(t.Materials.size(), 23u);
        }
    }
}

TEST(DataFolder, ResolvesFromTheEnvironment) {
    struct Case {
        const char* env;
        const char* xdg;
        const char* home;
        std::string folder;
    };
    const Case cases[] = {
        {"/srv/kelvor", "/xdg", "/home/u", "/srv/kelvor"},
        {"relative/data", nullptr, nullptr, "relative/data"},
        {"", "/xdg", "/home/u", "/xdg/Kelvor/"},
        {nullptr, "/xdg", "/home/u", "/xdg/Kelvor/"},
        {nullptr, "", "/home/u", "/home/u/.local/share/Kelvor/"},
        {nullptr, nullptr, "/home/u", "/home/u/.local/share/Kelvor/"},
        {nullptr, nullptr, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(ResolveDataFolder(c.env, c.xdg, c.home).string(), c.folder);
    }
}

TEST_F(TablesTest, SeedingCopiesOnlyMissingFiles) {
    const fs::path folder = dir_ / "new" / "Kelvor";
    const std::string edited = kHeadings + "Mine;100;200;1\r\n";
    fs::create_directories(folder);
    std::ofstream(folder / "Kvmat.csv", std::ios::binary) << edited;

    EXPECT_TRUE(SeedDataFolder(folder, kShipped).empty());
    for (const std::string& name : DataFileNames()) {
        SCOPED_TRACE(name);
        const std::string expected = name == "Kvmat.csv" ? edited : ReadBytes(kShipped / name);
        EXPECT_EQ(ReadBytes(folder / name), expected);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 6);
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
    std::ofstream(bin / "data") << "x";
    EXPECT_EQ(ShippedFolder(bin, "data"), installed);

    fs::remove(bin / "data");
    fs::create_directories(bin / "data");
    EXPECT_EQ(ShippedFolder(bin, "data"), bin / "data");
}

}  // namespace
}  // namespace kelvor
