// Golden file: tests/data/projectfile/default202.kelvo is DefaultProject() below written by
// WriteProjectFile. After a deliberate format change, regenerate it by running this test binary
// with KELVOR_UPDATE_GOLDEN=1 set, and review the diff before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/project.h"
#include "core/tables.h"
#include "files/projectfile.h"
#include "testsupport.h"

namespace kelvor {
namespace {

namespace fs = std::filesystem;

const std::string kDataDir = std::string(KELVOR_TEST_DATA_DIR) + "/projectfile/";

using testsupport::ReadBytes;
using testsupport::WriteBytes;

std::vector<std::string> SplitCrLf(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(content.substr(start, end - start));
    }
    EXPECT_EQ(start, content.size()) << "text after the last CR LF";
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines, std::size_t count = SIZE_MAX) {
    std::string out;
    for (std::size_t i = 0; i < lines.size() && i < count; ++i) {
        out += lines[i] + "\r\n";
    }
    return out;
}

std::string WithLine(std::vector<std::string> lines, int line, const std::string& text) {
    lines[static_cast<std::size_t>(line - 1)] = text;
    return JoinCrLf(lines);
}

// Every input a read could touch, in a form where any difference (even -0 against 0) shows.
std::string Snapshot(const Project& p) {
    return testsupport::InputSnapshot(p, true);
}

// A new project as the window holds it after the first run: strengths of material row 2, the
// T girder's dimensions and the stiffener's area in place.
Project DefaultProject() {
    Project p;
    NewProject(p);
    p.Fyp = p.Fys = 355, p.Fup = p.Fus = 470, p.StiffArea = 2772;
    p.GirderH = 800, p.GirderB = 200, p.GirderTw = 10, p.GirderTf = 20;
    return p;
}

// Every line of the file holds a value no other line holds, so a swapped line shows. Only file
// fields differ from DefaultProject(), plus the built-up inputs a read fills for codes 7 and 1.
Project DistinctProject() {
    Project p = DefaultProject();
    p.ProjectName = "Panel B", p.Identification = "Frame 12";
    p.PlateMaterialIndex = 1, p.StiffMaterialIndex = 3, p.StiffProfileType = 7;
    p.BfTableRow = 17, p.LTableRow = 5, p.TTableRow = 6, p.FbTableRow = 8;
    p.GirderProfileType = 1, p.LoadingCondition = 2, p.CFactorTab = 0, p.CFactorOption = 1;
    p.UnitLength = 65.5f, p.FS = 1.25f, p.UFallow = 0.75f;
    p.Fyp = 355, p.Fup = 470, p.Fys = 315, p.Fus = 440, p.E = 210000;
    p.s1 = 610, p.s2 = 640, p.L1 = 3100, p.L2 = 2900, p.Lg = 8100, p.Lgs = 6100, p.Lt = 2950;
    p.t = 12.5f, p.SigxA = -101, p.SigxB = -99.5f, p.SigyA = -31, p.SigyC = -29, p.Tau = 41;
    p.p = 0.031f, p.ps = 1e-5f, p.StiffArea = 2802.12345678901;
    p.StiffH = p.RhsBuiltH = 210, p.StiffB = p.RhsBuiltB = 91, p.StiffTw = p.RhsBuiltTw = 9.5f;
    p.StiffTf = 13, p.StiffR = 10.5f, p.StiffC = 1.5f;
    p.GirderH = p.GirderLBuiltH = 810, p.GirderB = p.GirderLBuiltB = 210;
    p.GirderTw = p.GirderLBuiltTw = 11, p.GirderTf = p.GirderLBuiltTf = 21;
    return p;
}

// clang-format off
const std::vector<std::string> kDistinctLines = {
    "202", "\"Panel B\"", "\"Frame 12\"", "1", "3", "7", "17", "5", "6", "8", "1", "2", "0",
    "1", "65.5", "1.25", ".75", "355", "470", "315", "440", "210000", "610", "640", "3100",
    "2900", "8100", "6100", "2950", "12.5", "-101", "-99.5", "-31", "-29", "41", ".031",
    "1E-05", "2802.12345678901", "210", "91", "9.5", "13", "10.5", "1.5", "810", "210", "11",
    "21"};
// clang-format on

// Small tables with known matches: L rows 1 and 3 share H, B, tw; T rows differ in tf only.
Tables TestTables() {
    Tables t;
    t.LTable.rows = {
        {100, 75, 7, 9, 0}, {200, 90, 9, 12, 0}, {150, 90, 8.1f, 12, 0}, {200, 90, 9, 15, 0}};
    t.TTable.rows = {{200, 90, 9, 12, 0}, {200, 90, 9, 15, 0}};
    t.FbTable.rows = {{200, 9, 0, 0, 0}, {200, 10, 0, 0, 0}, {200, 9, 0, 0, 0}};
    t.BfTable.rows = {{200, 9, 25, 8, 2700}, {220, 10, 28, 9, 3100}};
    t.Materials.resize(5);
    return t;
}

using Change = void (*)(Project&);

class ProjectFileTest : public testsupport::TempDirTest {
protected:
    // Writes, then reads into a new project; the read must succeed.
    Project WriteAndRead(Project source, const Tables& tables = Tables{}) {
        std::string path = Path("roundtrip.kelvo");
        EXPECT_TRUE(WriteProjectFile(source, path).ok);
        Project read = DefaultProject();
        const FileResult result = ReadProjectFile(read, tables, path);
        EXPECT_TRUE(result.ok) << result.message;
        EXPECT_EQ(result.message, "");
        return read;
    }
    // The lines of the file WriteAndRead last wrote.
    std::vector<std::string> Written() const {
        return SplitCrLf(ReadBytes(Path("roundtrip.kelvo")));
    }
};

TEST_F(ProjectFileTest, NewProjectIsWrittenAsTheGoldenFile) {
    Project p = DefaultProject();
    std::string path = Path("a.kelvo");
    const FileResult result = WriteProjectFile(p, path);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.message, "");
    EXPECT_EQ(p.ProjectFile, path);
    const std::string content = ReadBytes(path);
    if (std::getenv("KELVOR_UPDATE_GOLDEN") != nullptr) {
        WriteBytes(kDataDir + "default202.kelvo", content);
    }
    const std::vector<std::string> lines = SplitCrLf(content);
    ASSERT_EQ(lines.size(), 48u);
    // Hand-known values, so that a golden file regenerated from a fault does not pass.
    const std::pair<int, const char*> rows[] = {{1, "202"},   {2, "\"Project\""}, {3, "\"Test\""},
                                                {16, "1.43"}, {18, "355"},        {22, "206000"},
                                                {31, "-100"}, {36, ".03"},        {37, ".03"},
                                                {38, "2772"}, {43, "10"},         {44, "1"}};
    for (const auto& [line, text] : rows) {
        EXPECT_EQ(lines[static_cast<std::size_t>(line - 1)], text) << "line " << line;
    }
    EXPECT_EQ(content, ReadBytes(kDataDir + "default202.kelvo"));
}

