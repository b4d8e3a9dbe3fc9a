// The record's defaults, the loading-condition safety values and the material rows.
#include <gtest/gtest.h>

#include "core/project.h"
#include "core/tables.h"

namespace kelvor {
namespace {

TEST(NewProject, PutsEveryDefaultInPlace) {
    Project p;
    NewProject(p);
    EXPECT_EQ(p.HeaderColour, RgbOf(0, 85, 152));
    EXPECT_EQ(p.ProjectFile, "New File");
    EXPECT_EQ(p.ProjectName, "Project");
    EXPECT_EQ(p.Identification, "Test");
    EXPECT_FLOAT_EQ(p.UFallow, 0.6f);
    EXPECT_FLOAT_EQ(p.FS, 1.43f);
    EXPECT_EQ(p.FigureToScale, 1);
    EXPECT_EQ(p.PlateMaterialIndex, 2);
    EXPECT_EQ(p.StiffMaterialIndex, 2);
    EXPECT_EQ(p.AnalysisMode, 1);
    EXPECT_EQ(p.BfTableRow, 16);
    EXPECT_EQ(p.LTableRow, 0);
    EXPECT_EQ(p.TTableRow, 0);
    EXPECT_EQ(p.FbTableRow, 13);
    EXPECT_EQ(p.StiffProfileType, 0);
    EXPECT_EQ(p.GirderProfileType, 3);
    EXPECT_EQ(p.PrintMode, 0);
    EXPECT_EQ(p.LoadingCondition, 0);
    EXPECT_EQ(p.CFactorTab, 1);
    EXPECT_EQ(p.CFactorOption, 0);
    EXPECT_FALSE(p.IncludeDeformation);
    EXPECT_FALSE(p.PlateErrorFlag1);
    EXPECT_FALSE(p.PlateErrorFlag2);

    struct Value {
        const char* name;
        float actual;
        float expected;
    };
    const Value values[] = {
        {"t", p.t, 20},          {"L1", p.L1, 3000},      {"L2", p.L2, 2500},
        {"s1", p.s1, 625},       {"s2", p.s2, 625},       {"Lt", p.Lt, 3000},
        {"Lg", p.Lg, 8000},      {"Lgs", p.Lgs, 6000},    {"UL", p.UnitLength, 65},
        {"SigxA", p.SigxA, -100}, {"SigxB", p.SigxB, -100}, {"SigyA", p.SigyA, -30},
        {"SigyC", p.SigyC, -30}, {"Tau", p.Tau, 40},      {"p", p.p, 0.03f},
        {"ps", p.ps, 0.03f},     {"E", p.E, 206000},
        // built-up profiles of every family
        {"StiffH", p.StiffH, 200}, {"StiffB", p.StiffB, 90}, {"StiffTw", p.StiffTw, 9},
        {"StiffTf", p.StiffTf, 12}, {"LBuiltTf", p.LBuiltTf, 12}, {"TBuiltB", p.TBuiltB, 90},
        {"FbBuiltH", p.FbBuiltH, 200}, {"FbBuiltTw", p.FbBuiltTw, 9},
        {"RhsBuiltB", p.RhsBuiltB, 90}, {"RhsBuiltTw", p.RhsBuiltTw, 9},
        {"TrapBuiltOffset", p.TrapBuiltOffset, 50}, {"TrapBuiltTw", p.TrapBuiltTw, 9},
        {"IBuiltTf", p.IBuiltTf, 12}, {"GirderLBuiltH", p.GirderLBuiltH, 800},
        {"GirderLBuiltTf", p.GirderLBuiltTf, 20}, {"GirderTBuiltB", p.GirderTBuiltB, 200},
        {"GirderTBuiltTw", p.GirderTBuiltTw, 10}, {"StiffC", p.StiffC, 1}, {"StiffR", p.StiffR, 10},
    };
    for (const Value& v : values) {
        SCOPED_TRACE(v.name);
        EXPECT_EQ(v.actual, v.expected);
    }
}

TEST(NewProject, RestoresInputsButLeavesTheStrengthsToTheNextRun) {
    Project p;
    NewProject(p);
    p.t = 12.5f;
    p.SigxA = 40;
    p.CFactorTab = 2;
    p.AnalysisMode = 3;
    p.Fyp = 235;
    p.Fup = 400;
    p.ProjectFile = "/tmp/a.kelvo";
    NewProject(p);
    EXPECT_EQ(p.t, 20);
    EXPECT_EQ(p.SigxA, -100);
    EXPECT_EQ(p.CFactorTab, 1);
    EXPECT_EQ(p.AnalysisMode, 1);
    EXPECT_EQ(p.ProjectFile, "New File");
    EXPECT_EQ(p.Fyp, 235);
    EXPECT_EQ(p.Fup, 400);
}

TEST(SetLoadingCondition, AAndBSetTheSafetyValuesCKeepsThem) {
    Project p;
    NewProject(p);
    SetLoadingCondition(p, 1);
    EXPECT_FLOAT_EQ(p.UFallow, 0.8f);
    EXPECT_FLOAT_EQ(p.FS, 1.11f);
    SetLoadingCondition(p, 0);
    EXPECT_FLOAT_EQ(p.UFallow, 0.6f);
    EXPECT_FLOAT_EQ(p.FS, 1.43f);
    p.UFallow = 0.7f;
    p.FS = 1.25f;
    SetLoadingCondition(p, 2);
    EXPECT_EQ(p.LoadingCondition, 2);
    EXPECT_FLOAT_EQ(p.UFallow, 0.7f);
    EXPECT_FLOAT_EQ(p.FS, 1.25f);
    SetLoadingCondition(p, 1);
    EXPECT_FLOAT_EQ(p.UFallow, 0.8f);
}

TEST(MaterialRows, TableRowsOverwriteTheLastRowKeepsTypedValues) {
    Tables tables;
    tables.Materials = {{"A", 235, 400, 1.0f},
                        {"S355", 355, 470, 0.73f},
                        {"AH36", 355, 490, 0.72f},
                        {"User defined", 999, 999, 9}};
    Project p;
    NewProject(p);
    LoadPlateMaterial(p, tables, 0);
    EXPECT_EQ(p.Fyp, 235);
    EXPECT_EQ(p.Fup, 400);
    LoadStiffenerMaterial(p, tables, 2);
    EXPECT_EQ(p.Fys, 355);
    EXPECT_EQ(p.Fus, 490);
    EXPECT_FLOAT_EQ(p.StiffMaterialFactor, 0.72f);

    // The last row stands for a material typed by hand: its numbers are never copied.
    p.Fyp = 300;
    p.Fup = 450;
    p.Fys = 320;
    p.Fus = 460;
    LoadPlateMaterial(p, tables, 3);
    LoadStiffenerMaterial(p, tables, 3);
    EXPECT_EQ(p.Fyp, 300);
    EXPECT_EQ(p.Fup, 450);
    EXPECT_EQ(p.Fys, 320);
    EXPECT_EQ(p.Fus, 460);
    EXPECT_FLOAT_EQ(p.StiffMaterialFactor, 0.72f);

    // Indices the table does not hold change nothing either (and must not crash).
    LoadPlateMaterial(p, tables, -1);
    LoadPlateMaterial(p, tables, 23);
    LoadPlateMaterial(p, Tables{}, 2);
    EXPECT_EQ(p.Fyp, 300);
}

}  // namespace
}  // namespace kelvor
