// The figures and the printed report as the drawing calls they make, on the recording canvas.
// Every case of tests/data/figures/cases.tsv is drawn and its calls, one a line, compared whole
// with tests/data/figures/FIGURE.txt. After a deliberate change to a drawing, rewrite those
// files with KELVOR_REGENERATE=1 build-core/bin/kelvor_core_tests --gtest_filter='Figures.*'
// and read the diff. The worked coordinates of marks.tsv and the invariants below are never
// regenerated: they are what a new drawing is judged by.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>

#include "../support/datatable.h"
#include "engine/calculate.h"
#include "engine/session.h"
#include "core/tables.h"
#include "engine/capacity.h"
#include "engine/whatifcharts.h"
#include "report/charts.h"
#include "report/panelfigure.h"
#include "report/profilefigure.h"
#include "report/recordingcanvas.h"
#include "report/report.h"
#include "report/sketches.h"
#include "testsupport.h"

namespace kelvor {
namespace {

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", v == 0 ? 0.0 : v);  // -0 and 0 alike
    return buf;
}

std::vector<double> List(const std::string& list) {
    std::vector<double> v;
    std::istringstream in(list);
    for (std::string n; std::getline(in, n, ',');) {
        v.push_back(std::strtod(n.c_str(), nullptr));
    }
    return v;
}

// A call as one line: kind, points, then the state it was drawn with.
std::string Format(const CanvasOp& op) {
    static const char* kinds[] = {"clear", "line", "box", "polygon", "circle", "text"};
    std::string s = kinds[static_cast<int>(op.kind)];
    for (const Point& p : op.points) {
        s += " " + Num(p.x) + "," + Num(p.y);
    }
    char fore[16];
    std::snprintf(fore, sizeof fore, " %06x", op.fore);
    if (op.kind == CanvasOp::Kind::Text) {
        const Font& f = op.font;
        return s + " \"" + op.text + "\"" + fore + " " + f.name + " " + Num(f.size) +
               (f.bold ? "b" : "") + (f.italic ? "i" : "") + (f.underline ? "u" : "");
    }
    s += fore;
    s += (op.lineStyle == LineStyle::DashDot ? " dashdot " : " solid ") + Num(op.lineWidth);
    if (op.kind == CanvasOp::Kind::Circle) {
        s += " r=" + Num(op.r);
    }
    if (op.fill == FillStyle::Solid) {
        std::snprintf(fore, sizeof fore, " fill %06x", op.fillColour);
        s += fore;
    }
    return s;
}

std::string Format(const RecordingCanvas& c) {
    std::string s;
    for (const CanvasOp& op : c.ops) {
        s += Format(op) + "\n";
    }
    return s;
}

using Numbers = std::map<std::string, std::vector<double>>;  // surface, scale, at, rect, kind

// A case drawn: one canvas, or one a sketch for a sketch case, and what else it tells.
struct Drawing {
    Project p;
    Numbers n;
    std::vector<RecordingCanvas> canvases;
    std::string extra;
};

class Figures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        StartupEnvironment env;
        env.dataFolder = KELVOR_SOURCE_DATA_DIR;
        ASSERT_TRUE(StartUp(base_, tables_, env).empty());
        Calculate(base_, tables_);
    }

    // The SETUP cell, item by item in order: a record field by name, an outline, the loading
    // condition with its safety factors, a stopped run, "calc" to run again, or the numbers of
    // the canvas and of where to draw.
    static Numbers Apply(Project& p, const std::string& items) {
        Numbers n;
        std::istringstream in(items);
        for (std::string item; std::getline(in, item, ';');) {
            const std::size_t eq = item.find('=');
            const std::string key = item.substr(0, eq), value = item.substr(eq + 1);
            if (item == "calc") {
                ApplyProfilesAndMaterials(p, tables_);
                Calculate(p, tables_);
            } else if (key == "OutlineX" || key == "OutlineY") {
                const std::vector<double> v = List(value);
                std::copy(v.begin(), v.end(), (key == "OutlineX" ? p.OutlineX : p.OutlineY).begin());
            } else if (key == "condition") {
                SetLoadingCondition(p, std::atoi(value.c_str()));
            } else if (key == "failure") {
                p.CalcFailure = StepFailure{value.substr(0, value.find('|')),
                                            value.substr(value.find('|') + 1)};
            } else if (FindRecordField(key) == nullptr) {
                n[key] = List(value);
            } else {
                testdata::SetField(p, key, value);
            }
        }
        return n;
    }

    // A surface of the case's size (a report page of 615 x 842 points gives the worked grid of
    // marks.tsv) in its user units.
    static RecordingCanvas Surface(Numbers& n, const std::string& figure) {
        n.emplace("surface", figure == "report" ? std::vector<double>{615, 842}
                                                : std::vector<double>{400, 260});
        RecordingCanvas c(n["surface"][0], n["surface"][1]);
        if (const std::vector<double>& at = n["scale"]; at.size() == 4) {
            c.ScaleTo(at[0], at[1], at[2], at[3]);
        }
        return c;
    }

    static Drawing Draw(const std::string& figure, const std::string& setup) {
        Drawing d;
        if (figure == "panel") {
            NewProject(d.p);
        } else if (figure == "report" || figure == "chart" || figure == "sweep") {
            d.p = base_;
        }
        d.n = Apply(d.p, setup);
        const std::vector<double> at = d.n.count("at") ? d.n["at"] : std::vector<double>{0, 0};
        const std::vector<double>& r = d.n["rect"];
        for (int id = 0; id < (figure == "sketch" ? kSketchCount : 1); ++id) {
            RecordingCanvas& c = d.canvases.emplace_back(Surface(d.n, figure));
            if (figure == "sketch") {
                c.DrawSketch(static_cast<SketchId>(id), r[0], r[1], r[2], r[3]);
            } else if (figure == "panel") {
                DrawPanelFigure(c, d.p, at[0], at[1]);
            } else if (figure == "profile") {
                DrawProfileFigure(c, d.p);
                d.extra = std::string("caption ") + ProfileFigureCaption(d.p) + "\nscale " +
                          Num(c.ScaleLeft()) + "," + Num(c.ScaleTop()) + "," +
                          Num(c.ScaleRight()) + "," + Num(c.ScaleBottom()) + "\n";
            } else if (figure == "chart" || figure == "sweep") {
                DrawWhatIf(c, d, figure, setup);
            } else if (figure == "girder") {
                d.extra = DrawGirderFigure(c, d.p) ? "girder sketch drawn\n" : "no girder sketch\n";
            } else {
                ReportContext ctx{static_cast<int>(d.n["kind"].empty() ? 1 : d.n["kind"][0]),
                                  "2024-03-01", 9, 5, "9.9.9"};
                PrintPages(c, d.p, tables_, ctx);
            }
        }
        return d;
    }

    // A chart of the run's factors (kind=MODE), or of a sweep (vary=NAME;range=MIN,MAX,STEPS)
    // with the capacity in that input as its note.
    static void DrawWhatIf(RecordingCanvas& c, Drawing& d, const std::string& figure,
                           const std::string& setup) {
        const int mode = static_cast<int>(d.n["kind"].empty() ? 1 : d.n["kind"][0]);
        if (figure == "chart") {
            DrawChart(c, UtilisationChart(d.p, mode));
            return;
        }
        const std::size_t at = setup.find("vary=") + 5;
        const SweepInput& input = *FindSweepInput(setup.substr(at, setup.find(';', at) - at));
        const std::vector<double>& range = d.n["range"];
        const SweepResult sweep = RunSweep(
            d.p, tables_, {&input, range[0], range[1], static_cast<int>(range[2]), mode});
        const Capacity capacity = FindCapacity(d.p, tables_, input, mode);
        DrawChart(c, SweepChart(sweep, &capacity));
    }

    static std::string Calls(const Drawing& d) {
        std::string out;
        for (std::size_t id = 0; id < d.canvases.size(); ++id) {
            out += (d.canvases.size() > 1 ? std::string("-- ") +
                                                SketchName(static_cast<SketchId>(id)) + "\n"
                                          : "") +
                   Format(d.canvases[id]);
        }
        return out + d.extra;
    }

    static inline Project base_;
    static inline Tables tables_;
};