TEST_F(ProjectFileTest, EveryFieldHasItsOwnLineAndReadsBack) {
    const std::vector<std::string> golden = SplitCrLf(ReadBytes(kDataDir + "default202.kelvo"));
    for (const auto& [source, lines] :
         {std::pair{DistinctProject(), kDistinctLines}, std::pair{DefaultProject(), golden}}) {
        SCOPED_TRACE(source.ProjectName);
        Project expected = source;
        expected.ProjectFile = Path("roundtrip.kelvo");
        EXPECT_EQ(Snapshot(WriteAndRead(source)), Snapshot(expected));
        EXPECT_EQ(Written(), lines);
    }

    // Quotes become apostrophes and a line break two blanks, so the layout holds.
    Project p = DefaultProject();
    p.ProjectName = "He said \"stop\"";
    p.Identification = "a\"b\r\nc";
    const Project read = WriteAndRead(p);
    const std::vector<std::string> lines = Written();
    ASSERT_EQ(lines.size(), 48u);
    EXPECT_EQ(lines[1], "\"He said 'stop'\"");
    EXPECT_EQ(lines[2], "\"a'b  c\"");
    EXPECT_EQ(read.ProjectName, "He said 'stop'");
    EXPECT_EQ(read.Identification, "a'b  c");
}

