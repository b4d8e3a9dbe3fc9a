// The verdict of a run (engine/verdict.h) read from the numbers alone: after Evaluate it must be
// the verdict after Calculate, and its failing rows must be the red rows of the result list.
// Cases and the projects and random panels they are checked over are rows of
// tests/data/verdict/cases.tsv:
//   CASE  base      startup | FILE               the project (FILE under tests/data)
//         set       FIELD VALUE | F1=V1;F2=V2      inputs set by hand
//         judge     MODE  LIMIT                    Evaluate, then Judge (LIMIT "highest": the
//                                                  largest utilisation itself; "below highest":
//                                                  the next double below it)
//         expect    passes | completed | highest | governing | failure | rows   VALUE
//         projects  DIR                            every project under tests/data/DIR that opens
//         random    SEED  COUNT                    random panels of every family
// Every judge, project and panel is also run through Calculate and compared.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/project.h"
#include "engine/calculate.h"
#include "engine/session.h"
#include "engine/verdict.h"
#include "profiles/catalogue.h"
#include "randompanel.h"
#include "testsupport.h"

namespace kelvor {
namespace {

std::string RowsText(const Verdict& v) {
    std::string out;
    for (const FactorRow& r : v.rows) {
        char value[32];
        std::snprintf(value, sizeof value, "%.2f", r.value);
        out += std::string(out.empty() ? "" : "; ") + CheckName(r.check) + " " +
               (r.checked ? value : "n/a") + (r.passes ? "" : " fails");
    }
    return out;
}

std::string VerdictText(const Verdict& v) {
    char highest[32];
    std::snprintf(highest, sizeof highest, "%.17g", v.highest);
    return std::string(v.completed ? "completed" : "stopped") + (v.passes ? " passes" : " fails") +
           " highest " + highest + " governing " + std::to_string(v.governing) + " failure '" +
           v.failure + "' rows " + RowsText(v);
}

// Evaluate and Calculate agree on the verdict, and the list Calculate fills shows it: one line
// row per verdict row in order (the deformation row aside), red where the row fails at 1.0,
// and a pure red row exactly when there is a failure.
Verdict JudgedAlike(const Project& p, const Tables& tables, int mode, double limit) {
    Project evaluated = p;
    Evaluate(evaluated, tables);
    const Verdict v = Judge(evaluated, mode, limit);
    EXPECT_EQ(Passes(evaluated, mode, limit), v.passes);

    Project calculated = p;
    calculated.AnalysisMode = mode;
    Calculate(calculated, tables);
    EXPECT_EQ(VerdictText(Judge(calculated, mode, limit)), VerdictText(v));

    const Verdict atOne = Judge(calculated, mode, 1.0);
    std::size_t k = 0;
    bool pureRed = false;
    for (const ResultListRow& row : calculated.Result.rows) {
        pureRed = pureRed || row.colour == kPureRed;
        if (!row.valueBold || row.text.rfind("Deformation y", 0) == 0) {
            continue;
        }
        if (k >= atOne.rows.size()) {
            ADD_FAILURE() << "list row without a verdict row: " << row.text;
            break;
        }
        EXPECT_EQ(row.valueColour == PaletteColour(kRed), !atOne.rows[k].passes)
            << row.text << " / " << CheckName(atOne.rows[k].check);
        ++k;
    }
    EXPECT_EQ(k, atOne.rows.size()) << RowsText(atOne);
    EXPECT_EQ(pureRed, !atOne.failure.empty()) << atOne.failure;
    return v;
}

void JudgedAlikeInEveryMode(const Project& p, const Tables& tables) {
    for (int mode = 1; mode <= 3; ++mode) {
        for (double limit : {1.0, 0.9}) {
            SCOPED_TRACE("mode " + std::to_string(mode) + ", limit " + std::to_string(limit));
            JudgedAlike(p, tables, mode, limit);
        }
    }
}

class VerdictCases : public ::testing::Test {
protected:
    void SetUp() override {
        StartupEnvironment env;
        env.dataFolder = KELVOR_SOURCE_DATA_DIR;
        ASSERT_TRUE(StartUp(started_, tables_, env).empty());
    }

    void Projects(const std::string& dir) {
        int opened = 0;
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(testdata::DataPath(dir))) {
            if (entry.path().extension() != ".kelvo") {
                continue;
            }
            Project p = started_;
            if (!OpenProject(p, tables_, entry.path().string()).empty()) {
                continue;
            }
            SCOPED_TRACE(entry.path().string());
            JudgedAlikeInEveryMode(p, tables_);
            ++opened;
        }
        EXPECT_GT(opened, 0) << dir;
    }

    // Each panel is judged twice: on its own, and on the record of a panel calculated before
    // it with other inputs, whose texts Evaluate leaves standing.
    void RandomPanels(unsigned seed, int count) {
        testsupport::Random random(seed);
        for (int k = 0; k < count; ++k) {
            const int family = k % kFamilyCount;
            SCOPED_TRACE("panel " + std::to_string(k) + ", family " + std::to_string(family));
            Project p = testsupport::RandomProject(random, started_, tables_, family);
            JudgedAlikeInEveryMode(p, tables_);
            Calculate(p, tables_);
            testsupport::DrawInputs(random, p, "limits", 4);
            JudgedAlikeInEveryMode(p, tables_);
        }
    }

    Project started_;
    Tables tables_;
};

TEST_F(VerdictCases, EvaluateJudgesAsCalculateAndTheListShowsIt) {
    for (const auto& rows :
         testdata::GroupByFirstCell(testdata::ReadTable("verdict/cases.tsv"))) {
        Project p = started_;
        Verdict v;
        for (const testdata::Row& r : rows) {
            SCOPED_TRACE(r.where + " (" + rows.front()[0] + ")");
            const std::string& verb = r[1];
            if (verb == "base") {
                p = started_;
                if (r[2] != "startup") {
                    ASSERT_EQ(OpenProject(p, tables_, testdata::DataPath(r[2])), "");
                }
            } else if (verb == "set") {
                if (r[2].find('=') != std::string::npos) {
                    testdata::SetFields(p, r[2]);
                } else {
                    testdata::SetField(p, r[2], r[3]);
                }
                ApplyProfilesAndMaterials(p, tables_);
            } else if (verb == "judge") {
                const int mode = std::stoi(r[2]);
                double limit = 1.0;
                if (r[3].find("highest") != std::string::npos) {
                    limit = JudgedAlike(p, tables_, mode, 1.0).highest;
                    if (r[3] == "below highest") {
                        limit = std::nextafter(limit, 0.0);
                    }
                } else {
                    limit = std::stod(r[3]);
                }
                v = JudgedAlike(p, tables_, mode, limit);
            } else if (verb == "expect") {
                const std::string& what = r[2];
                const std::string actual =
                    what == "passes"      ? (v.passes ? "true" : "false")
                    : what == "completed" ? (v.completed ? "true" : "false")
                    : what == "failure"   ? v.failure
                    : what == "rows"      ? RowsText(v)
                    : what == "governing" ? (v.governing < 0 ? "none"
                                                             : CheckName(v.rows[v.governing].check))
                    : what == "highest"   ? testdata::Shortest(v.highest)
                                          : "(no " + what + ")";
                EXPECT_EQ(testdata::Compare(actual, r[3]), "") << what;
            } else if (verb == "projects") {
                Projects(r[2]);
            } else if (verb == "random") {
                RandomPanels(static_cast<unsigned>(std::stoul(r[2])), std::stoi(r[3]));
            } else {
                ADD_FAILURE() << "unknown verb " << verb;
            }
        }
    }
}

}  // namespace
}  // namespace kelvor