TEST_F(Figures, DrawnAsRecordedAndAtTheWorkedMarks) {
    std::map<std::string, std::string> drawn;  // "figure/name" -> its calls
    std::map<std::string, std::string> files;  // figure -> the whole golden text
    for (const testdata::Row& row : testdata::ReadTable("figures/cases.tsv")) {
        drawn[row[0] + "/" + row[1]] = "== " + row[1] + "\n" + Calls(Draw(row[0], row[2]));
        files[row[0]] += drawn[row[0] + "/" + row[1]];
    }
    const bool regenerate = std::getenv("KELVOR_REGENERATE") != nullptr;
    for (const auto& [figure, text] : files) {
        const std::string path = testdata::DataPath("figures/" + figure + ".txt");
        if (regenerate) {
            testsupport::WriteBytes(path, text);
        }
        EXPECT_EQ(text, testsupport::ReadBytes(path)) << path;  // the diff names the case above it
    }
    // A mark: a call line, or consecutive lines, the case draws; "!" first: one it must not.
    for (const testdata::Row& row : testdata::ReadTable("figures/marks.tsv")) {
        SCOPED_TRACE(row.where + " " + row[2]);
        ASSERT_EQ(drawn.count(row[0]), 1u) << row[0];
        const bool absent = row[1][0] == '!';
        const std::string& text = drawn[row[0]];
        EXPECT_EQ(text.find(row[1].substr(absent ? 1 : 0)) == std::string::npos, absent) << row[1];
    }
}

