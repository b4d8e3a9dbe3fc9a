// Properties over many random projects and panels: what a user saves opens again as the same
// project with the same results, a panel checked in a batch gives what the same panel gives
// as a project, and no input the window accepts turns into a non-finite factor unnoticed.
// Inputs are drawn as a user types them: decimals of a few digits within the window's limits.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/calculate.h"
#include "core/numformat.h"
#include "core/project.h"
#include "core/session.h"
#include "core/tables.h"
#include "files/batchfile.h"
#include "files/projectfile.h"
#include "files/tableloaders.h"
#include "profiles/catalogue.h"
#include "testsupport.h"

namespace kelvor {
namespace {

namespace fs = std::filesystem;

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine_); }

    // A value typed with `decimals` places, as the window stores it.
    float Typed(double lo, double hi, int decimals) {
        const double scale = std::pow(10.0, decimals);
        const double steps = std::uniform_real_distribution<double>(lo, hi)(engine_) * scale;
        return static_cast<float>(std::round(steps) / scale);
    }

    // Printable text without the double quote, which the project file writes as a single one.
    std::string Text(int longest) {
        std::string text(static_cast<std::size_t>(Int(0, longest)), ' ');
        for (char& c : text) {
            c = static_cast<char>(Int(' ', '~'));
            c = c == '"' ? '\'' : c;
        }
        return text;
    }

private:
    std::mt19937 engine_;
};

// Every field the project file holds, and the built-up inputs a read fills from them. The file
// writes -0 (typed as "-0") as 0; the results must not mind.
std::string Inputs(const Project& p) { return testsupport::InputSnapshot(p, false); }

// The numbers a run leaves, the factors first.
std::vector<double> Factors(const Project& p) {
    return {p.UFpb,     p.UFpu,      p.UFpl,      p.UFpb2,    p.UFpu2,     p.UFpl2,
            p.UFbu,     p.UFbt,      p.Deformation, p.UFs,    p.UFgbu,     p.UFy,
            p.UFt,      p.UFyp,      p.UFys,      p.UFsm,     p.UFgm,      p.c,
            p.cg,       p.Cx1,       p.Cy1,       p.Cx2,      p.Cy2,       p.Siga,
            p.SigmaE,   p.SigmaC,    p.SigET,     p.SigmaCT,  p.io,        p.OverallKx,
            p.OverallKy, p.SigmaCx,  p.SigmaCy,   p.GirderDepthRatio, p.GirderWebRatio,
            p.se,       p.be,        p.StiffArea, p.Ie,       p.Wep,       p.Wes,
            p.GirderIe, p.GirderWp,  p.GirderWs};
}

// Every result of a run: the numbers and each row of the list with its texts and colours.
std::string Results(const Project& p) {
    std::ostringstream out;
    out << std::hexfloat;
    for (double v : Factors(p)) {
        out << v << ' ';
    }
    out << '\n' << (p.CalcFailure ? p.CalcFailure->Text() : "no failure") << '\n';
    for (const ResultListRow& row : p.Result.rows) {
        out << row.text << '|' << row.value << '|' << row.reference << '|' << row.bold << '|'
            << row.colour << '|' << row.valueColour << '\n';
    }
    return out.str();
}

// A row the file reader maps to itself. The reader finds an L row by H, B and tw alone and takes
// the last match, so of two rows that differ only in tf (250x90x12 with tf 12 and 16 in the
// shipped table) the first opens as the second.
int SelfResolvingRow(Random& random, const ProfileTable& table, std::size_t comparedColumns) {
    for (;;) {
        const auto row = static_cast<std::size_t>(random.Int(0, table.LastRow()));
        std::size_t last = row;
        for (std::size_t r = row + 1; r < table.rows.size(); ++r) {
            bool same = true;
            for (std::size_t c = 0; c < comparedColumns; ++c) {
                same = same && table.rows[r][c] == table.rows[row][c];
            }
            last = same ? r : last;
        }
        if (last == row) {
            return static_cast<int>(row);
        }
    }
}

// The built-up inputs of a family, as its dialog takes them; table families take none.
void SetBuiltUp(Project& p, int family, float H, float B, float tw, float tf) {
    float* const fields[10][4] = {{},
                                  {&p.LBuiltH, &p.LBuiltB, &p.LBuiltTw, &p.LBuiltTf},
                                  {},
                                  {&p.TBuiltH, &p.TBuiltB, &p.TBuiltTw, &p.TBuiltTf},
                                  {},
                                  {&p.FbBuiltH, nullptr, &p.FbBuiltTw, nullptr},
                                  {},
                                  {&p.RhsBuiltH, &p.RhsBuiltB, &p.RhsBuiltTw, nullptr},
                                  {&p.TrapBuiltH, &p.TrapBuiltB, &p.TrapBuiltTw, nullptr},
                                  {&p.IBuiltH, &p.IBuiltB, &p.IBuiltTw, &p.IBuiltTf}};
    const float values[] = {H, B, tw, tf};
    for (int k = 0; k < 4; ++k) {
        if (float* field = fields[family][k]) {
            *field = values[k];
        }
    }
}

