// Sweeps and capacities of the default project, from tests/data/whatif: the capacity against
// brackets found by hand, the sweep's crossings against the capacity, a sweep across stopped
// runs, and every message a request can get.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "../support/datatable.h"
#include "core/tables.h"
#include "engine/calculate.h"
#include "engine/capacity.h"
#include "engine/session.h"
#include "engine/sweep.h"
#include "testsupport.h"

namespace kelvor {
namespace {

class WhatIf : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        StartupEnvironment env;
        env.dataFolder = KELVOR_SOURCE_DATA_DIR;
        ASSERT_TRUE(StartUp(base_, tables_, env).empty());
    }
    static Project With(const std::string& setup) {
        Project p = base_;
        testdata::SetFields(p, setup);
        return p;
    }
    static bool PassesAt(Project p, const SweepInput& input, int mode, double value) {
        SetInput(p, input, value, SecondRatio(p, input));
        p.AnalysisMode = mode;
        Evaluate(p, tables_);
        return Passes(p, mode);
    }
    static SweepResult Sweep(const std::string& vary, int mode) {
        SweepRequest request;
        EXPECT_EQ(ParseSweepRange(vary, request), "");
        request.mode = mode;
        return RunSweep(base_, tables_, request);
    }

    static inline Project base_;
    static inline Tables tables_;
};

TEST_F(WhatIf, CapacityLiesInTheHandBracketAndAgreesWithTheSweep) {
    for (const testdata::Row& row : testdata::ReadTable("whatif/capacity.tsv")) {
        SCOPED_TRACE(row.where + " " + row[0] + " " + row[2]);
        const SweepInput& input = *FindSweepInput(row[0]);
        const int mode = row.Int(1);
        const Project p = With(row[2]);
        const Capacity c = FindCapacity(p, tables_, input, mode);
        EXPECT_EQ(c.Sentence(), row[7]);
        if (!row[5].empty()) {
            EXPECT_EQ(c.passesAtProject ? c.governs : row[5], row[5]);
        }
        if (row[3].empty()) {
            continue;
        }
        const double pass = row.Number(3), fail = row.Number(4);
        EXPECT_TRUE(PassesAt(p, input, mode, pass));
        EXPECT_FALSE(PassesAt(p, input, mode, fail));
        ASSERT_TRUE(c.found);
        EXPECT_TRUE(c.value >= std::min(pass, fail) && c.value <= std::max(pass, fail)) << c.value;
        // The capacity passes, and a step of 0.1 % beyond it fails.
        EXPECT_TRUE(PassesAt(p, input, mode, c.value));
        EXPECT_FALSE(PassesAt(p, input, mode, c.value + (fail - pass) / std::abs(fail - pass) *
                                                           1e-3 * std::abs(c.value)));
        if (row[6].empty()) {
            continue;
        }
        const SweepResult sweep = Sweep(row[6], mode);
        int agreeing = 0;
        for (const SweepCrossing& x : sweep.crossings) {
            agreeing += CheckName(x.check) == row[5] &&
                        std::abs(x.x - c.value) <= 1e-3 * std::abs(c.value);
        }
        EXPECT_EQ(agreeing, 1);
    }
}

TEST_F(WhatIf, SweepsGiveTheirRunsCrossingsAndNumbers) {
    for (const auto& group : testdata::GroupByFirstCell(testdata::ReadTable("whatif/sweeps.tsv"))) {
        const SweepResult sweep = Sweep(group.front()[0], group.front().Int(1));
        std::vector<std::string> csv;
        std::istringstream in(SweepCsv(sweep));
        for (std::string line; std::getline(in, line);) {
            csv.push_back(line);
        }
        for (const testdata::Row& row : group) {
            SCOPED_TRACE(row.where + " " + group.front()[0] + " " + row[2]);
            std::string shown;
            if (row[2] == "runs") {
                shown = std::to_string(sweep.points.size()) + " runs, " +
                        std::to_string(sweep.failedRuns) + " stopped";
            } else if (row[2] == "crossings") {
                for (const SweepCrossing& x : sweep.crossings) {
                    shown += (shown.empty() ? "" : "|") + std::string(CheckName(x.check)) + " " +
                             FourFigures(x.x) + (x.failsAbove ? " above" : " below");
                }
            } else {
                const std::size_t line = std::stoul(row[2].substr(4));
                ASSERT_LT(line, csv.size());
                shown = csv[line];
            }
            EXPECT_EQ(shown, row[3]);
        }
        // The steps run on to the end whatever stopped between, the last exactly at the end and
        // with the numbers of the full calculation there.
        ASSERT_FALSE(sweep.points.empty());
        const SweepPoint& last = sweep.points.back();
        EXPECT_EQ(last.x, sweep.request.max);
        EXPECT_EQ(sweep.points.size(), static_cast<std::size_t>(sweep.request.steps) + 1);
        Project p = base_;
        SetInput(p, *sweep.request.input, last.x, 1);
        p.AnalysisMode = sweep.request.mode;
        Calculate(p, tables_);
        const Verdict v = Judge(p, sweep.request.mode);
        EXPECT_EQ(last.passes, v.passes);
        for (const FactorRow& row : v.rows) {
            const double value = last.value[static_cast<std::size_t>(row.check)];
            EXPECT_TRUE(row.checked ? value == row.value : std::isnan(value)) << CheckName(row.check);
        }
    }
}

TEST_F(WhatIf, RequestsAreRefusedInWords) {
    for (const testdata::Row& row : testdata::ReadTable("whatif/requests.tsv")) {
        SCOPED_TRACE(row.where + " " + row[0]);
        SweepRequest request;
        std::string message = ParseSweepRange(row[0], request);
        if (message.empty()) {
            message = CheckSweepRequest(With(row[1]), request);
        }
        EXPECT_EQ(message, row[2]);
    }
}

using WhatIfFiles = testsupport::TempDirTest;

TEST_F(WhatIfFiles, ChartsAndNumbersAreWrittenInEachFormat) {
    ASSERT_EQ(Cli("new -o " + Path("p.kelvo")).status, 0);
    for (const testdata::Row& row : testdata::ReadTable("whatif/chartfiles.tsv")) {
        SCOPED_TRACE(row.where + " " + row[0]);
        std::string args = row[0];
        args.replace(args.find("$DIR"), 4, dir_.string());
        args.replace(args.find("$DIR"), 4, dir_.string());
        const testsupport::CliRun run = Cli(args);
        if (run.err.ends_with(" need the Qt build\n")) {
            continue;  // a core-only build: the files are checked in the full one
        }
        EXPECT_EQ(run.status, 0) << run.err;
        const std::string bytes = testsupport::ReadBytes(Path(row[1]));
        std::string start = row[2];
        if (start.rfind("\\x89", 0) == 0) {
            start = "\x89" + start.substr(4);
        }
        EXPECT_EQ(bytes.substr(0, start.size()), start);
        std::istringstream holds(row[3]);
        for (std::string text; std::getline(holds, text, '|');) {
            EXPECT_NE(bytes.find(text), std::string::npos) << text;
        }
    }
}

}  // namespace
}  // namespace kelvor
