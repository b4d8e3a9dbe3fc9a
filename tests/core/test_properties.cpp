// Properties over many random projects and panels: what a user saves opens again as the same
// project with the same results, a panel checked in a batch gives what the same panel gives
// as a project, and no input the window accepts turns into a non-finite number unnoticed.
// Inputs are drawn as a user types them (tests/data/properties/draws.tsv); projects are compared
// whole, field by field of the record's field table.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "engine/calculate.h"
#include "core/numformat.h"
#include "engine/session.h"
#include "core/tables.h"
#include "engine/batchrun.h"
#include "files/projectfile.h"
#include "profiles/catalogue.h"
#include "randompanel.h"
#include "recordsnapshot.h"
#include "testsupport.h"

namespace kelvor {
namespace {

using testsupport::DrawInputs;
using testsupport::kBuiltUp;
using testsupport::Random;
using testsupport::RandomPanel;

// How a run ended, and each row of its result list with texts and colours.
std::string Rows(const Project& p) {
    std::string out = (p.CalcFailure ? p.CalcFailure->Text() : "no failure") + "\n";
    for (const ResultListRow& row : p.Result.rows) {
        out += row.text + '|' + row.value + '|' + row.reference + '|' + std::to_string(row.bold) +
               '|' + std::to_string(row.colour) + '|' + std::to_string(row.valueColour) + '\n';
    }
    return out;
}

// The whole record after a run, and its rows.
std::string Results(const Project& p, std::initializer_list<std::string_view> skip,
                    bool jsonOnly = false) {
    return testsupport::RecordSnapshot(p, skip, jsonOnly) + Rows(p);
}

std::string Dimensions(const std::string& prefix) {
    return prefix + "H " + prefix + "B " + prefix + "Tw " + prefix + "Tf";
}

class PropertiesTest : public testsupport::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        StartupEnvironment env;
        env.dataFolder = KELVOR_SOURCE_DATA_DIR;
        ASSERT_TRUE(StartUp(started_, tables_, env).empty());
    }

    Project RandomProject(Random& random, int family) const {
        return testsupport::RandomProject(random, started_, tables_, family);
    }

    // Written to a project file and opened again, as calculated on opening.
    Project Reopened(Project& p) const {
        std::string path = Path("p.kelvo");
        EXPECT_TRUE(WriteProjectFile(p, path).ok);
        Project opened = started_;
        EXPECT_EQ(OpenProject(opened, tables_, path), "");
        opened.AnalysisMode = p.AnalysisMode;
        Calculate(opened, tables_);
        return opened;
    }

    Project started_;
    Tables tables_;
};

TEST_F(PropertiesTest, SavedProjectsOpenWithTheSameInputsAndResults) {
    Random random(20240611);
    for (int k = 0; k < 1000; ++k) {
        const int family = k % kFamilyCount;
        SCOPED_TRACE("project " + std::to_string(k) + ", family " + std::to_string(family));
        Project saved = RandomProject(random, family);
        Calculate(saved, tables_);
        // The file does not hold its own name.
        ASSERT_EQ(Results(Reopened(saved), {"ProjectFile"}), Results(saved, {"ProjectFile"}));
    }
}

