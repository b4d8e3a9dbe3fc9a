// The files: project files (goldens named in tests/data/projectfile/writes.tsv, each written from
// a project; after a deliberate format change, regenerate them with
//   KELVOR_UPDATE_GOLDEN=1 kelvor_core_tests --gtest_filter='ProjectFile.Writes*'
// and review the diff before committing it), every broken file of tests/data/bad, failed saves,
// the recent-file rules, the table files (tests/data/tables) and the data folder. Batch files:
// test_batchfile.cpp; 61 rows, 23 materials, 10,000 entries, 1 MiB lines: test_limits.cpp.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

#include "filecases.h"
#include "files/batchfile.h"
#include "files/datafolder.h"
#include "files/projectfile.h"
#include "files/recentfiles.h"

namespace kelvor {
namespace {

namespace fs = std::filesystem;
using testdata::DataPath;
using testsupport::InputSnapshot;
using testsupport::ReadBytes;

class ProjectFile : public testsupport::TempDirTest {
protected:
    // Reads the file into DefaultProject(): every input must be that of `want` with `expect` set.
    void ExpectRead(const std::string& path, const Tables& tables, Project want,
                    const std::string& expect) {
        Project read = filecases::DefaultProject();
        ASSERT_EQ(ReadProjectFile(read, tables, path).message, "");
        testdata::SetFields(want, expect);
        want.ProjectFile = path;
        EXPECT_EQ(InputSnapshot(read, true), InputSnapshot(want, true));
    }
};
using BadFiles = ProjectFile;

// golden | read first | set | fields that differ once read back | note
TEST_F(ProjectFile, WritesTheGoldenFilesThatReadBack) {
    for (const testdata::Row& row : testdata::ReadTable("projectfile/writes.tsv")) {
        SCOPED_TRACE(row.where);
        Project p = filecases::DefaultProject();
        if (!row[1].empty()) {
            ASSERT_TRUE(ReadProjectFile(p, Tables{}, DataPath("projectfile/" + row[1])).ok);
        }
        testdata::SetFields(p, row[2]);
        std::string path = Path("out.kelvo");
        ASSERT_EQ(WriteProjectFile(p, path).message, "");
        EXPECT_EQ(p.ProjectFile, path);
        filecases::ExpectGolden(ReadBytes(path), "projectfile/" + row[0]);
        ExpectRead(path, Tables{}, p, row[3]);
    }
}

// case | file (empty: the project written and read back) | set | tables | expect | note
TEST_F(ProjectFile, ReadsLenientlyResolvesRowsAndFillsBuiltUpInputs) {
    for (const testdata::Row& row : testdata::ReadTable("projectfile/reads.tsv")) {
        SCOPED_TRACE(row.where + " " + row[0]);
        Project source = filecases::DefaultProject();
        testdata::SetFields(source, row[2]);
        std::string path = Path("roundtrip.kelvo");
        if (row[1].empty()) {
            ASSERT_TRUE(WriteProjectFile(source, path).ok);
        } else {
            path = DataPath("projectfile/" + row[1]);
        }
        ExpectRead(path, filecases::TablesOf(row[3]), source, row[4]);
    }
}

// A path holding ".vlm" (else ".hgt") is saved as ".vlrm"; the caller gets the path it went to.
TEST_F(ProjectFile, SavesLegacyExtensionsAsVlrm) {
    for (const testdata::Row& row : testdata::ReadTable("projectfile/save-as.tsv")) {
        SCOPED_TRACE(row.where);
        Project p = filecases::DefaultProject();
        std::string path = Path(row[0]);
        ASSERT_TRUE(WriteProjectFile(p, path).ok);
        EXPECT_EQ(path, Path(row[1]));
        EXPECT_EQ(p.ProjectFile, Path(row[1]));
        EXPECT_EQ(ReadBytes(Path(row[1])), ReadBytes(DataPath("projectfile/default202.kelvo")));
        EXPECT_EQ(fs::exists(Path(row[0])), row[0] == row[1]);
    }
}

// Every file broken on purpose (tests/data/bad/KIND/FILE) gives exactly the message of its row in
// tests/data/bad/messages.tsv and changes nothing: the project stays as it was, a batch file
// gives no entries, a table keeps the rows before the fault.
TEST_F(BadFiles, GiveTheirMessageAndChangeNothing) {
    const Tables shipped = filecases::TablesOf("shipped"), small = filecases::TablesOf("small");
    Project before = filecases::DefaultProject();  // every line differs from the broken files'
    ASSERT_TRUE(ReadProjectFile(before, Tables{}, DataPath("projectfile/distinct202.kelvo")).ok);
    for (const testdata::Row& row : testdata::ReadTable("bad/messages.tsv")) {
        SCOPED_TRACE(row.where + " " + row[1]);
        const std::string& kind = row[0];
        std::string path = DataPath("bad/" + kind + "/" + row[1]), message, kept;
        if (kind.starts_with("project")) {
            Project p = before;
            message = ReadProjectFile(p, kind == "project" ? Tables{} : small, path).message;
            EXPECT_EQ(InputSnapshot(p, true), InputSnapshot(before, true));
        } else if (kind.starts_with("batch")) {
            const BatchReadResult read = ReadBatchFile(path, shipped, kind == "batch-comma");
            EXPECT_FALSE(read.ok);
            EXPECT_TRUE(read.table.entries.empty());
            message = read.message;
        } else {
            const std::vector<LoadMessage> messages =
                filecases::LoadTableFile(kind, path, dir_, kept);
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].file, path);
            message = messages[0].text;
            const int line = messages[0].line;  // 0 for the whole file
            EXPECT_NE(message.find(line ? ", line " + std::to_string(line) + ": " : "file - "),
                      std::string::npos);
        }
        EXPECT_EQ(kept, row[2]);
        std::string want = row[3];
        EXPECT_EQ(message, want.replace(want.find("{path}"), 6, path));
    }
}

