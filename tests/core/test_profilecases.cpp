// The profile case tables (tests/data/profiles/*.tsv): rows as in the check case tables
// (caserunner.h), CASE VERB NAME VALUE NOTE, each case from the new project ("base new") with
// its own copy of the shipped tables, and what the checks never reach:
//   table   L|T|Fb|Bf ROW  "v1 v2 ..."   a table row changed or added, for a broken profile
//   run     profile | new project | loading condition N | materials | a step by its routine name
//   expect  FIELD  VALUE   also: failure, points (the outline's "x y" pairs), web check, flange
//                          check (passes | fails), header colour ("r g b"), coefficient R (the
//                          rule breadth's be/s at l0/s = R), batch code C, girder batch code C
//   sums    KEYS   RECTS   the section against sums over its rectangles "y0 y1 z0 z1, ..." (y
//                          across from the web centreline, z up from the plate surface), a
//                          second way of computing it by the parallel-axis theorem. KEYS: alone
//                          (area, mass, zc, Iy), yc, Iz, Io (polar, about the web foot), plated
//                          (with the plate strips se, sw and be), girder (alone and plated)
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>

#include "caserunner.h"
#include "profiles/catalogue.h"
#include "profiles/effectivebreadth.h"
#include "profiles/slenderness.h"

namespace {

using testdata::Row;

struct Rect {
    double y0, y1, z0, z1;
};

// Area, centroid, second moments about the centroid axes, polar moment about the web foot (y = z
// = 0) and the top of the section.
struct Sums {
    double A = 0, yc = 0, zc = 0, Iy = 0, Iz = 0, Jo = 0, top = 0;
};

Sums Sum(const std::vector<Rect>& rects) {
    Sums s;
    for (const Rect& r : rects) {
        const double a = (r.y1 - r.y0) * (r.z1 - r.z0);
        s.A += a;
        s.yc += a * (r.y0 + r.y1) / 2;
        s.zc += a * (r.z0 + r.z1) / 2;
        s.top = std::max(s.top, r.z1);
    }
    s.yc /= s.A;
    s.zc /= s.A;
    for (const Rect& r : rects) {
        const double w = r.y1 - r.y0, h = r.z1 - r.z0, y = (r.y0 + r.y1) / 2, z = (r.z0 + r.z1) / 2;
        s.Iy += w * h * h * h / 12 + w * h * (z - s.zc) * (z - s.zc);
        s.Iz += h * w * w * w / 12 + w * h * (y - s.yc) * (y - s.yc);
        s.Jo += w * h * (h * h + w * w) / 12 + w * h * (y * y + z * z);
    }
    return s;
}

std::vector<Rect> Rects(std::string text) {
    std::replace(text.begin(), text.end(), ',', ' ');
    std::istringstream in(text);
    std::vector<Rect> rects;
    for (Rect r; in >> r.y0 >> r.y1 >> r.z0 >> r.z1;) {
        rects.push_back(r);
    }
    return rects;
}

double Number(const kelvor::Project& p, const char* field) {
    return std::strtod(testdata::FieldText(p, field).c_str(), nullptr);
}

void Near(const kelvor::Project& p, const char* field, double want) {
    EXPECT_NEAR(Number(p, field), want, std::fabs(want) * 1e-6 + 1e-9) << field;
}

// With the strip of plating of the breadth in `breadth` below the plate surface: area, zp and
// zTop from the plate's mid-plane, I, W at the plate and W at the top ("" where not kept).
Sums ExpectPlated(const kelvor::Project& p, std::vector<Rect> rects, const char* breadth,
                  const std::array<const char*, 6>& fields) {
    const double b = Number(p, breadth), t = p.t, top = Sum(rects).top;
    rects.push_back({-b / 2, b / 2, -t, 0});
    const Sums w = Sum(rects);
    const double zp = w.zc + t / 2, zTop = top - w.zc;
    const double want[] = {w.A, zp, zTop, w.Iy, w.Iy / zp, w.Iy / zTop};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (*fields[i] != '\0') {
            Near(p, fields[i], want[i]);
        }
    }
    return w;
}

