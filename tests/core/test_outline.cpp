// Outline points of the to-scale section figure: polygon and box families, axis and extent.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/project.h"
#include "core/tables.h"
#include "profiles/profiles.h"

namespace kelvor {
namespace {

struct Pt {
    double x, y;
};

Project Outlined(int family) {
    Tables tables;
    tables.LTable.rows = {{200, 90, 9, 14, 0}};
    tables.TTable.rows = {{250, 150, 10, 16, 0}};
    tables.FbTable.rows = {{200, 10, 0, 0, 0}};
    tables.BfTable.rows = {{180, 11.5f, 25, 7, 2520}};
    Project p;
    NewProject(p);
    p.StiffProfileType = family;
    p.LTableRow = p.TTableRow = p.FbTableRow = p.BfTableRow = 0;
    p.Fys = 355;
    SetUpStiffenerProfile(p, tables, family);
    p.se = 600;
    p.be = 550;
    StiffenerWithPlate(p);
    return p;
}

void ExpectPoints(const Project& p, const std::vector<Pt>& points) {
    for (std::size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE("point " + std::to_string(i + 1));
        EXPECT_DOUBLE_EQ(p.OutlineX[i + 1], points[i].x);
        EXPECT_DOUBLE_EQ(p.OutlineY[i + 1], points[i].y);
    }
    EXPECT_EQ(p.OutlineX[points.size() + 1], 0);  // nothing stale behind the list
}

TEST(Outline, KindAndCountPerFamily) {
    const int kinds[] = {1, 3, 3, 3, 2, 2, 1, 3, 1, 4};
    const int counts[] = {9, 0, 0, 0, 0, 0, 9, 0, 8, 0};
    for (int family = 0; family < 10; ++family) {
        SCOPED_TRACE("family " + std::to_string(family));
        const Project p = Outlined(family);
        EXPECT_EQ(p.OutlineKind, kinds[family]);
        EXPECT_EQ(p.OutlineCount, counts[family]);
        EXPECT_DOUBLE_EQ(p.FigureHeight, p.t + p.StiffH);
        EXPECT_DOUBLE_EQ(p.FigureWidth, 600);
        EXPECT_DOUBLE_EQ(p.AxisHeight, p.zp + p.t / 2);
        const bool oneSided = family == 0 || family == 1 || family == 6;
        EXPECT_DOUBLE_EQ(p.AxisX, oneSided ? 300 + 0.3 * p.StiffB : 300);
    }
}

TEST(Outline, RolledAngleWithItsRootChamfer) {
    // L 200x90x9x14 on t = 20, se = 600: web left face x0 = 295.5, chamfer r = 18.
    const Project p = Outlined(0);
    EXPECT_EQ(p.StiffR, 18);
    ExpectPoints(p, {{295.5, 20},
                     {304.5, 20},
                     {304.5, 188},
                     {309.9, 200.6},
                     {322.5, 206},
                     {385.5, 206},
                     {385.5, 220},
                     {295.5, 220},
                     {295.5, 20},
                     {0, 0},
                     {600, 20}});
}

TEST(Outline, BulbFlatAndTrapezoidPolygons) {
    // Bulb 180x11.5, c = 25, r = 7: x0 = 294.25.
    const Project bulb = Outlined(6);
    const double x0 = 294.25, w = x0 + 11.5;
    ExpectPoints(bulb, {{x0, 20},
                        {x0, 200},
                        {w + 18, 200},
                        {w + 25 - 2.1, 200 - 2.1},
                        {w + 25, 193},
                        {w + 25 - 2.1, 200 - 11.9},
                        {w, 200 - 11.9 - 0.58 * (25 - 2.1)},
                        {w, 20},
                        {x0, 20},
                        {0, 0},
                        {600, 20}});

    // Trapezoid 200x90, b = 50, t = 9: top from 255 to 345, foot from 205 to 395.
    const Project trap = Outlined(8);
    ExpectPoints(trap, {{205, 20},
                        {255, 220},
                        {345, 220},
                        {395, 20},
                        {214, 20},
                        {264, 211},
                        {336, 211},
                        {386, 20},
                        {0, 0},
                        {600, 20}});
}

TEST(Outline, BoxFamiliesStartWithThePlate) {
    struct Row {
        const char* name;
        int family;
        std::vector<Pt> corners;
    };
    const Row rows[] = {
        {"L built up 200x90x9x12",
         1,
         {{0, 0}, {600, 20}, {295.5, 20}, {304.5, 208}, {295.5, 208}, {385.5, 220}}},
        {"T from table 250x150x10x16",
         2,
         {{0, 0}, {600, 20}, {295, 20}, {305, 254}, {225, 254}, {375, 270}}},
        {"RHS 200x90x9", 7, {{0, 0}, {600, 20}, {255, 20}, {345, 220}, {264, 29}, {336, 211}}},
        {"I 200x90x9x12",
         9,
         {{0, 0},
          {600, 20},
          {255, 20},
          {345, 32},
          {295.5, 32},
          {304.5, 208},
          {255, 208},
          {345, 220}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ExpectPoints(Outlined(r.family), r.corners);
    }
}

}  // namespace
}  // namespace kelvor