class PropertiesTest : public testsupport::TempDirTest {
protected:
    struct Draw {
        float Project::*field;
        double lo, hi;
        int decimals;
    };

    void SetUp() override {
        TempDirTest::SetUp();
        StartupEnvironment env;
        env.dataFolder = KELVOR_SOURCE_DATA_DIR;
        ASSERT_TRUE(StartUp(started_, tables_, env).empty());
    }

    // The strengths, spans, stresses and girder of a plausible panel, within the window's limits.
    void RandomPanel(Random& random, Project& p) const {
        p.LoadingCondition = random.Int(0, 2);
        p.CFactorTab = random.Int(0, 2);
        p.CFactorOption = random.Int(0, 1);
        // Ultimate strengths are drawn as their margin over yield, E in GPa.
        const Draw draws[] = {
            {&Project::UnitLength, 5, 600, 0}, {&Project::FS, 0.6, 2, 2},
            {&Project::UFallow, 0.6, 2, 2},    {&Project::Fyp, 235, 460, 0},
            {&Project::Fup, 80, 200, 0},       {&Project::Fys, 235, 460, 0},
            {&Project::Fus, 80, 200, 0},       {&Project::E, 190, 215, 0},
            {&Project::t, 6, 30, 1},           {&Project::s1, 400, 900, 0},
            {&Project::s2, 400, 900, 0},       {&Project::L1, 1500, 5000, 0},
            {&Project::L2, 1500, 5000, 0},     {&Project::Lg, 4000, 12000, 0},
            {&Project::Lgs, 2000, 8000, 0},    {&Project::Lt, 1000, 4000, 0},
            {&Project::SigxA, -250, 50, 1},    {&Project::SigxB, -250, 50, 1},
            {&Project::SigyA, -100, 30, 1},    {&Project::SigyC, -100, 30, 1},
            {&Project::Tau, 0, 80, 1},         {&Project::p, -0.3, 0.3, 3},
            {&Project::ps, -0.3, 0.3, 3}};
        for (const Draw& d : draws) {
            p.*d.field = random.Typed(d.lo, d.hi, d.decimals);
        }
        p.Fup += p.Fyp;
        p.Fus += p.Fys;
        p.E *= 1000;
        p.GirderProfileType = random.Int(0, 1) == 0 ? 1 : 3;
        const float girder[] = {random.Typed(400, 1200, 0), random.Typed(150, 400, 0),
                                random.Typed(8, 20, 1), random.Typed(12, 40, 1)};
        float* const inputs[2][4] = {
            {&p.GirderLBuiltH, &p.GirderLBuiltB, &p.GirderLBuiltTw, &p.GirderLBuiltTf},
            {&p.GirderTBuiltH, &p.GirderTBuiltB, &p.GirderTBuiltTw, &p.GirderTBuiltTf}};
        for (int k = 0; k < 4; ++k) {
            *inputs[p.GirderProfileType == 1 ? 0 : 1][k] = girder[k];
        }
    }

    // A random project of the family as the window holds it: inputs typed, a material row or
    // the material typed by hand, the profile and materials applied.
    Project RandomProject(Random& random, int family) const {
        Project p = started_;
        p.ProjectName = random.Text(60);
        p.Identification = random.Text(60);
        RandomPanel(random, p);
        p.PlateMaterialIndex = random.Int(0, tables_.MaterialLastRow());
        p.StiffMaterialIndex = random.Int(0, tables_.MaterialLastRow());
        p.StiffProfileType = family;
        const float H = random.Typed(120, 400, 0);
        const float B = random.Typed(60, 200, 0);
        const float tw = random.Typed(6, 20, 1);
        const float tf = random.Typed(8, 25, 1);
        switch (family) {
            case 0: p.LTableRow = SelfResolvingRow(random, tables_.LTable, 3); break;
            case 2: p.TTableRow = SelfResolvingRow(random, tables_.TTable, 4); break;
            case 4: p.FbTableRow = SelfResolvingRow(random, tables_.FbTable, 2); break;
            case 6: p.BfTableRow = SelfResolvingRow(random, tables_.BfTable, 2); break;
            case 8: p.TrapBuiltOffset = random.Typed(10, B / 2, 0); break;
        }
        SetBuiltUp(p, family, H, B, tw, tf);
        ApplyProfilesAndMaterials(p, tables_);
        p.AnalysisMode = 3;
        return p;
    }

