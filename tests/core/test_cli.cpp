// The command-line tool end to end, from tests/data/cli/cli.tsv and search.tsv: each case's invocations run in
// order in one fresh folder, and each gives its exit status, standard output and standard error
// in full. An output cell "@NAME" is the file tests/data/cli/NAME (KELVOR_REGENERATE=1 rewrites
// those, to be read in the diff), "*" is any output. In arguments and outputs, $DIR is the
// case's folder and $DATA the test data folder; in outputs, $SHIPPED is the shipped data folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "../support/datatable.h"
#include "testsupport.h"

namespace {

using namespace testsupport;
using CliTest = TempDirTest;

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size()) {
        s.replace(at, from.size(), to);
    }
    return s;
}

TEST_F(CliTest, InvocationsGiveTheirStatusAndOutputs) {
    const std::string data = KELVOR_TEST_DATA_DIR;
    const bool regenerate = std::getenv("KELVOR_REGENERATE") != nullptr;
    std::vector<testdata::Row> rows;
    for (const char* table : {"cli/cli.tsv", "cli/search.tsv", "cli/whatif.tsv"}) {
        const auto more = testdata::ReadTable(table);
        rows.insert(rows.end(), more.begin(), more.end());
    }
    for (const auto& group : testdata::GroupByFirstCell(rows)) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        for (const testdata::Row& row : group) {
            SCOPED_TRACE(row.where + " " + row[0] + ": " + row[1]);
            const CliRun run = Cli(Replace(Replace(row[1], "$DIR", dir_.string()), "$DATA", data));
            if (run.err.ends_with(" needs the Qt build\n") ||
                run.err.ends_with(" need the Qt build\n")) {
                EXPECT_EQ(run.status, 2);
                continue;  // a core-only build: the report is checked in the full one
            }
            EXPECT_EQ(run.status, row.Int(2));
            const std::string outputs[] = {run.out, run.err};
            for (int k = 0; k < 2; ++k) {
                const std::string& cell = row[3 + k];
                const std::string got = Replace(Replace(Replace(outputs[k], dir_.string(), "$DIR"),
                                                        data, "$DATA"),
                                                KELVOR_SOURCE_DATA_DIR, "$SHIPPED");
                const bool file = !cell.empty() && cell[0] == '@';
                const std::string path = testdata::DataPath("cli/" + cell.substr(file));
                if (file && regenerate) {
                    WriteBytes(path, got);
                }
                EXPECT_TRUE(cell == "*" || got == (file ? ReadBytes(path) : cell))
                    << (k ? "stderr: " : "stdout: ") << got;
            }
        }
    }
}

// The printed report of a new project is one page whatever its kind, and holds the texts of its
// kind (tests/data/cli/report.tsv: the kinds a row is for, then a text; "!" first, one it must not
// hold).
TEST_F(CliTest, ReportKindsPrintOnePageWithTheirTexts) {
    ASSERT_EQ(Cli("new -o " + Quoted(Path("p.kelvo"))).status, 0);
    for (const std::string kind : {"1", "2", "3", "4"}) {
        SCOPED_TRACE("kind " + kind);
        const CliRun run = Cli("report " + Quoted(Path("p.kelvo")) + " --mode " + kind + " -o " +
                               Quoted(Path("r.pdf")));
        if (run.err == "report needs the Qt build\n") {
            GTEST_SKIP() << "core-only build";
        }
        ASSERT_EQ(run.status, 0) << run.err;
        if (std::system("command -v pdftotext >/dev/null") != 0) {
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        }
        const std::string text = Shell("pdftotext " + Quoted(Path("r.pdf")) + " -").out;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 1) << "pages";
        for (const testdata::Row& row : testdata::ReadTable("cli/report.tsv")) {
            const bool absent = row[1][0] == '!';
            if (row[0].find(kind) != std::string::npos) {
                EXPECT_EQ(text.find(row[1].substr(absent)) == std::string::npos, absent) << row[1];
            }
        }
    }
}

}  // namespace
