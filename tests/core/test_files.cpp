// The files: project files, every broken file, failed saves, recent files, table files and the
// data folder, batch files, and the one place of each limit. Cases are rows of tables under
// tests/data (each table's head says what its columns mean). Goldens: the project files of
// tests/data/projectfile/writes.tsv and tests/data/batch/NAME.kvo (NAME.kvi run with the shipped
// tables). After a deliberate change of the format, a check or the result columns, regenerate
// them with
//   KELVOR_UPDATE_GOLDEN=1 kelvor_core_tests --gtest_filter='ProjectFile.Writes*:Batch.Runs*'
// and review the diff before committing it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>

#include "../support/datatable.h"
#include "engine/calculate.h"
#include "engine/session.h"
#include "engine/batchrun.h"
#include "files/datafolder.h"
#include "files/projectfile.h"
#include "files/recentfiles.h"
#include "files/tableloaders.h"
#include "recordsnapshot.h"
#include "testsupport.h"

namespace kelvor {
namespace {

namespace fs = std::filesystem;
using testdata::DataPath;
using testdata::Shortest;
using testsupport::RecordSnapshot;
using testsupport::ReadBytes;

// NewProject with the strengths of material row 2, the T girder and the stiffener's area in place.
Project DefaultProject() {
    Project p;
    NewProject(p);
    testdata::SetFields(p,
                        "Fyp=355;Fys=355;Fup=470;Fus=470;StiffArea=2772;GirderH=800;"
                        "GirderB=200;GirderTw=10;GirderTf=20");
    return p;
}

// "small": tests/data/tables/small, whose rows the cases name; "shipped": the shipped folder;
// anything else: no tables loaded.
Tables TablesOf(const std::string& name) {
    Tables t;
    if (name == "small" || name == "shipped") {
        const std::string folder =
            name == "small" ? DataPath("tables/small") : KELVOR_SOURCE_DATA_DIR;
        EXPECT_TRUE(LoadAllTables(t, folder, 0).empty()) << folder;
    }
    return t;
}

std::vector<std::string> Split(const std::string& text, const std::string& at) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(at, start)) != std::string::npos;
         start = end + at.size()) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string Join(const std::vector<std::string>& parts, const std::string& with) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        out += (i ? with : "") + parts[i];
    }
    return out;
}

// A row as its values joined by "|"; a material as name|Fy|Fu|Q.
std::string RowText(const ProfileRow& row, int columns) {
    std::string out;
    for (int i = 0; i < columns; ++i) {
        out += (i ? "|" : "") + Shortest(row[static_cast<std::size_t>(i)]);
    }
    return out;
}
std::string RowText(const MaterialRow& m) {
    return m.MatName + "|" + Shortest(m.MatFy) + "|" + Shortest(m.MatFu) + "|" + Shortest(m.MatQ);
}

// The profile tables by the stem of their file name.
const std::map<std::string, ProfileKind> kProfileKinds = {{"bfprof", ProfileKind::BulbFlat},
                                                          {"fprof", ProfileKind::FlatBar},
                                                          {"lprof", ProfileKind::L},
                                                          {"tprof", ProfileKind::T}};

// Loads one table file as `kind` says: table-STEM for that profile table, or table-Kvmat (copied
// into `folder` as Kvmat.csv and read in the comma setting when the kind ends in "-comma").
// `path` becomes the path read; `rows` gets the rows read, joined by ";".
std::vector<LoadMessage> LoadTableFile(const std::string& kind, std::string& path,
                                       const std::filesystem::path& folder, std::string& rows) {
    std::vector<LoadMessage> messages;
    std::vector<std::string> read;
    if (kind.starts_with("table-Kvmat")) {
        const std::filesystem::path copy = folder / kMaterialFile;
        std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing);
        path = copy.string();
        Tables t;
        messages = LoadMaterialTable(t, folder, kind.ends_with("-comma"));
        for (const MaterialRow& m : t.Materials) {
            read.push_back(RowText(m));
        }
    } else {
        const ProfileKind profile = kProfileKinds.at(kind.substr(6, kind.find('-', 6) - 6));
        ProfileTable table;
        messages = LoadProfileTable(table, profile, path);
        for (const ProfileRow& r : table.rows) {
            read.push_back(RowText(r, ProfileColumnCount(profile)));
        }
    }
    rows = Join(read, ";");
    return messages;
}