    Project started_;
    Tables tables_;
};

TEST_F(PropertiesTest, SavedProjectsOpenWithTheSameInputsAndResults) {
    Random random(20240611);
    const std::string path = Path("p.kelvo");
    for (int k = 0; k < 1000; ++k) {
        const int family = k % kFamilyCount;
        SCOPED_TRACE("project " + std::to_string(k) + ", family " + std::to_string(family));
        Project saved = RandomProject(random, family);
        Calculate(saved, tables_);
        std::string written = path;
        ASSERT_TRUE(WriteProjectFile(saved, written).ok);

        Project opened = started_;
        ASSERT_TRUE(ReadProjectFile(opened, tables_, path).ok);
        // Derived dimensions are written with the 7 digits (15 for a double) of the format, one
        // or two short of reading back exactly: the stiffener's area, and a bulb flat's flange
        // of the equivalent angle. Opening recalculates them.
        EXPECT_NEAR(opened.StiffArea, saved.StiffArea, 1e-14 * saved.StiffArea);
        opened.StiffArea = saved.StiffArea;
        if (family == 6) {
            EXPECT_NEAR(opened.StiffB, saved.StiffB, 1e-6 * saved.StiffB);
            EXPECT_NEAR(opened.StiffTf, saved.StiffTf, 1e-6 * saved.StiffTf);
            opened.StiffB = saved.StiffB;
            opened.StiffTf = saved.StiffTf;
        }
        ASSERT_EQ(Inputs(opened), Inputs(saved));

        ApplyProfilesAndMaterials(opened, tables_);
        opened.AnalysisMode = saved.AnalysisMode;
        Calculate(opened, tables_);
        ASSERT_EQ(Results(opened), Results(saved));
    }
}

TEST_F(PropertiesTest, PanelsOfABatchGiveTheResultsOfTheSameProjects) {
    Random random(7);
    struct Stiffener {
        const char* code;
        int family;
    };
    const Stiffener stiffeners[] = {{"LR", 0}, {"LW", 1}, {"TG", 3}, {"FB", 5}, {"BF", 6},
                                    {"IG", 9}};
    const auto general = [](float v) { return GeneralFormat(v, '.'); };

    // Panels of every batch family in one file, so a panel can't borrow from the one before.
    std::vector<Project> panels;
    std::string file = "% random panels\r\n";
    for (int k = 0; k < 300; ++k) {
        const Stiffener& s = stiffeners[k % 6];
        Project p = started_;
        RandomPanel(random, p);
        p.ProjectName = "Panel set";
        p.Identification = "P" + std::to_string(k);
        p.StiffProfileType = s.family;
        std::string dimensions;
        if (s.family == 0 || s.family == 6) {
            const ProfileTable& table = s.family == 0 ? tables_.LTable : tables_.BfTable;
            const ProfileRow& row = table.rows[static_cast<std::size_t>(
                SelfResolvingRow(random, table, s.family == 0 ? 3 : 2))];
            dimensions = general(row[0]) + "x" + general(row[1]);
            if (s.family == 0) {
                dimensions += "x" + general(row[2]) + "x" + general(row[3]);
            }
        } else {
            const float H = random.Typed(120, 400, 0), B = random.Typed(60, 200, 0);
            const float tw = random.Typed(6, 20, 1), tf = random.Typed(8, 25, 1);
            dimensions = s.family == 5 ? general(H) + "x" + general(tw)
                                       : general(H) + "x" + general(B) + "x" + general(tw) +
                                             "x" + general(tf);
        }
        const bool lGirder = p.GirderProfileType == 1;
        const float girder[] = {lGirder ? p.GirderLBuiltH : p.GirderTBuiltH,
                                lGirder ? p.GirderLBuiltB : p.GirderTBuiltB,
                                lGirder ? p.GirderLBuiltTw : p.GirderTBuiltTw,
                                lGirder ? p.GirderLBuiltTf : p.GirderTBuiltTf};
        const std::string fields[] = {
            p.ProjectName, p.Identification, std::to_string(p.LoadingCondition), general(p.FS),
            general(p.UFallow), general(p.Fyp), general(p.Fup), general(p.Fys), general(p.Fus),
            general(p.E), std::to_string(p.CFactorTab), general(p.UnitLength),
            std::to_string(p.CFactorOption), s.code, dimensions, lGirder ? "LG" : "TG",
            general(girder[0]) + "x" + general(girder[1]) + "x" + general(girder[2]) + "x" +
                general(girder[3]),
            general(p.L1), general(p.L2), general(p.Lg), general(p.Lgs), general(p.Lt),
            general(p.t), general(p.s1), general(p.s2), general(p.SigxA), general(p.SigxB),
            general(p.SigyA), general(p.SigyC), general(p.Tau), general(p.p), general(p.ps)};
        for (const std::string& f : fields) {
            file += f + (&f == &fields[std::size(fields) - 1] ? "\r\n" : "\t");
        }
        panels.push_back(p);
    }
    const std::string input = Path("panels.kvi");
    std::ofstream(input, std::ios::binary) << file + "End\r\n";
    const BatchReadResult read = ReadBatchFile(input, tables_, 0);
    ASSERT_TRUE(read.ok) << read.message;
    ASSERT_EQ(read.table.entries.size(), panels.size() + 1);

    Project batch = started_;
    batch.AnalysisMode = 3;
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
        SetBuiltUp(q, entry.StiffFamily, entry.StiffH, entry.StiffB, entry.StiffTw,
                   entry.StiffTf);
        ApplyProfilesAndMaterials(q, tables_);
        std::string path = Path("panel.kelvo");
        ASSERT_TRUE(WriteProjectFile(q, path).ok);
        Project opened = started_;
        ASSERT_EQ(OpenProject(opened, tables_, path), "");
        opened.AnalysisMode = batch.AnalysisMode;
        Calculate(opened, tables_);

        EXPECT_EQ(BatchResultLine(opened, entry, '.'), BatchResultLine(batch, entry, '.'));
        ASSERT_EQ(Results(opened), Results(batch));
    }
}