bool Overlap(const CanvasOp& a, const CanvasOp& b) {
    return a.minX < b.maxX && b.minX < a.maxX && a.minY < b.maxY && b.minY < a.maxY;
}

// A canvas left in another state by whatever drew before.
RecordingCanvas Used() {
    RecordingCanvas c(400, 260);
    c.ScaleTo(0, 75, 100, 0);
    c.SetFont({"times new roman", 9, true, true, false});
    c.SetForeColour(kRgbGreen);
    c.SetLineStyle(LineStyle::DashDot);
    c.SetLineWidth(3);
    c.MoveTo(12, 34);
    return c;
}

// Sketches keep inside their rectangle, undistorted; the labels of sketches and profile
// figures stay apart; a panel figure is the same on a used canvas and moves with its origin.
TEST_F(Figures, EveryCaseKeepsItsInvariants) {
    for (const testdata::Row& row : testdata::ReadTable("figures/cases.tsv")) {
        Drawing d = Draw(row[0], row[2]);
        const std::vector<double>& r = d.n["rect"];
        for (std::size_t id = 0; id < d.canvases.size(); ++id) {
            SCOPED_TRACE(row[1] + " " + std::to_string(id));
            const RecordingCanvas& c = d.canvases[id];
            std::string labels;
            for (const CanvasOp& op : c.ops) {
                labels += op.kind == CanvasOp::Kind::Text ? op.text + " " : "";
                for (const CanvasOp& other : c.ops) {
                    EXPECT_TRUE(row[0] == "report" || row[0] == "panel" || &op == &other ||
                                op.kind != CanvasOp::Kind::Text ||
                                other.kind != CanvasOp::Kind::Text || !Overlap(op, other))
                        << op.text << " / " << other.text;
                }
                // A sketch keeps to its rectangle, a profile figure to its square, a chart to its
                // surface.
                const std::vector<double> f =
                    row[0] == "sketch"    ? r
                    : row[0] == "profile" || row[0] == "chart" || row[0] == "sweep"
                        ? std::vector<double>{c.ScaleLeft(), c.ScaleTop(), c.ScaleRight(),
                                              c.ScaleBottom()}
                        : std::vector<double>{-1e9, -1e9, 1e9, 1e9};
                EXPECT_TRUE(op.minX >= std::min(f[0], f[2]) - 1e-9 &&
                            op.maxX <= std::max(f[0], f[2]) + 1e-9 &&
                            op.minY >= std::min(f[1], f[3]) - 1e-9 &&
                            op.maxY <= std::max(f[1], f[3]) + 1e-9)
                    << Format(op);
            }
            // Each sketch names the dimensions of its family.
            static const auto names = testdata::ReadTable("figures/sketchlabels.tsv");
            for (const testdata::Row& n : names) {
                EXPECT_TRUE(row[0] != "sketch" || n[0] != SketchName(static_cast<SketchId>(id)) ||
                            labels == n[1] + " ")
                    << labels;
            }
            // The attached plate, 88 by 5 design units, keeps that ratio on the surface however
            // the units stretch, and lies at the bottom of the rectangle as the surface shows it.
            if (row[0] == "sketch" && static_cast<SketchId>(id) == SketchId::TBuiltUp) {
                ASSERT_FALSE(c.ops.empty());
                const CanvasOp& plate = c.ops.front();
                EXPECT_NEAR((plate.maxX - plate.minX) / c.UnitsPerPointX() /
                                ((plate.maxY - plate.minY) / c.UnitsPerPointY()),
                            88.0 / 5.0, 1e-9);
                EXPECT_EQ(plate.minY + plate.maxY < r[1] + r[3], c.YUp());
            }
        }
        if (row[0] != "panel") {
            continue;
        }
        RecordingCanvas used = Used(), moved = Surface(d.n, "panel");
        DrawPanelFigure(used, d.p, 0, 0);
        DrawPanelFigure(used, d.p, 0, 0);
        DrawPanelFigure(moved, d.p, 150, 230);
        RecordingCanvas& clean = d.canvases[0];
        for (RecordingCanvas* c : {&clean, &used, &moved}) {
            for (CanvasOp& op : c->ops) {
                op.font = {};  // the figure writes in the font it is given
            }
        }
        EXPECT_EQ(Format(used), Format(clean) + Format(clean));
        ASSERT_EQ(moved.ops.size(), clean.ops.size());
        for (std::size_t i = 0; i < clean.ops.size(); ++i) {
            CanvasOp home = clean.ops[i];
            // The schematic keeps to its field, 100 wide and 75 high.
            EXPECT_TRUE(home.kind == CanvasOp::Kind::Text ||
                        (home.minX >= 0 && home.maxX <= 100 && home.minY >= 0 && home.maxY <= 75))
                << Format(home);
            for (Point& pt : home.points) {
                pt = {pt.x + 150, pt.y + 230};
            }
            EXPECT_EQ(Format(moved.ops[i]), Format(home));
        }
    }
}

