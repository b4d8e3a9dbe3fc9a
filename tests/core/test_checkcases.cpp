// Every case table of the checks under tests/data/checks; a failure names the table and line.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "caserunner.h"

namespace {

TEST(CheckCases, EveryTable) {
    std::vector<std::filesystem::path> tables;
    for (const auto& e : std::filesystem::directory_iterator(testdata::DataPath("checks"))) {
        tables.push_back(e.path().filename());
    }
    std::sort(tables.begin(), tables.end());
    ASSERT_FALSE(tables.empty());
    for (const auto& name : tables) {
        testsupport::RunCaseTable("checks/" + name.string());
    }
}

// The checked arithmetic names the kind of failure before the quantity; the passing path at the
// edge of each domain returns the plain result.
TEST(CheckCases, CheckedArithmeticNamesTheCause) {
    using namespace kelvor;
    const auto cause = [](double (*call)()) {
        return testsupport::CalcFailureOf([&] { call(); });
    };
    EXPECT_EQ(cause([] { return Div(1, 0, "sigma E"); }), "division by zero (sigma E)");
    EXPECT_EQ(cause([] { return Sqrt(-1e-9, "tau"); }), "square root of a negative number (tau)");
    EXPECT_EQ(cause([] { return Pow(-2, 0.5, "k"); }), "fractional power of a negative number (k)");
    EXPECT_EQ(cause([] { return Acos(1.0000001, "phi"); }), "arc cosine outside -1 to 1 (phi)");
    EXPECT_EQ(cause([] { return Finite(1e308 * 10, "UFgbu"); }), "result not finite (UFgbu)");
    EXPECT_EQ(cause([] { return Div(std::nan(""), 2, "se"); }), "result not finite (se)");
    EXPECT_EQ(Sqrt(0, "x"), 0);
    EXPECT_EQ(Pow(-2, 2, "x"), 4);
    EXPECT_EQ(Div(-0.0, 5, "x"), 0);
}

}  // namespace
