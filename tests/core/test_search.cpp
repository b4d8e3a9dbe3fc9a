// The design search against brute force (tests/data/search/cases.tsv): every candidate set into
// the record by hand and calculated in full, in the search's fixed order; the answer is the same
// on one thread and on two. Then cancelling, and the best panel written by the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "../support/datatable.h"
#include "core/project.h"
#include "core/tables.h"
#include "engine/calculate.h"
#include "engine/search.h"
#include "engine/searchtext.h"
#include "engine/session.h"
#include "files/projectfile.h"
#include "profiles/profiles.h"
#include "testsupport.h"

namespace {

using namespace kelvor;

struct Started {
    Project p;
    Tables tables;
    Started() {
        StartupEnvironment env;
        env.dataFolder = KELVOR_SOURCE_DATA_DIR;
        StartUp(p, tables, env);
    }
};

SearchRange RangeOf(const std::string& cell) {
    SearchRange r;
    std::sscanf(cell.c_str(), "%lf:%lf:%lf", &r.min, &r.max, &r.step);
    return r;
}

SearchSpace SpaceOf(const testdata::Row& row) {
    SearchSpace s;
    s.thickness = RangeOf(row[2]);
    s.stiffenerTables = 0;
    const std::pair<const char*, unsigned> names[] = {
        {"b", kSearchBulb}, {"f", kSearchFlat}, {"a", kSearchAngle}, {"t", kSearchTee}};
    for (const auto& [name, bit] : names) {
        if (("," + row[3] + ",").find(std::string(",") + name + ",") != std::string::npos) {
            s.stiffenerTables |= bit;
        }
    }
    s.projectStiffener = ("," + row[3] + ",").find(",p,") != std::string::npos;
    s.girdersFromTable = row[4] == "table";
    if (row[5] != "-") {
        s.spacing = RangeOf(row[5]);
    }
    s.allGrades = row[6] == "all";
    return s;
}

// Every candidate by hand, in the documented order, through the normal Calculate.
std::vector<CandidateResult> BruteForce(const Project& start, const Tables& tables,
                                        const SearchSpace& s, int mode, double limit) {
    struct Choice {
        int family;
        int Project::*row;
        const ProfileTable* table;
        unsigned bit;
    };
    const Choice families[] = {{6, &Project::BfTableRow, &tables.BfTable, kSearchBulb},
                               {4, &Project::FbTableRow, &tables.FbTable, kSearchFlat},
                               {0, &Project::LTableRow, &tables.LTable, kSearchAngle},
                               {2, &Project::TTableRow, &tables.TTable, kSearchTee}};
    std::vector<std::pair<const Choice*, int>> stiffeners;
    for (const Choice& c : families) {
        for (int row = 0; (s.stiffenerTables & c.bit) && row <= c.table->LastRow(); ++row) {
            stiffeners.push_back({&c, row});
        }
    }
    if (s.projectStiffener) {
        stiffeners.push_back({nullptr, -1});
    }
    const int girders = s.girdersFromTable ? tables.TTable.LastRow() + 1 : 1;
    const int grades = s.allGrades ? tables.MaterialLastRow() : 1;
    const int spacings = s.spacing ? s.spacing->Count() : 1;
    std::vector<CandidateResult> all;
    for (const auto& [choice, row] : stiffeners) {
        for (int g = 0; g < girders; ++g) {
            for (int grade = 0; grade < grades; ++grade) {
                for (int sp = 0; sp < spacings; ++sp) {
                    for (int k = 0; k < s.thickness.Count(); ++k) {
                        Project p = start;
                        if (choice) {
                            p.StiffProfileType = choice->family;
                            p.*choice->row = row;
                        }
                        if (s.girdersFromTable) {
                            const ProfileRow& r = tables.TTable.rows[static_cast<std::size_t>(g)];
                            p.GirderProfileType = 3;
                            p.GirderTBuiltH = r[0];
                            p.GirderTBuiltB = r[1];
                            p.GirderTBuiltTw = r[2];
                            p.GirderTBuiltTf = r[3];
                        }
                        if (s.allGrades) {
                            p.PlateMaterialIndex = p.StiffMaterialIndex = grade;
                        }
                        if (s.spacing) {
                            p.s1 = p.s2 = static_cast<float>(s.spacing->At(sp));
                        }
                        p.t = static_cast<float>(s.thickness.At(k));
                        ApplyProfilesAndMaterials(p, tables);
                        p.AnalysisMode = mode;
                        Calculate(p, tables);
                        const Verdict v = Judge(p, mode, limit);
                        CandidateResult r;
                        r.candidate.index = all.size();
                        r.candidate.t = p.t;
                        r.completed = v.completed;
                        r.passes = v.passes;
                        r.highest = v.highest;
                        r.governing = v.governing < 0 ? -1 : static_cast<int>(v.rows[v.governing].check);
                        r.mass = 7.85 * (p.t + p.StiffArea / p.sMean + p.GirderArea / p.LMean);
                        r.stiffener = p.StiffDesignation;
                        r.girder = p.GirderDesignation;
                        r.grade = tables.Materials[static_cast<std::size_t>(p.PlateMaterialIndex)].MatName;
                        r.s1 = p.s1;
                        r.s2 = p.s2;
                        all.push_back(r);
                    }
                }
            }
        }
    }
    return all;
}

// Everything an answer shows of a candidate, with its place in the order.
std::string Shown(const CandidateResult& r) {
    std::string s = std::to_string(r.candidate.index) + " " + testdata::Shortest(r.mass) + " " +
                    testdata::Shortest(r.highest) + (r.passes ? " pass" : " fail");
    for (const std::string& cell : SearchCells(r, '.')) {
        s += " | " + cell;
    }
    return s;
}

std::vector<std::string> Shown(const std::vector<CandidateResult>& v) {
    std::vector<std::string> s;
    for (const CandidateResult& r : v) {
        s.push_back(Shown(r));
    }
    return s;
}

bool Lighter(const CandidateResult& a, const CandidateResult& b) {
    return a.mass < b.mass || (a.mass == b.mass && a.candidate.index < b.candidate.index);
}

// On the front: no passing candidate is at most as utilised and at most as heavy, unless it is
// this one's exact twin later in the order.
std::vector<CandidateResult> FrontOf(const std::vector<CandidateResult>& passing) {
    std::vector<CandidateResult> front;
    for (const CandidateResult& r : passing) {
        const bool beaten = std::any_of(passing.begin(), passing.end(), [&r](const auto& o) {
            const bool asGood = o.highest <= r.highest && o.mass <= r.mass;
            const bool twin = o.highest == r.highest && o.mass == r.mass;
            return asGood && (!twin || o.candidate.index < r.candidate.index);
        });
        if (!beaten) {
            front.push_back(r);
        }
    }
    std::sort(front.begin(), front.end(),
              [](const auto& a, const auto& b) { return a.highest < b.highest; });
    return front;
}

TEST(Search, FindsWhatBruteForceFinds) {
    Started s;
    for (const testdata::Row& row : testdata::ReadTable("search/cases.tsv")) {
        SCOPED_TRACE(row.where + " " + row[0]);
        Project p = s.p;
        testdata::SetFields(p, row[1]);
        ApplyProfilesAndMaterials(p, s.tables);
        const SearchSpace space = SpaceOf(row);
        SearchOptions options;
        options.mode = row.Int(7);
        options.limit = row.Number(8);
        options.top = row.Int(9);
        ASSERT_EQ(CheckSearchSpace(space, options), "");

        const std::vector<CandidateResult> all =
            BruteForce(p, s.tables, space, options.mode, options.limit);
        std::vector<CandidateResult> passing;
        std::copy_if(all.begin(), all.end(), std::back_inserter(passing),
                     [](const auto& r) { return r.passes; });
        std::vector<CandidateResult> best = passing;
        std::sort(best.begin(), best.end(), Lighter);
        best.resize(std::min(best.size(), static_cast<std::size_t>(options.top)));
        std::vector<CandidateResult> completed;
        std::copy_if(all.begin(), all.end(), std::back_inserter(completed),
                     [](const auto& r) { return r.completed; });
        const auto closest = std::min_element(completed.begin(), completed.end(), [](auto& a, auto& b) {
            return a.highest < b.highest || (a.highest == b.highest && Lighter(a, b));
        });

        std::vector<std::string> answers;
        for (int threads : {1, 2}) {
            options.threads = threads;
            const SearchResult r = Search(p, s.tables, space, options);
            EXPECT_EQ(r.total, all.size());
            EXPECT_EQ(r.evaluated, all.size());
            EXPECT_EQ(r.completed, completed.size());
            EXPECT_EQ(r.passing, passing.size());
            EXPECT_FALSE(r.cancelled);
            EXPECT_EQ(Shown(r.best), Shown(best));
            EXPECT_EQ(Shown(r.front), Shown(FrontOf(passing)));
            ASSERT_EQ(r.closest.has_value(), closest != completed.end());
            if (r.closest) {
                EXPECT_EQ(Shown(*r.closest), Shown(*closest));
            }
            std::string answer;
            for (const SearchPoint& point : r.points) {
                answer += testdata::Shortest(point.utilisation) + "," + testdata::Shortest(point.mass);
            }
            answers.push_back(answer + "\n" + ::testing::PrintToString(Shown(r.front)));
            if (row[10] == "none") {
                EXPECT_TRUE(r.best.empty());
            } else if (row[10] != "*") {
                ASSERT_FALSE(r.best.empty());
                const CandidateResult& b = r.best.front();
                EXPECT_EQ(testdata::Shortest(b.candidate.t) + "|" + b.stiffener + "|" + b.girder +
                              "|" + b.grade,
                          row[10]);
                EXPECT_EQ(testdata::Compare(testdata::Shortest(b.mass), row[11]), "");
            }
        }
        EXPECT_EQ(answers[0], answers[1]) << "one thread and two differ";
    }
}

// A flag set before the start stops the search at once; one set while it runs ends it early,
// with what was found so far and the flag in the answer.
TEST(Search, StopsWhenCancelled) {
    Started s;
    SearchSpace space;
    space.spacing = SearchRange{400, 900, 1};
    space.allGrades = true;
    SearchOptions options;
    std::atomic<bool> cancel{true};
    SearchResult r = Search(s.p, s.tables, space, options, {}, &cancel);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.evaluated, 0u);
    EXPECT_GT(r.total, 10000000u);