TEST_F(PropertiesTest, PanelsOfABatchGiveTheResultsOfTheSameProjects) {
    Random random(7);
    const std::pair<const char*, int> stiffeners[] = {{"LR", 0}, {"LW", 1}, {"TG", 3},
                                                      {"FB", 5}, {"BF", 6}, {"IG", 9}};
    // Fields as a user writes them in a panel line, those the family has.
    const auto written = [](const Project& p, const std::string& names, const char* gap) {
        std::string line, name;
        for (std::istringstream in(names); in >> name;) {
            if (const RecordField* f = FindRecordField(name)) {
                const std::string text = testdata::FieldText(p, name);
                line += (line.empty() ? "" : gap) +
                        (f->member.index() == 0 ? GeneralFormat(std::stof(text), '.') : text);
            }
        }
        return line;
    };
    // Panels of every batch family in one file, so a panel can't borrow from the one before.
    std::vector<Project> panels;
    std::string file = "% random panels\r\n";
    for (int k = 0; k < 300; ++k) {
        const auto [code, family] = stiffeners[k % 6];
        Project p = started_;
        RandomPanel(random, p, family);
        p.ProjectName = "Panel set";
        p.Identification = "P" + std::to_string(k);
        std::string dimensions = written(p, Dimensions(kBuiltUp[family]), "x");
        if (family == 0 || family == 6) {
            const ProfileTable& table = family == 0 ? tables_.LTable : tables_.BfTable;
            const ProfileRow& row =
                table.rows[static_cast<std::size_t>(random.Int(0, table.LastRow()))];
            dimensions.clear();
            for (std::size_t c = 0; c < (family == 0 ? 4u : 2u); ++c) {
                dimensions += (c ? "x" : "") + GeneralFormat(row[c], '.');
            }
        }
        const bool lGirder = p.GirderProfileType == 1;
        file += written(p, "ProjectName Identification LoadingCondition FS UFallow Fyp Fup Fys "
                           "Fus E CFactorTab UnitLength CFactorOption", "\t") +
                "\t" + code + "\t" + dimensions + (lGirder ? "\tLG\t" : "\tTG\t") +
                written(p, Dimensions(lGirder ? "GirderLBuilt" : "GirderTBuilt"), "x") + "\t" +
                written(p, "L1 L2 Lg Lgs Lt t s1 s2 SigxA SigxB SigyA SigyC Tau p ps", "\t") +
                "\r\n";
        panels.push_back(p);
    }
    testsupport::WriteBytes(Path("panels.kvi"), file + "End\r\n");
    const BatchReadResult read = ReadBatchFile(Path("panels.kvi"), tables_, 0);
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(read.table.entries.size(), panels.size() + 1);

    Project batch = started_;
    batch.AnalysisMode = 3;
    std::string serial = BatchHeaderLine() + "\r\n% random panels\r\n";
    for (std::size_t k = 0; k < panels.size(); ++k) {
        SCOPED_TRACE("panel " + std::to_string(k));
        const BatchEntry& entry = read.table.entries[k + 1];
        RunBatchRecord(batch, tables_, read.table, static_cast<int>(k + 1));
        // The same panel as a user would enter it: the material typed by hand, the profile
        // chosen in its dialog, then saved and opened.
        Project q = panels[k];
        q.PlateMaterialIndex = q.StiffMaterialIndex = tables_.MaterialLastRow();
        if (entry.StiffFamily == 0 || entry.StiffFamily == 6) {
            (entry.StiffFamily == 0 ? q.LTableRow : q.BfTableRow) = entry.StiffRow;
        }
        ApplyProfilesAndMaterials(q, tables_);
        q.AnalysisMode = batch.AnalysisMode;
        const Project opened = Reopened(q);
        EXPECT_EQ(BatchResultLine(opened, entry, '.'), BatchResultLine(batch, entry, '.'));
        // The record but what a batch keeps from the panel before (the rows of the tables and
        // the bulb and root dimensions of a family that does not use them) and a flat bar's flange, which a
        // project keeps from the profile before and a batch zeroes; the results do not read them.
        const bool flat = entry.StiffFamily == 5;
        const std::initializer_list<std::string_view> skip = {
            "ProjectFile", "BfTableRow", "LTableRow", "TTableRow", "FbTableRow", "StiffR", "StiffC",
            flat ? "StiffB" : "", flat ? "StiffTf" : ""};
        // A stopped run leaves what it did not reach as the panel before left it.
        ASSERT_EQ(batch.CalcFailure ? Rows(opened) : Results(opened, skip, true),
                  batch.CalcFailure ? Rows(batch) : Results(batch, skip, true));
        serial += BatchResultLine(batch, entry, '.') + "\r\n";
    }
    // The file, as one record ran the panels in turn with their texts, comes out the same
    // byte for byte from the numbers alone on any number of workers.
    for (const int threads : {1, 2, 5}) {
        Project p = started_;
        p.AnalysisMode = 3;
        ASSERT_TRUE(WriteBatchResults(p, tables_, read.table, Path("panels.kvo"), '.', nullptr,
                                      threads).ok);
        EXPECT_EQ(testsupport::ReadBytes(Path("panels.kvo")), serial) << threads << " workers";
    }
}

// Anywhere within the window's limits, not only where panels are plausible: a run either stops
// with a failure that names its cause, or every number of the record is finite and no text
// shows "NaN" or "Inf".
TEST_F(PropertiesTest, NoInputWithinTheLimitsGivesANonFiniteNumberSilently) {
    Random random(99);
    int failed = 0;
    for (int k = 0; k < 5000; ++k) {
        const int family = k % kFamilyCount;
        SCOPED_TRACE("run " + std::to_string(k) + ", family " + std::to_string(family));
        Project p = RandomProject(random, family);
        DrawInputs(random, p, "limits", 4);
        p.PlateMaterialIndex = p.StiffMaterialIndex = tables_.MaterialLastRow();  // as typed
        ApplyProfilesAndMaterials(p, tables_);
        Calculate(p, tables_);
        if (p.CalcFailure) {
            ++failed;
            continue;
        }
        // Numbers print as "nan" and "inf", texts as "NaN" and "Inf".
        const std::string results = Results(p, {});
        for (const char* bad : {"=nan", "=-nan", "=inf", "=-inf", ",nan", ",-nan", ",inf", ",-inf",
                                "NaN", "Inf"}) {
            ASSERT_EQ(results.find(bad), std::string::npos) << results;
        }
    }
    RecordProperty("stopped runs", failed);
    // Both outcomes must have been tried for the property to mean anything.
    EXPECT_GT(failed, 0);
    EXPECT_LT(failed, 5000);
}

}  // namespace
}  // namespace kelvor