void ExpectSums(const kelvor::Project& p, const std::string& keys, const std::vector<Rect>& rects) {
    const Sums s = Sum(rects);
    std::istringstream in(keys);
    for (std::string key; in >> key;) {
        SCOPED_TRACE(key);
        const bool girder = key == "girder";
        if (key == "alone" || girder) {
            Near(p, girder ? "GirderArea" : "StiffArea", s.A);
            Near(p, girder ? "GirderMass" : "StiffMass", s.A * 7850e-6);  // kg/m, steel 7850 kg/m3
            Near(p, girder ? "GirderZc" : "StiffZc", s.zc);
            Near(p, girder ? "GirderIy" : "StiffIy", s.Iy);
        }
        if (girder) {
            ExpectPlated(p, rects, "GirderEffBreadth",
                         {"GirderAe", "GirderZp", "GirderZTop", "GirderIe", "GirderWp", "GirderWs"});
        } else if (key == "yc" || key == "Iz" || key == "Io") {
            Near(p, key == "yc" ? "StiffYc" : key == "Iz" ? "StiffIz" : "StiffIo",
                 key == "yc" ? s.yc : key == "Iz" ? s.Iz : s.Jo);
        } else if (key == "plated") {
            const Sums e = ExpectPlated(p, rects, "se", {"Ae", "zp", "zTop", "Ie", "Wep", "Wes"});
            Near(p, "rGyr", std::sqrt(e.Iy / e.A));
            ExpectPlated(p, rects, "sw", {"Aw_sw", "zp_sw", "zTop_sw", "I_sw", "Wp_sw", "Ws_sw"});
            ExpectPlated(p, rects, "be", {"", "", "", "I_be", "", "Ws_be"});
        } else if (key != "alone") {
            ADD_FAILURE() << "unknown sum " << key;
        }
    }
}