    cancel = false;
    std::uint64_t reported = 0;
    std::thread canceller([&cancel] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        cancel = true;
    });
    const auto start = std::chrono::steady_clock::now();
    r = Search(s.p, s.tables, space, options,
               [&reported](std::uint64_t done, std::uint64_t) { reported = done; }, &cancel);
    const auto took = std::chrono::steady_clock::now() - start;
    canceller.join();
    EXPECT_TRUE(r.cancelled);
    EXPECT_GT(r.evaluated, 0u);
    EXPECT_LT(r.evaluated, r.total);
    EXPECT_EQ(reported, r.evaluated) << "the last report is the end";
    // The whole space would take minutes.
    EXPECT_LT(took, std::chrono::seconds(5));
}

// Ranges that would make no search, each refused in words.
TEST(Search, RefusesAnUnsoundSpace) {
    for (const testdata::Row& row : testdata::ReadTable("search/refused.tsv")) {
        SCOPED_TRACE(row.where);
        SearchSpace space;
        space.thickness = RangeOf(row[0]);
        if (row[1] != "-") {
            space.spacing = RangeOf(row[1]);
        }
        space.stiffenerTables = static_cast<unsigned>(row.Int(2));
        SearchOptions options;
        options.mode = row.Int(3);
        options.limit = row.Number(4);
        options.top = row.Int(5);
        EXPECT_EQ(CheckSearchSpace(space, options), row[6]);
    }
}

