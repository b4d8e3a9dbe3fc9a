// Every case table of the checks under tests/data/checks; a failure names the table and line.
#include <algorithm>
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

}  // namespace