std::string G(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

class ProfileCase {
public:
    kelvor::Project p;

    void Base(const std::string& name) {
        tables_ = testsupport::ShippedTables();
        p = {};
        kelvor::NewProject(p);
        kelvor::StressDistribution(p);
        EXPECT_EQ(name, "new") << "the only base";
    }

    void SetTableRow(const std::string& where, const std::string& values) {
        std::istringstream w(where), v(values);
        std::string name;
        std::size_t row = 0;
        w >> name >> row;
        kelvor::ProfileTable& t = name == "L"    ? tables_.LTable
                                  : name == "T"  ? tables_.TTable
                                  : name == "Fb" ? tables_.FbTable
                                                 : tables_.BfTable;
        t.rows.resize(std::max(t.rows.size(), row + 1));
        for (float& x : t.rows[row]) {
            v >> x;
        }
    }

    void Run(const std::string& step) {
        failure_ = "none";
        try {
            if (step == "profile") {
                kelvor::SetUpStiffenerProfile(p, tables_, p.StiffProfileType);
            } else if (step == "new project") {
                kelvor::NewProject(p);
            } else if (step.rfind("loading condition ", 0) == 0) {
                kelvor::SetLoadingCondition(p, std::stoi(step.substr(18)));
            } else if (step == "materials") {
                kelvor::LoadPlateMaterial(p, tables_, p.PlateMaterialIndex);
                kelvor::LoadStiffenerMaterial(p, tables_, p.StiffMaterialIndex);
            } else {
                const auto steps = testsupport::Steps({step.c_str()});
                ASSERT_EQ(steps.size(), 1u) << "no step " << step;
                testsupport::RunStep(steps[0], p, tables_);
            }
        } catch (const kelvor::CalcError& e) {
            failure_ = e.what();
        }
    }

    std::string Actual(const std::string& name) const {
        const auto after = [&](const char* prefix) {
            return name.rfind(prefix, 0) == 0 ? name.substr(std::strlen(prefix)) : std::string();
        };
        if (name == "failure") {
            return failure_;
        }
        if (name == "points") {
            std::size_t last = 0;
            for (std::size_t i = 1; i < p.OutlineX.size(); ++i) {
                last = p.OutlineX[i] != 0 || p.OutlineY[i] != 0 ? i : last;
            }
            std::string s;
            for (std::size_t i = 1; i <= last; ++i) {
                s += (i > 1 ? ", " : "") + G(p.OutlineX[i]) + " " + G(p.OutlineY[i]);
            }
            return s;
        }
        if (name == "web check" || name == "flange check") {
            const bool passes = name == "web check" ? kelvor::WebCheckPasses(p)
                                                    : kelvor::FlangeCheckPasses(p);
            return passes ? "passes" : "fails";
        }
        if (name == "header colour") {
            const auto c = p.HeaderColour;
            return G(c >> 16) + " " + G((c >> 8) & 255) + " " + G(c & 255);
        }
        if (const std::string r = after("coefficient "); !r.empty()) {
            return testdata::Shortest(kelvor::RuleBreadthCoefficient(std::strtod(r.c_str(), nullptr)));
        }
        if (name.rfind("batch code", 0) == 0) {
            return G(kelvor::FamilyOfBatchCode(after("batch code ")));
        }
        if (name.rfind("girder batch code", 0) == 0) {
            return G(kelvor::GirderFamilyOfBatchCode(after("girder batch code ")));
        }
        return testdata::FieldText(p, name);
    }

private:
    kelvor::Tables tables_;
    std::string failure_ = "none";
};

void RunProfileTable(const std::string& table) {
    for (const auto& rows : testdata::GroupByFirstCell(testdata::ReadTable("profiles/" + table))) {
        ProfileCase c;
        c.Base("new");
        for (const Row& r : rows) {
            SCOPED_TRACE(r.where + " (" + rows.front()[0] + ")");
            const std::string& verb = r[1];
            if (verb == "base") {
                c.Base(r[2]);
            } else if (verb == "set" && r[2].find('=') != std::string::npos) {
                testdata::SetFields(c.p, r[2]);
            } else if (verb == "set") {
                testdata::SetField(c.p, r[2], r[3]);
            } else if (verb == "table") {
                c.SetTableRow(r[2], r[3]);
            } else if (verb == "run") {
                c.Run(r[2]);
            } else if (verb == "expect") {
                EXPECT_EQ(testdata::Compare(c.Actual(r[2]), r[3]), "") << r[2];
            } else if (verb == "sums") {
                ExpectSums(c.p, r[2], Rects(r[3]));
            } else {
                ADD_FAILURE() << "unknown verb " << verb;
            }
        }
    }
}

TEST(ProfileCases, Sections) { RunProfileTable("sections.tsv"); }
TEST(ProfileCases, Catalogue) { RunProfileTable("catalogue.tsv"); }
TEST(ProfileCases, Outline) { RunProfileTable("outline.tsv"); }
TEST(ProfileCases, Breadth) { RunProfileTable("breadth.tsv"); }
TEST(ProfileCases, Defaults) { RunProfileTable("defaults.tsv"); }

// Shear lag: the rule breadth never shrinks as the span grows, across every interval bound.
TEST(ProfileCases, BreadthNeverShrinksAsTheSpanGrows) {
    for (int i = 1; i <= 600; ++i) {
        EXPECT_GE(kelvor::RuleBreadthCoefficient(i / 100.0),
                  kelvor::RuleBreadthCoefficient((i - 1) / 100.0)) << i / 100.0;
    }
}

// kelvor-cli calc --json through the whole run for every family (line 6 of the project file);
// the tees with T 200x200x8x13 (line 9, T row 18): the smallest tee buckles as a column on the
// default span and stops the run. Rows of profiles/json.tsv: the families they hold for, the
// JSON field, its value ("> 0": above zero; an array: its length).
using ProfilesJson = testsupport::TempDirTest;
TEST_F(ProfilesJson, EveryFamilyThroughTheWholeRun) {
    ASSERT_EQ(Cli("new -o " + testsupport::Quoted(Path("p.kelvo"))).status, 0);
    std::vector<std::string> lines;
    std::istringstream in(testsupport::ReadBytes(Path("p.kelvo")));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    const std::vector<Row> rows = testdata::ReadTable("profiles/json.tsv");
    for (char family = '0'; family <= '9'; ++family) {
        SCOPED_TRACE(std::string("family ") + family);
        lines[5] = std::string(1, family) + "\r";
        lines[8] = "18\r";
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\n";
        }
        Write("f.kelvo", text);
        const testsupport::CliRun run = Cli("calc " + testsupport::Quoted(Path("f.kelvo")) + " --json");
        ASSERT_EQ(run.status, 0) << run.err;
        const auto j = nlohmann::json::parse(run.out);
        for (const Row& r : rows) {
            if (r[0].find(family) == std::string::npos) {
                continue;
            }
            const auto& v = j.at(r[1]);
            if (r[2] == "> 0") {
                EXPECT_GT(v.get<double>(), 0) << r.where;
            } else {
                const std::string got = v.is_string()   ? v.get<std::string>()
                                        : v.is_array() ? std::to_string(v.size())
                                                       : testdata::Shortest(v.get<double>());
                EXPECT_EQ(testdata::Compare(got, r[2]), "") << r.where;
            }
        }
    }
}

}  // namespace