TEST_F(ProjectFileTest, OlderLayoutGetsTheMissingValues) {
    // old170.kelvo saved again: girder code, L2, Lg, Lgs, Lt, ps and the girder filled in, the
    // pressure's sign turned.
    // clang-format off
    const std::vector<std::string> expected = {
        "202", "\"Old panel\"", "\"Deck 4\"", "1", "3", "1", "16", "2", "4", "13", "3", "0",
        "2", "1", "65", "1.43", ".6", "235", "400", "315", "440", "206000", "600", "650",
        "3000", "3000", "9000", "5400", "3000", "15", "-80", "-60", "-20", "-25", "30", "-.05",
        "-.05", "3700", "250", "90", "10", "15", "6", "2.5", "800", "200", "10", "20"};
    // clang-format on
    const std::string oldPath = kDataDir + "old170.kelvo";
    std::string lf = ReadBytes(oldPath);
    for (std::size_t at; (at = lf.find('\r')) != std::string::npos;) {
        lf.erase(at, 1);
    }
    WriteBytes(Path("lf.kelvo"), lf);
    for (const std::string& path : {oldPath, Path("lf.kelvo")}) {
        SCOPED_TRACE(path);
        Project p = DefaultProject();
        const FileResult result = ReadProjectFile(p, Tables{}, path);
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(p.ProjectFile, path);
        // The built-up inputs are in no line of the file: they are checked here.
        EXPECT_EQ(p.LBuiltH, 250);
        EXPECT_EQ(p.LBuiltTf, 15);
        EXPECT_EQ(p.GirderTBuiltH, 800);
        EXPECT_EQ(p.GirderTBuiltTf, 20);
        const Project saved = WriteAndRead(p);
        EXPECT_EQ(Written(), expected);
        p.ProjectFile = saved.ProjectFile;
        EXPECT_EQ(Snapshot(saved), Snapshot(p));
    }

    // Lt does not follow the span, Lg and L2 do.
    WriteBytes(Path("span.kelvo"), WithLine(SplitCrLf(ReadBytes(oldPath)), 24, "2500"));
    Project s = DefaultProject();
    ASSERT_TRUE(ReadProjectFile(s, Tables{}, Path("span.kelvo")).ok);
    EXPECT_EQ(std::vector<float>({s.L2, s.Lg, s.Lgs, s.Lt}),
              std::vector<float>({2500, 7500, 4500, 3000}));
}

TEST_F(ProjectFileTest, TableRowFollowsTheStoredDimensions) {
    const struct {
        const char* name;
        int family;
        float h, b, tw, tf;
        int stored, expected;
    } rows[] = {
        // Rows 1 and 3 share H, B, tw and differ in tf: each angle reopens as itself.
        {"L: tf picks row 1 of two", 0, 200, 90, 9, 12, 0, 1},
        {"L: tf picks row 3 of two", 0, 200, 90, 9, 15, 0, 3},
        {"L: tf matching neither, last of H, B, tw wins", 0, 200, 90, 9, 14, 0, 3},
        {"L: one match", 0, 100, 75, 7, 9, 2, 0},
        {"L: decimal web equals the single-precision table value", 0, 150, 90, 8.1f, 99, 0, 2},
        {"L: no match keeps the stored row", 0, 250, 90, 9, 12, 2, 2},
        {"T: tf compared", 2, 200, 90, 9, 15, 0, 1},
        {"T: no match", 2, 200, 90, 9, 13, 1, 1},
        {"flat bar: last of two", 4, 200, 55, 9, 0, 1, 2},
        {"bulb flat", 6, 220, 0, 10, 0, 0, 1},
        {"L built up is not looked up", 1, 100, 75, 7, 9, 2, 2},
    };
    // The row input each family's table (or built-up twin) keeps.
    int Project::*const rowOf[] = {&Project::LTableRow, &Project::LTableRow,  &Project::TTableRow,
                                   &Project::TTableRow, &Project::FbTableRow, &Project::FbTableRow,
                                   &Project::BfTableRow};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Project p = DefaultProject();
        p.BfTableRow = p.FbTableRow = 0;  // the small tables hold no row 16 or 13
        p.StiffProfileType = row.family;
        p.StiffH = row.h, p.StiffB = row.b, p.StiffTw = row.tw, p.StiffTf = row.tf;
        int Project::*const input = rowOf[row.family];
        p.*input = row.stored;
        EXPECT_EQ(WriteAndRead(p, TestTables()).*input, row.expected);
    }
}

