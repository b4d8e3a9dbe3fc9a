// Golden file: tests/data/batch/panels.kvo is panels.kvi run with the shipped tables. After a
// deliberate change of a check or of the result format, regenerate it with
//   KELVOR_UPDATE_GOLDEN=1 kelvor_core_tests --gtest_filter='BatchTest.HeadingThree*'
// and review the diff before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "batchtest.h"
#include "core/calculate.h"

namespace kelvor {
namespace {

using namespace batchtest;

TEST_F(BatchTest, HeadingThreePanelsAndEndGiveFourEntriesAndFiveResultLines) {
    const BatchReadResult read = ReadBatchFile((kBatchData / "panels.kvi").string(), tables_, 0);
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(read.table.entries.size(), 4u);
    const char* texts[] = {"% Platform X, cellar deck panels", "Deck P1", "Bulkhead P2",
                           "Upper P3"};
    for (std::size_t k = 0; k < 4; ++k) {
        const BatchEntry& e = read.table.entries[k];
        EXPECT_TRUE(e.comment == (k == 0) && e.text == texts[k] && e.line == int(k) + 1) << k;
    }

    std::vector<BatchFailure> failures;
    const FileResult written =
        WriteBatchResults(p_, tables_, read.table, Path("panels.kvo"), '.', &failures);
    ASSERT_TRUE(written.ok) << written.message;
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(p_.Identification, "Upper P3");  // the last panel stays loaded
    const std::string result = ReadBytes(Path("panels.kvo"));
    if (std::getenv("KELVOR_UPDATE_GOLDEN")) {
        WriteBytes(kBatchData / "panels.kvo", result);
    }
    EXPECT_EQ(result, ReadBytes(kBatchData / "panels.kvo"));
    const std::vector<std::string> lines = SplitAt(result, "\r\n");
    ASSERT_EQ(lines.size(), 6u);  // five lines and the empty rest after the last CR LF
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(result.find('\n'), result.find("\r\n") + 1);
    for (int k : {0, 2, 3, 4}) {
        EXPECT_EQ(SplitAt(lines[static_cast<std::size_t>(k)], "\t").size(), 44u);
    }
}

TEST_F(BatchTest, HeaderHasTheFortyFourHeadings) {
    EXPECT_EQ(BatchHeaderLine(),
              "Project:\tIdentification:\tLoading Cond:\tFactor of Safety F.S:\t"
              "Allowable Usage factor:\tMaterial-plate: Fy/Fu\tMaterial-stiff: Fy/Fu\t"
              "E-modulus:\tBulkhead type:\tUnit Length:\tStiffener:\tC-factor:\tStiff Prof:\t"
              "Gird Prof:\tL1\tL2\tLg\tLgs\tLt\tt\ts1\ts2\tSigxA\tSigxB\tSigyA\tSigyC\tTau\tp\t"
              "ps\tBuckling\tUFpb\tUFpu\tUFpl\tUFb\tUFbt\tUFst\tUFgbu\tScant/Yield\tUFt\tUFsm\t"
              "UFgm\tUFy\tUFyp\tUFys");
}

// A record as a run leaves it, for the columns that depend on inputs and results alone.
TEST_F(BatchTest, ColumnsWriteTheirPatternsAndWords) {
    struct Row {
        int column;  // 1-based
        const char* text;
        char sep;
        void (*change)(Project&);
        int stiffFamily = 0, girderFamily = 3;
    };
    const Row rows[] = {
        {3, "A", '.', [](Project& p) { p.LoadingCondition = 0; }},
        {3, "B", '.', [](Project& p) { p.LoadingCondition = 1; }},
        {3, "C", '.', [](Project& p) { p.LoadingCondition = 2; }},
        {4, "1.01", '.', [](Project& p) { p.FS = 1.005f; }},
        {5, "0,60", ',', [](Project& p) { p.UFallow = 0.6f; }},
        {6, "316/440", '.', [](Project& p) { p.Fyp = 315.5f, p.Fup = 440; }},
        {8, "2,06E+5", ',', [](Project& p) { p.E = 206000; }},
        {9, "Watertight bulkhead", '.', [](Project& p) { p.CFactorTab = 0; }},
        {9, "Upper Structure", '.', [](Project& p) { p.CFactorTab = 2; }},
        {10, "05", '.', [](Project& p) { p.CFactorTab = 0, p.UnitLength = 5; }},
        {10, "-", '.', [](Project& p) { p.CFactorTab = 1, p.UnitLength = 5; }},
        {11, " Ends attached", '.', [](Project& p) { p.CFactorTab = 0, p.CFactorOption = 0; }},
        {11, " No end attachment", '.', [](Project& p) { p.CFactorTab = 0, p.CFactorOption = 1; }},
        {11, " Clip attachment", '.', [](Project& p) { p.CFactorTab = 1, p.CFactorOption = 0; }},
        {11, " Supported at both ends by girder", '.',
         [](Project& p) { p.CFactorTab = 1, p.CFactorOption = 1; }},
        {11, " Clear of tanks", '.', [](Project& p) { p.CFactorTab = 2, p.CFactorOption = 0; }},
        {11, " In way of tanks", '.', [](Project& p) { p.CFactorTab = 2, p.CFactorOption = 1; }},
        {12, "0,90", ',', [](Project& p) { p.c = 0.895; }},
        {13, "Fb100x8.0", '.', [](Project& p) { p.StiffH = 100, p.StiffTw = 8; }, 5},
        {13, "BF200x10,5", ',', [](Project& p) { p.StiffH = 200, p.StiffTw = 10.5f; }, 6},
        {13, "TG05x90x9.0x0.4", '.',
         [](Project& p) { p.StiffH = 5, p.StiffB = 90, p.StiffTw = 9, p.StiffTf = 0.44f; }, 3},
        {13, "", '.', [](Project&) {}, -1},
        {14, "LG600x150x10.0x15.0", '.',
         [](Project& p) { p.GirderH = 600, p.GirderB = 150, p.GirderTw = 10, p.GirderTf = 15; }, 0,
         1},
        {14, "", '.', [](Project&) {}, 0, -1},
        {15, "3000", '.', [](Project& p) { p.L1 = 3000; }},
        {20, "12,5", ',', [](Project& p) { p.t = 12.5f; }},
        {28, "1E-05", '.', [](Project& p) { p.p = 0.00001f; }},
        {29, "1.234568E+07", '.', [](Project& p) { p.ps = 12345678; }},
        {31, "0.08", '.', [](Project& p) { p.UFpb = 0.075; }},
        {34, "N/A", '.', [](Project& p) { p.UFbu = -99, p.UFbt = 0.4; }},
        {35, "N/A", '.', [](Project& p) { p.UFbu = -99, p.UFbt = 0.4; }},
        {35, "-99.00", '.', [](Project& p) { p.UFbu = 0.5, p.UFbt = -99; }},
        {42, "1,5", ',', [](Project& p) { p.UFy = 1.5; }},
        {44, "-0.00", '.', [](Project& p) { p.UFys = -0.001; }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.column << " '" << row.text << "'");
        Project p;
        BatchEntry e;
        e.StiffFamily = row.stiffFamily;
        e.GirderFamily = row.girderFamily;
        row.change(p);
        const std::vector<std::string> columns = SplitAt(BatchResultLine(p, e, row.sep), "\t");
        ASSERT_EQ(columns.size(), 44u);
        EXPECT_EQ(columns[static_cast<std::size_t>(row.column - 1)], row.text);
        EXPECT_EQ(columns[29], "Buckling");
        EXPECT_EQ(columns[37], "Scant/Yield");
    }
}

// A step that fails leaves the columns of its own and every later step uncomputed. Result
// columns: 12, 31 to 37, 39 to 44.
TEST_F(BatchTest, FailedPanelsGetErrorInTheColumnsNotComputed) {
    // Each step with the result columns that still have a value, as 1-based numbers.
    const std::pair<const char*, const char*> rows[] = {
        {"plate buckling", ""},
        {"rule effective breadth", "31 32 33"},
        {"stiffener section properties", "31 32 33"},
        {"stiffener buckling", "31 32 33"},
        {"overall buckling", "31 32 33 34 35"},
        {"plate yield", "31 32 33 34 35 37"},
        {"stiffener yield", "31 32 33 34 35 37 42"},
        {"stiffener stiffness", "31 32 33 34 35 37 42 43 44"},
        {"plate scantling", "31 32 33 34 35 36 37 42 43 44"},
        {"stiffener scantling", "31 32 33 34 35 36 37 39 42 43 44"},
        {"girder section properties", "31 32 33 34 35 36 37 39 40 42 43 44"},
        {"girder scantling", "31 32 33 34 35 36 37 39 40 42 43 44"},
        {"c-factor", "31 32 33 34 35 36 37 39 40 41 42 43 44"},
        {"panel input", ""},
    };
    const int resultColumns[] = {12, 31, 32, 33, 34, 35, 36, 37, 39, 40, 41, 42, 43, 44};
    BatchEntry e;
    e.StiffFamily = 0;
    e.GirderFamily = 3;
    for (const auto& [routine, want] : rows) {
        SCOPED_TRACE(routine);
        Project p;
        p.CalcFailure = StepFailure{routine, "cause"};
        const std::vector<std::string> columns = SplitAt(BatchResultLine(p, e, '.'), "\t");
        std::string computed;
        for (int c : resultColumns) {
            if (columns[static_cast<std::size_t>(c - 1)] != "ERROR") {
                computed += (computed.empty() ? "" : " ") + std::to_string(c);
            }
        }
        EXPECT_EQ(computed, want);
        EXPECT_EQ(columns[0], p.ProjectName);
        EXPECT_EQ(columns[14], "0");
    }
    // Every step the table above names is a step of the run, so a renamed step fails here.
    EXPECT_EQ(std::size(rows) - 1, CalculationSteps().size());
    for (std::size_t i = 0; i + 1 < std::size(rows); ++i) {
        EXPECT_STREQ(CalculationSteps()[i].routine, rows[i].first);
    }
}

TEST_F(BatchTest, EveryPanelIsCalculatedWholeAndFailuresDoNotStopTheRun) {
    const std::string good = Panel();
    const std::string fb = Join([] {
        auto f = PanelFields();
        f[13] = "FB", f[14] = "200x12", f[10] = "0", f[11] = "5";
        return f;
    }());
    WriteBytes(Path("in.kvi"), good + "\r\n" + Panel(22, "0") + "\r\n" + Panel(13, "XX") + "\r\n" +
                                   fb + "\r\n" + Panel(16, "0x0x0x0") + "\r\nEnd\r\n");
    const BatchReadResult read = ReadBatchFile(Path("in.kvi"), tables_, 0);
    ASSERT_TRUE(read.ok) << read.message;
    std::vector<BatchFailure> failures;
    ASSERT_TRUE(WriteBatchResults(p_, tables_, read.table, Path("out.kvo"), '.', &failures).ok);
    const std::vector<std::string> lines = SplitAt(ReadBytes(Path("out.kvo")), "\r\n");
    ASSERT_EQ(lines.size(), 7u);

    ASSERT_EQ(failures.size(), 3u);
    EXPECT_EQ(failures[0].line, 2);
    EXPECT_EQ(failures[1].line, 3);
    EXPECT_EQ(failures[1].text, "Calculation stopped in panel input: unknown stiffener code 'XX'");
    auto cell = [&](int line, int column) { return SplitAt(lines[line], "\t")[column]; };
    EXPECT_EQ(cell(2, 30), "ERROR");
    EXPECT_EQ(cell(3, 12), "");
    EXPECT_EQ(cell(3, 13), "TG800x200x10.0x20.0");  // its own girder
    EXPECT_EQ(cell(3, 43), "ERROR");
    // A girder that can't be set up would leave the overall buckling check with the girder of
    // the panel before: no check of the panel is shown.
    EXPECT_EQ(failures[2].line, 5);
    EXPECT_EQ(failures[2].text.rfind("Calculation stopped in panel input: girder: ", 0), 0u);
    EXPECT_EQ(cell(5, 30), "ERROR");

    // Each line is that of its panel run alone in a fresh project: nothing carries over from
    // the panel before (the failed one in particular), and the rule breadth of each is its own.
    for (int k : {0, 3}) {
        SCOPED_TRACE(k);
        Project alone;
        RunBatchRecord(alone, tables_, read.table, k);
        EXPECT_FALSE(alone.CalcFailure.has_value());
        EXPECT_GT(alone.be, 0);
        EXPECT_EQ(alone.PlateMaterialIndex, tables_.MaterialLastRow());
        EXPECT_EQ(alone.StiffMaterialIndex, tables_.MaterialLastRow());
        EXPECT_EQ(lines[static_cast<std::size_t>(k + 1)],
                  BatchResultLine(alone, read.table.entries[static_cast<std::size_t>(k)], '.'));
        EXPECT_EQ(lines[static_cast<std::size_t>(k + 1)].find("ERROR"), std::string::npos);
    }
    EXPECT_EQ(cell(4, 12), "Fb200x12.0");
    EXPECT_EQ(cell(4, 9), "05");
}

TEST_F(BatchTest, AFailedWriteSaysSoAndLeavesNoTemporaryBehind) {
    const BatchReadResult read = Read("% only a heading\r\nEnd\r\n");
    const std::string missing = Path("no/such/dir/out.kvo");
    EXPECT_EQ(WriteBatchResults(p_, tables_, read.table, missing, '.').message,
              "can't save file - " + missing);
    fs::create_directories(Path("taken.kvo"));
    EXPECT_FALSE(WriteBatchResults(p_, tables_, read.table, Path("taken.kvo"), '.').ok);
    for (const auto& f : fs::directory_iterator(dir_)) {
        EXPECT_EQ(f.path().string().find(".tmp"), std::string::npos) << f.path();
    }
    ASSERT_TRUE(WriteBatchResults(p_, tables_, read.table, Path("out.kvo"), '.').ok);
    EXPECT_EQ(ReadBytes(Path("out.kvo")), BatchHeaderLine() + "\r\n% only a heading\r\n");
}

TEST(BatchOutput, PathCutsKviAndAddsKvo) {
    const std::pair<const char*, const char*> rows[] = {
        {"panels.kvi", "panels.kvo"},
        {"/d/x/panels.kvi", "/d/x/panels.kvo"},
        {"PANELS.KVI", "PANELS.kvo"},
        {".kvi", ".kvo"},
        {"panels", "panels.kvo"},
        {"kvi", "kvi.kvo"},
        {"panels.txt", "panels.txt.kvo"},
        {"panels.kvi.bak", "panels.kvi.bak.kvo"},
        {"panels.kvo", "panels.kvo.kvo"},  // never the input itself
        {"", ".kvo"},
    };
    for (const auto& [in, out] : rows) {
        SCOPED_TRACE(in);
        EXPECT_EQ(BatchOutputPath(in), out);
    }
}

TEST_F(BatchTest, StartupRunWritesDummyKvoOrSaysItFailed) {
    fs::copy_file(fs::path(KELVOR_SOURCE_DATA_DIR) / "dummy.kvi", dir_ / "dummy.kvi");
    EXPECT_TRUE(RunStartupBatch(p_, tables_, dir_.string(), '.', 0));
    EXPECT_EQ(ReadBytes(dir_ / "dummy.kvo").substr(0, BatchHeaderLine().size() + 2),
              BatchHeaderLine() + "\r\n");

    WriteBytes(dir_ / "dummy.kvi",
               "% heading\r\n" + Panel(1, "first") + "\r\n" + Panel(1, "last") + "\r\nEnd\r\n");
    EXPECT_TRUE(RunStartupBatch(p_, tables_, dir_.string(), '.', 0));
    EXPECT_EQ(p_.Identification, "last");

    WriteBytes(dir_ / "dummy.kvi", "% no end\r\n");
    EXPECT_FALSE(RunStartupBatch(p_, tables_, dir_.string(), '.', 0));
    fs::remove(dir_ / "dummy.kvi");
    EXPECT_FALSE(RunStartupBatch(p_, tables_, dir_.string(), '.', 0));
    WriteBytes(dir_ / "dummy.kvi", "End\r\n");
    fs::remove(dir_ / "dummy.kvo");
    fs::create_directories(dir_ / "dummy.kvo");
    EXPECT_FALSE(RunStartupBatch(p_, tables_, dir_.string(), '.', 0));
}

TEST_F(BatchTest, CommandLineBatchExitStatusAndMessages) {
    const std::string input = Path("panels.kvi"), unwritable = Path("no/dir/out.kvo");
    fs::copy_file(kBatchData / "panels.kvi", input);
    WriteBytes(Path("bad.kvi"), "% h\r\n" + Panel() + "\r\n" + Panel(22, "0") + "\r\nEnd\r\n");
    const struct {
        std::string args;
        int status;
        std::string err;
    } rows[] = {
        {"'" + input + "'", 0, ""},
        {"'" + input + "' -o '" + Path("other.kvo") + "'", 0, ""},
        {"'" + Path("none.kvi") + "'", 2, "can't find file - " + Path("none.kvi") + "\n"},
        {"'" + input + "' -o '" + unwritable + "'", 2, "can't save file - " + unwritable + "\n"},
        {"'" + Path("bad.kvi") + "'", 1,
         "1 of 2 panels failed (ERROR in " + Path("bad.kvo") +
             "), the first at line 3: Calculation stopped in plate buckling: division by zero "
             "(plate thickness t is zero)\n"},
        {"'" + input + "' -o '" + input + "'", 2,
         "the output file must not be the input file - " + input + "\n"},
        {"", 2, "usage: kelvor-cli batch INPUT.kvi [-o OUTPUT.kvo]\n"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.args);
        const testsupport::CliRun run = Cli("batch " + r.args);
        EXPECT_EQ(run.status, r.status);
        EXPECT_EQ(run.err, r.err);
    }
    EXPECT_EQ(ReadBytes(Path("panels.kvo")), ReadBytes(kBatchData / "panels.kvo"));
    EXPECT_EQ(ReadBytes(Path("other.kvo")), ReadBytes(kBatchData / "panels.kvo"));
    EXPECT_EQ(ReadBytes(input), ReadBytes(kBatchData / "panels.kvi"));
}

}  // namespace
}  // namespace kelvor