using SearchCliTest = testsupport::TempDirTest;

// The best panel written with -o is a project that passes when calculated again.
// Mode 3 with a girder web thick enough for the rule (tmin/tw 1.1 at 10 mm).
TEST_F(SearchCliTest, WrittenBestPasses) {
    {
        Started s;
        s.p.GirderTBuiltTw = 12;
        ApplyProfilesAndMaterials(s.p, s.tables);
        std::string path = Path("p.kelvo");
        ASSERT_TRUE(WriteProjectFile(s.p, path).ok);
    }
    for (const char* mode : {"1", "3"}) {
        SCOPED_TRACE(std::string("mode ") + mode);
        const testsupport::CliRun run =
            Cli("search " + testsupport::Quoted(Path("p.kelvo")) + " --mode " + mode +
                " --stiffeners angle,flat --thickness 10:14:1 -o " +
                testsupport::Quoted(Path("best.kelvo")));
        ASSERT_EQ(run.status, 0) << run.err;
        Started s;
        ASSERT_EQ(OpenProject(s.p, s.tables, Path("best.kelvo")), "");
        s.p.AnalysisMode = mode[0] - '0';
        Calculate(s.p, s.tables);
        EXPECT_TRUE(Passes(s.p, s.p.AnalysisMode));
        for (const ResultListRow& r : s.p.Result.rows) {
            EXPECT_NE(r.colour, kRed) << r.text;
            EXPECT_NE(r.colour, kPureRed) << r.text;
        }
        const testsupport::CliRun calc = Cli("calc " + testsupport::Quoted(Path("best.kelvo")) + " --mode " + mode);
        EXPECT_EQ(calc.status, 0) << calc.err;
    }
}

}  // namespace