TEST_F(ProjectFileTest, BuiltUpInputsOfTheFamilyInUseTakeTheStoredDimensions) {
    // The girder's built-up inputs of its family (1 L, 3 T) take 900 x 250 x 12 x 25 as well.
    // clang-format off
    const struct {
        int family, girder;
        Change change;
    } rows[] = {
        {1, 3, [](Project& e) { e.LBuiltH = 310, e.LBuiltB = 95, e.LBuiltTw = 11, e.LBuiltTf = 14; }},
        {3, 1, [](Project& e) { e.TBuiltH = 310, e.TBuiltB = 95, e.TBuiltTw = 11, e.TBuiltTf = 14; }},
        {5, 1, [](Project& e) { e.FbBuiltH = 310, e.FbBuiltTw = 11; }},
        {7, 1, [](Project& e) { e.RhsBuiltH = 310, e.RhsBuiltB = 95, e.RhsBuiltTw = 11; }},
        {8, 1, [](Project& e) {
             e.TrapBuiltH = 310, e.TrapBuiltB = 95, e.TrapBuiltTw = 11, e.TrapBuiltOffset = 42;
         }},
        {9, 1, [](Project& e) { e.IBuiltH = 310, e.IBuiltB = 95, e.IBuiltTw = 11, e.IBuiltTf = 14; }},
        {0, 1, [](Project&) {}},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE("family " + std::to_string(row.family));
        Project p = DefaultProject();
        p.StiffProfileType = row.family;
        p.GirderProfileType = row.girder;
        p.StiffH = 310, p.StiffB = 95, p.StiffTw = 11, p.StiffTf = 14, p.StiffC = 42, p.StiffR = 7;
        p.GirderH = 900, p.GirderB = 250, p.GirderTw = 12, p.GirderTf = 25;
        Project e = p;
        row.change(e);
        if (row.girder == 1) {
            e.GirderLBuiltH = 900, e.GirderLBuiltB = 250, e.GirderLBuiltTw = 12;
            e.GirderLBuiltTf = 25;
        } else {
            e.GirderTBuiltH = 900, e.GirderTBuiltB = 250, e.GirderTBuiltTw = 12;
            e.GirderTBuiltTf = 25;
        }
        e.ProjectFile = Path("roundtrip.kelvo");
        EXPECT_EQ(Snapshot(WriteAndRead(p)), Snapshot(e));
    }
}

TEST_F(ProjectFileTest, LegacyExtensionsAreSavedAsVlrm) {
    const std::pair<const char*, const char*> rows[] = {
        {"x.vlm", "x.vlrm"},
        {"x.hgt", "x.vlrm"},
        {"x.vlm.hgt", "x.vlrm.hgt"},  // ".vlm" wins, ".hgt" stays
        {"a.vlm.b.vlm", "a.vlrm.b.vlrm"},
        {"x.VLM", "x.VLM"},
        {"x.kelvo", "x.kelvo"},
    };
    for (const auto& [given, written] : rows) {
        SCOPED_TRACE(given);
        Project p = DefaultProject();
        std::string path = Path(given);
        ASSERT_TRUE(WriteProjectFile(p, path).ok);
        EXPECT_EQ(path, Path(written));
        EXPECT_EQ(p.ProjectFile, Path(written));
        EXPECT_TRUE(fs::is_regular_file(Path(written)));
        EXPECT_EQ(fs::exists(Path(given)), given == std::string(written));
    }
}