// Anywhere within the window's limits, not only where panels are plausible: a run either stops
// with a failure that names its cause, or every number it leaves is finite and no text shows
// "NaN" or "Inf".
TEST_F(PropertiesTest, NoInputWithinTheLimitsGivesANonFiniteFactorSilently) {
    Random random(99);
    int failed = 0;
    for (int k = 0; k < 5000; ++k) {
        const int family = k % kFamilyCount;
        SCOPED_TRACE("run " + std::to_string(k) + ", family " + std::to_string(family));
        Project p = RandomProject(random, family);
        // A plausible panel with some of its inputs anywhere within the limits.
        const Draw draws[] = {
            {&Project::t, 0.1, 100, 1},         {&Project::L1, 50, 20000, 0},
            {&Project::L2, 50, 20000, 0},       {&Project::s1, 10, 5000, 0},
            {&Project::s2, 10, 5000, 0},        {&Project::Lg, 1000, 50000, 0},
            {&Project::Lgs, 1000, 50000, 0},    {&Project::Lt, 400, 20000, 0},
            {&Project::E, 1000, 500000, 0},     {&Project::Fyp, 50, 2000, 0},
            {&Project::Fup, 50, 2000, 0},       {&Project::Fys, 50, 2000, 0},
            {&Project::Fus, 50, 2000, 0},       {&Project::SigxA, -2000, 2000, 1},
            {&Project::SigxB, -2000, 2000, 1},  {&Project::SigyA, -2000, 2000, 1},
            {&Project::SigyC, -2000, 2000, 1},  {&Project::Tau, -500, 500, 1},
            {&Project::p, -5, 5, 3},            {&Project::ps, -5, 5, 3}};
        for (const Draw& d : draws) {
            if (random.Int(0, 3) == 0) {
                p.*d.field = random.Typed(d.lo, d.hi, d.decimals);
            }
        }
        p.PlateMaterialIndex = p.StiffMaterialIndex = tables_.MaterialLastRow();  // as typed
        ApplyProfilesAndMaterials(p, tables_);
        Calculate(p, tables_);
        if (p.CalcFailure) {
            ++failed;
            continue;
        }
        for (double v : Factors(p)) {
            ASSERT_TRUE(std::isfinite(v)) << Results(p);
        }
        for (const ResultListRow& row : p.Result.rows) {
            for (const std::string* text : {&row.text, &row.value}) {
                ASSERT_EQ(text->find("NaN"), std::string::npos) << *text;
                ASSERT_EQ(text->find("Inf"), std::string::npos) << *text;
            }
        }
    }
    RecordProperty("stopped runs", failed);
    // Both outcomes must have been tried for the property to mean anything.
    EXPECT_GT(failed, 0);
    EXPECT_LT(failed, 5000);
}

}  // namespace
}  // namespace kelvor