// A failed save leaves the target, the project and the folder as they were.
TEST_F(BadFiles, FailedSavesNameTheTargetAndLeaveNothingBehind) {
    fs::create_directories(dir_ / "folder");
    Write("folder/inside.txt", "keep");
    for (bool batch : {false, true}) {
        for (const std::string& name : {"no-such-folder/x.kelvo", "folder", "folder/"}) {
            SCOPED_TRACE(name);
            Project p = filecases::DefaultProject();
            p.ProjectFile = "previous.kelvo";
            std::string path = Path(name);
            const FileResult result =
                batch ? WriteBatchResults(p, Tables{}, {}, path, '.') : WriteProjectFile(p, path);
            EXPECT_EQ(result.message, "can't save file - " + Path(name));
            EXPECT_EQ(p.ProjectFile, "previous.kelvo");
            EXPECT_EQ(ReadBytes(dir_ / "folder" / "inside.txt"), "keep");
            EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1) << "no temporary left";
        }
    }
    // A save that works replaces the old file and leaves nothing else beside it.
    Write("a.kelvo", "old content");
    Project p = filecases::DefaultProject();
    std::string path = Path("a.kelvo");
    ASSERT_TRUE(WriteProjectFile(p, path).ok);
    EXPECT_EQ(ReadBytes(path), ReadBytes(DataPath("projectfile/default202.kelvo")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);
}

// The recent-file rules, as operations on an in-memory store: tests/data/recentfiles.tsv.
TEST(RecentFiles, OperationsGiveTheListOfTheTable) {
    for (const testdata::Row& row : testdata::ReadTable("recentfiles.tsv")) {
        SCOPED_TRACE(row.where);
        const std::string &op = row[0], &arg = row[2];
        MemoryRecentStore store;
        const std::vector<std::string> before = filecases::Split(row[1], "|");
        for (std::size_t i = 0; i < before.size() && !row[1].empty(); ++i) {
            if (before[i] != "-") {
                store.Set(RecentKey(static_cast<int>(i) + 1), before[i] == "''" ? "" : before[i]);
            }
        }
        std::string after;
        if (op == "entries" || op == "caption") {
            after = op == "caption" ? RecentCaptionPath(arg)
                                    : filecases::Join(RecentEntries(store), "|");
        } else {
            const std::vector<std::string> entries = RecentEntries(store);
            if (op == "open") {
                RememberOpenedFile(store, arg,
                                   row[3].empty() ? entries : filecases::Split(row[3], "|"));
            } else if (op == "save") {
                RememberSavedFile(store, arg);
            } else {
                const int k = std::atoi(arg.c_str());
                PromoteRecentFile(store, k >= 1 && k <= 4 ? RecentCaptionPath(entries[k - 1]) : "z",
                                  k);
            }
            std::vector<std::string> keys;
            for (int i = 1; i <= kRecentFileCount; ++i) {
                keys.push_back(store.keys.count(RecentKey(i)) ? store.keys[RecentKey(i)] : "-");
            }
            after = filecases::Join(keys, "|");
        }
        EXPECT_EQ(after, row[4]);
    }
}

using filecases::RowText;

const fs::path kShipped = KELVOR_SOURCE_DATA_DIR;

using TablesTest = ProjectFile;

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