TEST_F(ProjectFileTest, ReaderAcceptsEveryNumberFormAndLenientLines) {
    const std::vector<std::string> golden = SplitCrLf(ReadBytes(kDataDir + "default202.kelvo"));
    ASSERT_EQ(golden.size(), 48u);
    const std::string whole = JoinCrLf(golden);
    const struct {
        const char* name;
        std::string content;
        Change change;
    } rows[] = {
        {"leading zero", WithLine(golden, 36, "0.03"), [](Project& e) { e.p = 0.03f; }},
        {"exponent", WithLine(golden, 36, "3E-02"), [](Project& e) { e.p = 0.03f; }},
        {"negative below one", WithLine(golden, 31, "-.5"), [](Project& e) { e.SigxA = -0.5f; }},
        {"plus sign and blanks", WithLine(golden, 30, " +12.5\t"), [](Project& e) { e.t = 12.5f; }},
        {"large area", WithLine(golden, 38, "1.5E+10"), [](Project& e) { e.StiffArea = 1.5e10; }},
        {"tiny value becomes zero", WithLine(golden, 35, "1E-50"), [](Project& e) { e.Tau = 0; }},
        {"integer with blanks", WithLine(golden, 4, " 1 "),
         [](Project& e) { e.PlateMaterialIndex = 1; }},
        {"last material row of the full table", WithLine(golden, 5, "22"),
         [](Project& e) { e.StiffMaterialIndex = 22; }},
        {"last table row", WithLine(golden, 7, "60"), [](Project& e) { e.BfTableRow = 60; }},
        {"text without quotes", WithLine(golden, 2, "  Bare name "),
         [](Project& e) { e.ProjectName = "Bare name"; }},
        {"blanks inside quotes", WithLine(golden, 2, "\" in \""),
         [](Project& e) { e.ProjectName = " in "; }},
        {"empty text", WithLine(golden, 3, "\"\""), [](Project& e) { e.Identification = ""; }},
        {"version 180 has the long layout", WithLine(golden, 1, "180"), [](Project&) {}},
        {"last line without CR LF", whole.substr(0, whole.size() - 2), [](Project&) {}},
        {"lines after 48 ignored", whole + std::string("junk\r\n\0\0\r\n", 10), [](Project&) {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        WriteBytes(Path("in.kelvo"), row.content);
        Project p = DefaultProject();
        const FileResult result = ReadProjectFile(p, Tables{}, Path("in.kelvo"));
        ASSERT_TRUE(result.ok) << result.message;
        Project expected = DefaultProject();
        expected.ProjectFile = Path("in.kelvo");
        row.change(expected);
        EXPECT_EQ(Snapshot(p), Snapshot(expected));
    }
}

TEST_F(ProjectFileTest, BrokenOrMissingFileLeavesTheProjectAsItWas) {
    const std::vector<std::string> golden = SplitCrLf(ReadBytes(kDataDir + "default202.kelvo"));
    const std::vector<std::string> old = SplitCrLf(ReadBytes(kDataDir + "old170.kelvo"));
    ASSERT_EQ(golden.size(), 48u);
    ASSERT_EQ(old.size(), 38u);
    const Tables small = TestTables();
    std::vector<std::string> fitsSmall = golden;  // bulb and flat-bar rows within TestTables()
    fitsSmall[6] = fitsSmall[9] = "0";
    const std::string broken = Path("broken.kelvo"), cantRead = "can't read file - ";
    // One line of the golden file broken: the message names that line. By line: version,
    // integers, reals, codes out of range, rows beyond the tables, bytes no number has.
    const std::pair<int, std::string> edits[] = {{1, "two hundred"},
                                                 {4, "2.5"},
                                                 {7, "1E1"},
                                                 {8, "99999999999"},
                                                 {25, "3000,5"},
                                                 {30, ""},
                                                 {31, "1E39"},
                                                 {32, "nan"},
                                                 {33, "-inf"},
                                                 {34, "+-5"},
                                                 {35, "0x10"},
                                                 {38, "1E999"},
                                                 {6, "10"},
                                                 {6, "-1"},
                                                 {11, "2"},
                                                 {12, "3"},
                                                 {13, "3"},
                                                 {14, "2"},
                                                 {4, "23"},
                                                 {7, "61"},
                                                 {9, "-1"},
                                                 {1, "202\r\"Project\""},
                                                 {25, std::string{'3', '0', '\0', '0', '0'}},
                                                 {2, std::string(10 << 20, 'x')}};
    struct Row {
        std::string name, content;
        int line;
        const Tables* tables = nullptr;  // none loaded
    };
    std::vector<Row> rows = {
        {"empty file", "", 1},
        {"version only", "202\r\n", 2},
        {"ends after line 11", JoinCrLf(golden, 11), 12},
        {"ends after line 47", JoinCrLf(golden, 47), 48},
        {"empty line 48", JoinCrLf(golden, 47) + "\r\n", 48},
        {"old layout ends after its line 37", JoinCrLf(old, 37), 38},
        {"old layout ends after L1", JoinCrLf(old, 24), 25},
        {"version 179 reads the short layout", WithLine(golden, 1, "179"), 11},
        {"old file with family 12", WithLine(old, 6, "12"), 6},
        {"material beyond the loaded table", WithLine(golden, 5, "5"), 5, &small},
        {"L row beyond the loaded table", WithLine(fitsSmall, 8, "4"), 8, &small},
        {"binary garbage", std::string{'\x7f', 'E', 'L', 'F', '\2', '\0', '\xff', '\n', '\x90'}, 1},
        {"NUL bytes only", std::string(1000, '\0'), 1},
    };
    for (const auto& [line, text] : edits) {
        rows.push_back({"line " + std::to_string(line) + ": " + text.substr(0, 20),
                        WithLine(golden, line, text), line});
    }
    Project p = DistinctProject();
    p.ProjectFile = "previous.kelvo";
    const std::string before = Snapshot(p);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        WriteBytes(broken, row.content);
        const FileResult result = ReadProjectFile(p, row.tables ? *row.tables : Tables{}, broken);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, cantRead + broken + ", line " + std::to_string(row.line));
        EXPECT_EQ(Snapshot(p), before);
    }
    const std::string missing = Path("missing.kelvo");
    FileResult result = ReadProjectFile(p, Tables{}, missing);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "can't find file - " + missing);
    result = ReadProjectFile(p, Tables{}, dir_.string());
    EXPECT_EQ(result.message, cantRead + dir_.string() + ", line 1");
    EXPECT_EQ(Snapshot(p), before);
}

TEST_F(ProjectFileTest, FailedSaveLeavesTargetAndProjectAlone) {
    fs::create_directories(dir_ / "folder");
    WriteBytes(dir_ / "folder" / "inside.txt", "keep");
    for (const std::string& given :
         {Path("no-such-folder/x.kelvo"), Path("folder"), Path("folder") + "/"}) {
        SCOPED_TRACE(given);
        Project p = DistinctProject();
        p.ProjectFile = "previous.kelvo";
        std::string path = given;
        const FileResult result = WriteProjectFile(p, path);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, "can't save file - " + given);
        EXPECT_EQ(p.ProjectFile, "previous.kelvo");
        EXPECT_EQ(ReadBytes(dir_ / "folder" / "inside.txt"), "keep");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1) << "no temporary left";
    }

    // A save that works replaces the old file and leaves nothing else beside it.
    WriteBytes(Path("a.kelvo"), "old content");
    Project p = DefaultProject();
    std::string path = Path("a.kelvo");
    ASSERT_TRUE(WriteProjectFile(p, path).ok);
    EXPECT_EQ(ReadBytes(path), ReadBytes(kDataDir + "default202.kelvo"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);
}

}  // namespace
}  // namespace kelvor
