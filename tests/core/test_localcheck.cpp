// The local slenderness lines: which lines, in which order and where, the verdict's weight and
// colour, the clause after it (capital C only after a passing web), and how far y moves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/project.h"
#include "report/localcheck.h"
#include "report/recordingcanvas.h"

namespace kelvor {
namespace {

struct Piece {
    std::string text;
    double x, y;  // x < 0: straight after the piece before
    bool bold;
    Rgb colour;
};

constexpr Rgb kOkGreen = RgbOf(0, 128, 0);
constexpr Rgb kNokRed = RgbOf(128, 0, 0);
constexpr double kAfter = -1;

TEST(LocalBucklingCheck, LinesVerdictsClausesAndLineSteps) {
    struct Row {
        const char* name;
        std::string flange, web;
        double flangeRatio, webRatio;
        int mode;
        double y;
        std::vector<Piece> pieces;
        double yAfter;
    };
    const std::string F = "Flange: b2/tf = 5.8 <= 9.6";
    const std::string Wb = "Web: hw/tw = 20.7 <= 36.1";
    const Row rows[] = {
        {"both pass, printed",
         F,
         Wb,
         5.8,
         20.7,
         1,
         30,
         {{F, 12, 30, false, 0},
          {" OK", kAfter, 30, true, kOkGreen},
          {" (ch 9.7)", kAfter, 30, false, 0},
          {Wb, 12, 31, false, 0},
          {" OK", kAfter, 31, true, kOkGreen},
          {" (Ch 9.9)", kAfter, 31, false, 0}},
         31},
        {"both fail, in a dialog",
         F,
         Wb,
         9.7,
         36.2,
         0,
         0,
         {{F, 12, 0, false, 0},
          {" NOK", kAfter, 0, true, kNokRed},
          {" (ch 9.7)", kAfter, 0, false, 0},
          {Wb, 12, 1.5, false, 0},
          {" NOK", kAfter, 1.5, true, kNokRed},
          {" (ch 9.9)", kAfter, 1.5, false, 0}},
         1.5},
        {"ratios equal to their limits pass",
         F,
         Wb,
         9.6,
         36.1,
         1,
         5,
         {{F, 12, 5, false, 0},
          {" OK", kAfter, 5, true, kOkGreen},
          {" (ch 9.7)", kAfter, 5, false, 0},
          {Wb, 12, 6, false, 0},
          {" OK", kAfter, 6, true, kOkGreen},
          {" (Ch 9.9)", kAfter, 6, false, 0}},
         6},
        {"web only (flat bar) stays on the first line",
         " ",
         Wb,
         0,
         20.7,
         0,
         0,
         {{Wb, 12, 0, false, 0},
          {" OK", kAfter, 0, true, kOkGreen},
          {" (Ch 9.9)", kAfter, 0, false, 0}},
         0},
        {"no check (closed section)", " ", " ", 0, 0, 1, 7, {}, 7},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Project p;
        p.FlangeCheckText = r.flange;
        p.WebCheckText = r.web;
        p.FlangeRatio = r.flangeRatio;
        p.FlangeRatioLimit = 9.6f;
        p.WebRatio = r.webRatio;
        p.WebRatioLimit = 36.1;
        RecordingCanvas c(600, 40);
        c.ScaleTo(0, 0, 100, 40);
        double y = r.y;
        ShowLocalBucklingCheck(c, p, y, 12, r.mode);
        EXPECT_DOUBLE_EQ(y, r.yAfter);

        std::vector<CanvasOp> texts;
        for (const CanvasOp& op : c.ops) {
            if (op.kind == CanvasOp::Kind::Text) {
                texts.push_back(op);
            }
        }
        ASSERT_EQ(texts.size(), r.pieces.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const Piece& want = r.pieces[i];
            SCOPED_TRACE(want.text);
            EXPECT_EQ(texts[i].text, want.text);
            EXPECT_DOUBLE_EQ(texts[i].points[0].x, want.x < 0 ? texts[i - 1].maxX : want.x);
            EXPECT_DOUBLE_EQ(texts[i].points[0].y, want.y);
            EXPECT_EQ(texts[i].font.bold, want.bold);
            EXPECT_EQ(texts[i].fore, want.colour);
        }
        // A dialog's box is cleared first and set to 60 x 4; the report's page is left alone.
        const bool cleared = !c.ops.empty() && c.ops.front().kind == CanvasOp::Kind::Clear;
        EXPECT_EQ(cleared, r.mode == 0);
        EXPECT_DOUBLE_EQ(c.ScaleRight(), r.mode == 0 ? 60 : 100);
        EXPECT_DOUBLE_EQ(c.ScaleBottom(), r.mode == 0 ? 4 : 40);
    }
}

}  // namespace
}  // namespace kelvor