// With KELVOR_UPDATE_GOLDEN set the golden file is rewritten from `actual` (review the diff).
void ExpectGolden(const std::string& actual, const std::string& golden) {
    if (std::getenv("KELVOR_UPDATE_GOLDEN") != nullptr) {
        testsupport::WriteBytes(DataPath(golden), actual);
    }
    EXPECT_EQ(actual, ReadBytes(DataPath(golden))) << golden;
}

// ----- project files, broken files, recent files, tables

class ProjectFile : public testsupport::TempDirTest {
protected:
    // Reads the file into DefaultProject(): every input must be that of `want` with `expect` set.
    void ExpectRead(const std::string& path, const Tables& tables, Project want,
                    const std::string& expect) {
        Project read = DefaultProject();
        ASSERT_EQ(ReadProjectFile(read, tables, path).message, "");
        testdata::SetFields(want, expect);
        want.ProjectFile = path;
        EXPECT_EQ(RecordSnapshot(read), RecordSnapshot(want));
    }
};
using BadFiles = ProjectFile;

// golden | read first | set | fields that differ once read back | note
TEST_F(ProjectFile, WritesTheGoldenFilesThatReadBack) {
    for (const testdata::Row& row : testdata::ReadTable("projectfile/writes.tsv")) {
        SCOPED_TRACE(row.where);
        Project p = DefaultProject();
        if (!row[1].empty()) {
            ASSERT_TRUE(ReadProjectFile(p, Tables{}, DataPath("projectfile/" + row[1])).ok);
        }
        testdata::SetFields(p, row[2]);
        std::string path = Path("out.kelvo");
        ASSERT_EQ(WriteProjectFile(p, path).message, "");
        ExpectGolden(ReadBytes(path), "projectfile/" + row[0]);
        ExpectRead(path, Tables{}, p, row[3]);
    }
}

// case | file (empty: the project written and read back) | set | tables | expect | note
TEST_F(ProjectFile, ReadsLenientlyResolvesRowsAndFillsBuiltUpInputs) {
    for (const testdata::Row& row : testdata::ReadTable("projectfile/reads.tsv")) {
        SCOPED_TRACE(row.where + " " + row[0]);
        Project source = DefaultProject();
        testdata::SetFields(source, row[2]);
        std::string path = Path("roundtrip.kelvo");
        if (row[1].empty()) {
            ASSERT_TRUE(WriteProjectFile(source, path).ok);
        } else {
            path = DataPath("projectfile/" + row[1]);
        }
        ExpectRead(path, TablesOf(row[3]), source, row[4]);
    }
}

