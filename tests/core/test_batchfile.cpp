// Batch files: reading (tests/data/batch/records.tsv, with good/blocks.kvi whose panel lines lie
// across the ends of the 64 KiB read blocks; broken files in test_badfiles.cpp), the
// result columns (columns.tsv, column-formats.tsv, error-columns.tsv) and whole runs. Goldens:
// tests/data/batch/NAME.kvo is NAME.kvi run with the shipped tables; after a deliberate change of
// a check or of the result format, regenerate them with
//   KELVOR_UPDATE_GOLDEN=1 kelvor_core_tests --gtest_filter='Batch.Runs*'
// and review the diff before committing it. 10,000 panels: test_limits.cpp.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/calculate.h"
#include "filecases.h"
#include "files/batchfile.h"

namespace kelvor {
namespace {

namespace fs = std::filesystem;
using filecases::Split;
using testdata::DataPath;
using testsupport::ReadBytes;

// The panel line the edits of records.tsv change: the second line of panels.kvi.
std::string PanelLine(const std::string& edits = "") {
    std::vector<std::string> fields =
        Split(Split(ReadBytes(DataPath("batch/panels.kvi")), "\r\n")[1], "\t");
    for (const std::string& edit : Split(edits, ";")) {
        if (!edit.empty()) {
            fields.at(std::stoul(edit)) = edit.substr(edit.find('=') + 1);
        }
    }
    return filecases::Join(fields, "\t");
}

// A name of records.tsv's expect column for entry k after its run in p.
std::string EntryText(const BatchTable& table, int k, const Project& p, const std::string& name) {
    using testdata::Shortest;
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

class Batch : public testsupport::TempDirTest {};

TEST_F(Batch, ReadsEveryFieldAndRunsEachPanel) {
    const Tables shipped = filecases::TablesOf("shipped"), small = filecases::TablesOf("small");
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
    const Tables tables = filecases::TablesOf("shipped");
    for (const auto& group : testdata::GroupByFirstCell(testdata::ReadTable("batch/runs.tsv"))) {
        const std::string input = group[0][0];
        SCOPED_TRACE(input);
        const BatchReadResult read = ReadBatchFile(DataPath("batch/" + input), tables, 0);
        ASSERT_TRUE(read.ok) << read.message;
        Project p;
        std::vector<BatchFailure> failures;
        ASSERT_TRUE(WriteBatchResults(p, tables, read.table, Path("out.kvo"), '.', &failures).ok);
        const std::string result = ReadBytes(Path("out.kvo"));
        filecases::ExpectGolden(result, "batch/" + BatchOutputPath(input));
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
    const Tables tables = filecases::TablesOf("shipped");
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

}  // namespace
}  // namespace kelvor