// A sketch hands the canvas back as it found it, and while FigureToScale is set (as in a new
// project) the profile figure is its family's sketch over the whole canvas.
TEST_F(Figures, SketchesLeaveTheCanvasAndStandForProfilesNotToScale) {
    Project p;
    NewProject(p);
    for (int id = 0; id < kSketchCount; ++id) {
        RecordingCanvas clean(400, 260), used = Used();
        clean.ScaleTo(0, 75, 100, 0);
        clean.DrawSketch(static_cast<SketchId>(id), 10, 70, 50, 40);
        used.DrawSketch(static_cast<SketchId>(id), 10, 70, 50, 40);
        EXPECT_EQ(Format(used), Format(clean));
        const Font f = used.CurrentFont();
        EXPECT_TRUE(f.name == "times new roman" && f.size == 9 && f.bold && f.italic);
        EXPECT_TRUE(used.ForeColour() == kRgbGreen && used.LineWidth() == 3 &&
                    used.CurrentLineStyle() == LineStyle::DashDot);
        EXPECT_TRUE(used.CurrentX() == 12 && used.CurrentY() == 34);
        if (id < 10) {
            p.StiffProfileType = id;
            RecordingCanvas drawn(200, 150), sketch(200, 150);
            drawn.ScaleTo(0, 0, 4, 3);
            sketch.ScaleTo(0, 0, 4, 3);
            DrawProfileFigure(drawn, p);
            sketch.Clear();
            sketch.DrawSketch(*StiffenerSketch(id), 0, 0, 4, 3);
            EXPECT_EQ(Format(drawn), Format(sketch)) << id;
        }
    }
}

}  // namespace
}  // namespace kelvor