// A file name with the extension ".vlm" or ".hgt" is saved as ".vlrm"; the caller gets the path
// it went to.
TEST_F(ProjectFile, SavesLegacyExtensionsAsVlrm) {
    for (const testdata::Row& row : testdata::ReadTable("projectfile/save-as.tsv")) {
        SCOPED_TRACE(row.where);
        Project p = DefaultProject();
        std::string path = Path(row[0]);
        fs::create_directories(fs::path(path).parent_path());
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
    const Tables shipped = TablesOf("shipped"), small = TablesOf("small");
    Project before = DefaultProject();  // every line differs from the broken files'
    ASSERT_TRUE(ReadProjectFile(before, Tables{}, DataPath("projectfile/distinct202.kelvo")).ok);
    for (const testdata::Row& row : testdata::ReadTable("bad/messages.tsv")) {
        SCOPED_TRACE(row.where + " " + row[1]);
        const std::string& kind = row[0];
        std::string path = DataPath("bad/" + kind + "/" + row[1]), message, kept;
        if (kind.starts_with("project")) {
            Project p = before;
            message = ReadProjectFile(p, kind == "project" ? Tables{} : small, path).message;
            EXPECT_EQ(RecordSnapshot(p), RecordSnapshot(before));
        } else if (kind.starts_with("batch")) {
            const BatchReadResult read = ReadBatchFile(path, shipped, kind == "batch-comma");
            EXPECT_FALSE(read.ok);
            EXPECT_TRUE(read.table.entries.empty());
            message = read.message;
        } else {
            const std::vector<LoadMessage> messages = LoadTableFile(kind, path, dir_, kept);
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
        for (const std::string name : {"no-such-folder/x.kelvo", "folder", "folder/"}) {
            SCOPED_TRACE(name);
            Project p = DefaultProject();
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
    Project p = DefaultProject();
    std::string path = Path("a.kelvo");
    ASSERT_TRUE(WriteProjectFile(p, path).ok);
    EXPECT_EQ(ReadBytes(path), ReadBytes(DataPath("projectfile/default202.kelvo")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);
}

// A save keeps the file's mode, writes through a symbolic link to the file it names (the link
// stays a link), and a leftover temporary of a killed save stands in the way of no later save.
TEST_F(BadFiles, SavesKeepModeFollowLinksAndStepOverLeftovers) {
    Write("target.kelvo", "old");
    fs::permissions(Path("target.kelvo"), fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("target.kelvo", Path("link.kelvo"));
    for (int i = 0; i < 120; ++i) {
        Write("target.kelvo.~" + std::to_string(i) + ".tmp", "left by a killed save");
    }
    Project p = DefaultProject();
    std::string path = Path("link.kelvo");
    ASSERT_TRUE(WriteProjectFile(p, path).ok);
    EXPECT_TRUE(fs::is_symlink(Path("link.kelvo")));
    EXPECT_EQ(ReadBytes(Path("target.kelvo")), ReadBytes(DataPath("projectfile/default202.kelvo")));
    EXPECT_EQ(fs::status(Path("target.kelvo")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 122) << "no temporary of its own left";
}

// Only regular files are read: a FIFO would block the program.
TEST_F(BadFiles, ReadersRefuseWhatIsNotARegularFile) {
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    Project p = DefaultProject();
    EXPECT_EQ(ReadProjectFile(p, Tables{}, Path("fifo")).message, "can't read file - " + Path("fifo"));
    EXPECT_EQ(ReadBatchFile(Path("fifo"), Tables{}, 0).message, "can't read file - " + Path("fifo"));
}

// A material row lost with a broken line of the material table is the table's fault: opening a
// project that uses it names the table and its line, not the project.
TEST_F(BadFiles, AMaterialRowLostWithATableLineNamesTheTable) {
    Tables tables = TablesOf("shipped");
    const auto messages = LoadMaterialTableText(
        tables, "h1\r\nh2\r\nName;Fy;Fu;Q\r\nS235;235;360;1\r\nS275;275;abc;0.9\r\n", "Kvmat.csv", 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(tables.MaterialFault, "Error in table file Kvmat.csv, line 5: not a positive number: 'abc'");
    Project p = DefaultProject();
    EXPECT_EQ(ReadProjectFile(p, tables, DataPath("projectfile/default202.kelvo")).message,
              tables.MaterialFault);
}

// The window's limits kept by the project reader, each at its boundary: projectfile/limits.tsv.
TEST_F(BadFiles, ValuesTheWindowRefusesAreRefusedAtTheirLine) {
    const std::vector<std::string> lines =
        Split(ReadBytes(DataPath("projectfile/default202.kelvo")), "\r\n");
    for (const testdata::Row& row : testdata::ReadTable("projectfile/limits.tsv")) {
        SCOPED_TRACE(row.where);
        for (const bool beyond : {false, true}) {
            std::vector<std::string> changed = lines;
            for (const std::string& set : Split(row[4], ";")) {
                if (!set.empty()) {
                    changed[std::stoul(set) - 1] = set.substr(set.find('=') + 1);
                }
            }
            changed[row.Int(0) - 1] = row[beyond ? 2 : 1];
            Project p = DefaultProject();
            const std::string message =
                ReadProjectText(p, Tables{}, Join(changed, "\r\n"), "p.kelvo").message;
            EXPECT_EQ(message, beyond && row[3] != "-" ? "can't read file - p.kelvo, line " +
                                                             row[0] + ": " + row[3]
                                                       : "");
        }
    }
}

// The recent-file rules, as operations on an in-memory store: tests/data/recentfiles.tsv.
TEST(RecentFiles, OperationsGiveTheListOfTheTable) {
    for (const testdata::Row& row : testdata::ReadTable("recentfiles.tsv")) {
        SCOPED_TRACE(row.where);
        const std::string &op = row[0], &arg = row[2];
        MemoryRecentStore store;
        const std::vector<std::string> before = Split(row[1], "|");
        for (std::size_t i = 0; i < before.size() && !row[1].empty(); ++i) {
            if (before[i] != "-") {
                store.Set(RecentKey(static_cast<int>(i) + 1), before[i] == "''" ? "" : before[i]);
            }
        }
        std::string after;
        if (op == "entries" || op == "caption") {
            after = op == "caption" ? RecentCaptionPath(arg) : Join(RecentEntries(store), "|");
        } else {
            const std::vector<std::string> entries = RecentEntries(store);
            if (op == "open") {
                RememberOpenedFile(store, arg, row[3].empty() ? entries : Split(row[3], "|"));
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
            after = Join(keys, "|");
        }
        EXPECT_EQ(after, row[4]);
    }
}

const fs::path kShipped = KELVOR_SOURCE_DATA_DIR;

using TablesTest = ProjectFile;

TEST_F(TablesTest, ShippedTablesLoadCompleteInBothDecimalModes) {
    for (int mode : {0, 1}) {
        Tables t;
        EXPECT_TRUE(LoadAllTables(t, kShipped, mode).empty());
        for (const testdata::Row& row : testdata::ReadTable("tables/shipped.tsv")) {
            SCOPED_TRACE(row.where + " mode " + std::to_string(mode));
            std::string path = (kShipped / row[0]).string(), rows;
            const std::string kind = "table-" + row[0].substr(0, row[0].find('.'));
            EXPECT_TRUE(LoadTableFile(kind + (mode ? "-comma" : ""), path, dir_, rows).empty());
            const std::vector<std::string> all = Split(rows, ";");
            const auto r = static_cast<std::size_t>(row.Int(1));
            EXPECT_EQ(all.at(r), row[3]);
            EXPECT_EQ(r + 1 == all.size(), row[2] == "last");
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
        EXPECT_TRUE(LoadTableFile(row[0], path, dir_, rows).empty()) << row.where;
        EXPECT_EQ(rows, row[2]) << row.where;
    }
    for (const testdata::Row& row : testdata::ReadTable("tables/entries.tsv")) {
        ProfileRow r{};
        const std::vector<std::string> numbers = Split(row[1], "|");
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            r[i] = std::stof(numbers[i]);
        }
        EXPECT_EQ(ProfileListEntries(ProfileTable{{r, r}}, kProfileKinds.at(row[0]), row[2][0]),
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

    const std::vector<LoadMessage> missing = SeedDataFolder(dir_ / "other", dir_ / "nowhere");
    ASSERT_EQ(missing.size(), 6u);
    EXPECT_EQ(missing[0].text, "can't find file - " + (dir_ / "nowhere" / "bfprof.dat").string());
    EXPECT_EQ(missing[5].text, "can't find file - " + (dir_ / "nowhere" / "dummy.kvi").string());
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

// ----- batch files

// The panel line the edits of records.tsv change: the second line of panels.kvi.
std::string PanelLine(const std::string& edits = "") {
    std::vector<std::string> fields =
        Split(Split(ReadBytes(DataPath("batch/panels.kvi")), "\r\n")[1], "\t");
    for (const std::string& edit : Split(edits, ";")) {
        if (!edit.empty()) {
            fields.at(std::stoul(edit)) = edit.substr(edit.find('=') + 1);
        }
    }
    return Join(fields, "\t");
}

// A name of records.tsv's expect column for entry k after its run in p.
std::string EntryText(const BatchTable& table, int k, const Project& p, const std::string& name) {
    const bool in = k >= 0 && k < static_cast<int>(table.entries.size());
    const BatchEntry e = in ? table.entries[static_cast<std::size_t>(k)] : BatchEntry{};
    if (name[0] == 'c' && std::isdigit(name[1])) {
        return Split(BatchResultLine(p, e, '.'), "\t").at(std::stoul(name.substr(1)) - 1);
    }
    const std::map<std::string, std::string> names = {
        {"entries", std::to_string(table.entries.size())},
        {"failure", p.CalcFailure ? p.CalcFailure->Text() : ""},
        {"text", e.text},
        {"comment", e.comment ? "true" : "false"},
        {"line", std::to_string(e.line)},
        {"row", std::to_string(e.StiffRow)},
        {"dims", Shortest(e.StiffH) + "x" + Shortest(e.StiffB) + "x" + Shortest(e.StiffTw) + "x" +
                     Shortest(e.StiffTf)}};
    return names.contains(name) ? names.at(name) : testdata::FieldText(p, name);
}

using Batch = ProjectFile;

TEST_F(Batch, ReadsEveryFieldAndRunsEachPanel) {
    const Tables shipped = TablesOf("shipped"), small = TablesOf("small");
    for (const testdata::Row& row : testdata::ReadTable("batch/records.tsv")) {
        SCOPED_TRACE(row.where);
        std::string path = DataPath("batch/" + row[0]);
        if (!row[1].empty()) {
            path = Path("in.kvi");
            Write("in.kvi", PanelLine(row[1]) + "\r\nEnd\r\n");
        }
        const Tables& tables = row[3] == "small" ? small : shipped;
        const BatchReadResult read = ReadBatchFile(path, tables, row.Int(2));
        ASSERT_TRUE(read.ok) << read.message;
        Project p;
        RunBatchRecord(p, tables, read.table, row.Int(4));
        for (const std::string& item : Split(row[5], ";")) {
            const std::string name = item.substr(0, item.find('='));
            EXPECT_EQ(EntryText(read.table, row.Int(4), p, name), item.substr(name.size() + 1));
        }
    }
}

TEST(BatchColumns, HeadingsFormatsAndErrorsOfTheResultColumns) {
    std::string headings;
    for (const testdata::Row& row : testdata::ReadTable("batch/columns.tsv")) {
        headings += (headings.empty() ? "" : "\t") + row[1];
    }
    EXPECT_EQ(BatchHeaderLine(), headings);
    for (const testdata::Row& row : testdata::ReadTable("batch/column-formats.tsv")) {
        SCOPED_TRACE(row.where);
        Project p;
        testdata::SetFields(p, row[2]);
        BatchEntry e;
        e.StiffFamily = row[3].empty() ? 0 : row.Int(3);
        e.GirderFamily = row[4].empty() ? 3 : row.Int(4);
        const std::vector<std::string> columns = Split(BatchResultLine(p, e, row[1][0]), "\t");
        ASSERT_EQ(columns.size(), 44u);
        EXPECT_EQ(columns.at(row.Int(0) - 1), row[5]);
        EXPECT_EQ(columns[29] + columns[37], "BucklingScant/Yield");
    }
    const std::vector<testdata::Row> steps = testdata::ReadTable("batch/error-columns.tsv");
    // Every step of the run is in the table, in order, so a renamed step fails here.
    ASSERT_EQ(steps.size(), CalculationSteps().size() + 1);
    BatchEntry e;
    e.StiffFamily = 0;
    e.GirderFamily = 3;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE(steps[i].where);
        EXPECT_EQ(i < CalculationSteps().size() ? CalculationSteps()[i].routine : "panel input",
                  steps[i][0]);
        Project p;
        p.CalcFailure = StepFailure{steps[i][0], "cause"};
        const std::vector<std::string> columns = Split(BatchResultLine(p, e, '.'), "\t");
        std::string computed;
        for (int c : {12, 31, 32, 33, 34, 35, 36, 37, 39, 40, 41, 42, 43, 44}) {
            if (columns[static_cast<std::size_t>(c - 1)] != "ERROR") {
                computed += (computed.empty() ? "" : " ") + std::to_string(c);
            }
        }
        EXPECT_EQ(computed, steps[i][1]);
        EXPECT_EQ(columns[14], "0");  // the input columns stay
    }
    for (const testdata::Row& row : testdata::ReadTable("batch/output-path.tsv")) {
        EXPECT_EQ(BatchOutputPath(row[0]), row[1]) << row.where;
    }
}

// input | line | failure: the panels of the input that fail, in order (an empty line: none).
TEST_F(Batch, RunsWriteTheGoldenResultsAndEachLineIsItsPanelRunAlone) {
    const Tables tables = TablesOf("shipped");
    for (const auto& group : testdata::GroupByFirstCell(testdata::ReadTable("batch/runs.tsv"))) {
        const std::string input = group[0][0];
        SCOPED_TRACE(input);
        const BatchReadResult read = ReadBatchFile(DataPath("batch/" + input), tables, 0);
        ASSERT_TRUE(read.ok) << read.message;
        Project p;
        std::vector<BatchFailure> failures;
        ASSERT_TRUE(WriteBatchResults(p, tables, read.table, Path("out.kvo"), '.', &failures).ok);
        const std::string result = ReadBytes(Path("out.kvo"));
        ExpectGolden(result, "batch/" + BatchOutputPath(input));
        std::string got, want;
        for (const BatchFailure& f : failures) {
            got += std::to_string(f.line) + " " + f.text + "\n";
        }
        for (const testdata::Row& row : group) {
            want += row[1].empty() ? "" : row[1] + " " + row[2] + "\n";
        }
        EXPECT_EQ(got, want);
        // Nothing carries over from the panel before (a failed one in particular); the last
        // panel stays loaded.
        const std::vector<std::string> lines = Split(result, "\r\n");
        ASSERT_EQ(lines.size(), read.table.entries.size() + 2);
        std::string last;
        for (std::size_t k = 0; k < read.table.entries.size(); ++k) {
            const BatchEntry& e = read.table.entries[k];
            Project alone;
            RunBatchRecord(alone, tables, read.table, static_cast<int>(k));
            EXPECT_EQ(lines[k + 1], e.comment ? e.text : BatchResultLine(alone, e, '.')) << k;
            last = e.comment ? last : e.Identification;
        }
        EXPECT_EQ(p.Identification, last);
    }
}

TEST_F(Batch, StartupRunWritesDummyKvoOrSaysItFailed) {
    const Tables tables = TablesOf("shipped");
    Project p;
    Write("dummy.kvi",
          "% heading\r\n" + PanelLine("1=first") + "\r\n" + PanelLine("1=last") + "\r\nEnd\r\n");
    EXPECT_TRUE(RunStartupBatch(p, tables, dir_.string(), '.', 0));
    EXPECT_TRUE(ReadBytes(dir_ / "dummy.kvo").starts_with(BatchHeaderLine() + "\r\n% heading"));
    EXPECT_EQ(p.Identification, "last");
    Write("dummy.kvi", "% no end\r\n");
    EXPECT_FALSE(RunStartupBatch(p, tables, dir_.string(), '.', 0));
    fs::remove(dir_ / "dummy.kvi");
    EXPECT_FALSE(RunStartupBatch(p, tables, dir_.string(), '.', 0));
    Write("dummy.kvi", "End\r\n");
    fs::remove(dir_ / "dummy.kvo");
    fs::create_directories(dir_ / "dummy.kvo");
    EXPECT_FALSE(RunStartupBatch(p, tables, dir_.string(), '.', 0));
}

TEST_F(Batch, CommandLineExitStatusAndMessages) {
    fs::copy_file(DataPath("batch/panels.kvi"), Path("panels.kvi"));
    fs::copy_file(DataPath("batch/good/one-fails.kvi"), Path("bad.kvi"));
    auto placed = [&](std::string text) {
        for (std::size_t at; (at = text.find("{dir}")) != std::string::npos;) {
            text.replace(at, 5, dir_.string());
        }
        return text;
    };
    for (const testdata::Row& row : testdata::ReadTable("batch/cli-batch.tsv")) {
        SCOPED_TRACE(row.where);
        const testsupport::CliRun run = Cli("batch " + placed(row[0]));
        EXPECT_EQ(run.status, row.Int(1));
        EXPECT_EQ(run.err, placed(row[2]));
    }
    const std::string golden = ReadBytes(DataPath("batch/panels.kvo"));
    EXPECT_EQ(ReadBytes(Path("panels.kvo")), golden);
    EXPECT_EQ(ReadBytes(Path("other.kvo")), golden);
    EXPECT_EQ(ReadBytes(Path("panels.kvi")), ReadBytes(DataPath("batch/panels.kvi")));
}

// ----- limits

// The one place of each limit: 61 rows of a profile table, 23 materials, 10,000 batch entries and
// lines of 1 MiB, tried at the limit (everything works, down to the last row, through the
// calculation and the project file) and one past it (a message that names the file and line).

const std::string kLastRows = "LTableRow=60;TTableRow=60;FbTableRow=60;BfTableRow=60";

// The tables full (tests/data/tables/full) in `dir`: 61 rows of growing height in each profile
// table (the shipped bulb flats; a blank line after the last), 23 materials, the last without a
// line end. `over` names a file given its first row twice.
std::vector<LoadMessage> LoadFullTables(const fs::path& dir, Tables& tables,
                                        const std::string& over = "") {
    for (const std::string& name : DataFileNames()) {
        std::vector<std::string> lines = Split(ReadBytes(DataPath("tables/full/" + name)), "\r\n");
        const std::size_t first = name == "Kvmat.csv" ? 3 : 0;
        if (name == over) {
            lines.insert(lines.begin() + first, lines[first]);
        }
        testsupport::WriteBytes(dir / name, Join(lines, "\r\n"));
    }
    return LoadAllTables(tables, dir, 0);
}

using Limits = ProjectFile;

TEST_F(Limits, TablesServeTheirLastRowsAndRefuseTheNext) {
    for (const std::string over :
         {"lprof.dat", "tprof.dat", "fprof.dat", "bfprof.dat", "Kvmat.csv"}) {
        SCOPED_TRACE(over);
        Tables tables;
        const std::vector<LoadMessage> messages = LoadFullTables(dir_, tables, over);
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
    ASSERT_TRUE(LoadFullTables(dir_, full).empty());
    for (const std::string family : {"0", "2", "4", "6"}) {
        SCOPED_TRACE("family " + family);
        Project p = DefaultProject();
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
                Write("limit.kelvo", Join(changed, "\r\n"));
                Project p = DefaultProject();
                EXPECT_EQ(OpenProject(p, *tables, Path("limit.kelvo")),
                          past ? "can't read file - " + Path("limit.kelvo") + ", line " +
                                     std::to_string(line)
                               : "");
            }
        }
    }
}

// No limit on a batch file's length: 10,001 panels (the old limit and one more) are read whole,
// and run and written panel by panel by the streaming run of the command line.
TEST_F(Limits, BatchFilesOfAnyLengthAreReadRunAndWritten) {
    const Tables tables = TablesOf("shipped");
    const std::string panel = Split(ReadBytes(testdata::DataPath("batch/panels.kvi")), "\r\n")[1];
    std::string file;
    for (int i = 0; i <= 10000; ++i) {
        file += "Limit\tP" + std::to_string(i) + panel.substr(panel.find("\t", 11)) + "\r\n";
    }
    Write("full.kvi", file + "End\r\n");
    const BatchReadResult read = ReadBatchFile(Path("full.kvi"), tables, 0);
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(read.table.entries.size(), 10001u);
    EXPECT_EQ(read.table.entries.back().line, 10001);
    Project p;
    const BatchRunSummary run = RunBatchFile(p, tables, Path("full.kvi"), Path("full.kvo"), '.');
    ASSERT_TRUE(run.ok) << run.message;
    EXPECT_EQ(run.panels, 10001);
    EXPECT_EQ(run.failed, 0);
    const std::vector<std::string> lines = Split(ReadBytes(Path("full.kvo")), "\r\n");
    ASSERT_EQ(lines.size(), 10003u);
    // Panels alike but for their names: alike result lines.
    EXPECT_EQ(lines[10001], "Limit\tP10000" + lines[1].substr(std::string("Limit\tP0").size()));
    EXPECT_EQ(p.Identification, "P10000");
    // The streaming run writes what the whole-table writer writes.
    ASSERT_TRUE(WriteBatchResults(p, tables, read.table, Path("table.kvo"), '.').ok);
    EXPECT_EQ(ReadBytes(Path("table.kvo")), ReadBytes(Path("full.kvo")));
    // A broken line after many chunks were calculated still refuses the whole file: the
    // earlier result file stays as it was and no temporary file is left.
    Write("full.kvi", file + "Broken\r\nEnd\r\n");
    const std::string before = ReadBytes(Path("full.kvo"));
    const BatchRunSummary broken =
        RunBatchFile(p, tables, Path("full.kvi"), Path("full.kvo"), '.');
    EXPECT_FALSE(broken.ok);
    EXPECT_EQ(broken.message, "Error in batch file " + Path("full.kvi") +
                                  ", line 10002: only 1 of 32 fields");
    EXPECT_EQ(ReadBytes(Path("full.kvo")), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(Path("")), fs::directory_iterator()), 3);
}

// The readers refuse a line of more than 1048576 characters: the longest texts below it are
// carried whole, through a save and an open, and through a batch run into its result line.
TEST_F(Limits, LongestTextsAreKeptWholeAndLongerOnesRefused) {
    const Tables tables = TablesOf("shipped");
    const std::size_t kLongest = (1 << 20) - 16;
    const std::string name(kLongest, 'N'), identification(kLongest, 'I');
    Project p = DefaultProject();
    ApplyProfilesAndMaterials(p, tables);
    p.ProjectName = name;
    p.Identification = identification;
    std::string path = Path("long.kelvo");
    ASSERT_TRUE(WriteProjectFile(p, path).ok);
    Project opened = DefaultProject();
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
