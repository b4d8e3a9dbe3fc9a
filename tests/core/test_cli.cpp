// The command-line tool end to end: new, calc (text and JSON), exit codes and messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "testsupport.h"

namespace {

namespace fs = std::filesystem;

using namespace testsupport;
using CliTest = TempDirTest;

TEST_F(CliTest, NewThenCalcJsonGivesTheDefaults) {
    const std::string project = Path("p.kelvo");
    const CliRun created = Cli("new -o '" + project + "'");
    ASSERT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(created.err, "");
    EXPECT_EQ(ReadBytes(project).substr(0, 5), "202\r\n");

    const CliRun calc = Cli("calc '" + project + "' --json");
    ASSERT_EQ(calc.status, 0) << calc.err;
    const auto j = nlohmann::json::parse(calc.out);
    EXPECT_EQ(j["t"], 20);
    EXPECT_EQ(j["L1"], 3000);
    EXPECT_EQ(j["SigxStiff"], -100);
    EXPECT_EQ(j["sMean"], 625);
    EXPECT_EQ(j["FS"], 1.43);  // the single-precision input as typed, not 1.4299999475...
    EXPECT_EQ(j["UFallow"], 0.6);
    EXPECT_EQ(j["p"], 0.03);
    EXPECT_EQ(j["Fyp"], 355);
    EXPECT_EQ(j["Fup"], 470);
    EXPECT_EQ(j["ProjectFile"], project);
    EXPECT_TRUE(j["CalcFailure"].is_null());
    EXPECT_EQ(j["ResultRow"], j["ResultRow"].get<int>());
}

TEST_F(CliTest, CalcTextPrintsOneTabSeparatedRowPerLine) {
    const std::string project = Path("p.kelvo");
    ASSERT_EQ(Cli("new -o '" + project + "'").status, 0);
    for (const char* mode : {"1", "2", "3"}) {
        SCOPED_TRACE(mode);
        const CliRun calc = Cli("calc '" + project + "' --mode " + mode);
        ASSERT_EQ(calc.status, 0) << calc.err;
        ASSERT_FALSE(calc.out.empty());
        std::size_t start = 0;
        while (start < calc.out.size()) {
            const std::size_t end = calc.out.find('\n', start);
            ASSERT_NE(end, std::string::npos);
            const std::string line = calc.out.substr(start, end - start);
            EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
            start = end + 1;
        }
        const bool buckling = calc.out.rfind("(Rule/Buckling", 0) == 0;
        EXPECT_EQ(buckling, std::string(mode) != "2");
        EXPECT_EQ(calc.out.find("Rule/Scantling") != std::string::npos, std::string(mode) != "1");
    }
}

TEST_F(CliTest, BadUsageAndUnreadableFilesExitWithTwoAndOneLine) {
    struct Row {
        const char* name;
        std::string args;
        std::string message;
    };
    const std::string missing = Path("missing.kelvo");
    const std::string broken = Path("broken.kelvo");
    std::ofstream(broken, std::ios::binary) << "202\r\n\"Project\"\r\n";
    const Row rows[] = {
        {"no command", "", ""},
        {"unknown command", "frobnicate", "unknown command 'frobnicate'"},
        {"bad mode", "calc x.kelvo --mode 5", "--mode must be 1, 2 or 3, not '5'"},
        {"missing value", "new -o", "missing value after -o"},
        {"bad decimal", "new -o a --decimal dot", "--decimal must be point or comma"},
        {"unknown option", "calc x.kelvo --fast", "unknown option --fast"},
        {"missing file", "calc '" + missing + "'", "can't find file - " + missing},
        {"truncated file", "calc '" + broken + "'", "can't read file - " + broken},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const CliRun run = Cli(r.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(r.message), std::string::npos) << run.err;
    }
}

TEST_F(CliTest, SpacingWarningsGoToStandardError) {
    const std::string project = Path("p.kelvo");
    ASSERT_EQ(Cli("new -o '" + project + "'").status, 0);
    std::string text = ReadBytes(project);
    // Line 23 holds s1: widen it beyond both spans.
    std::size_t pos = 0;
    for (int line = 1; line < 23; ++line) {
        pos = text.find("\r\n", pos) + 2;
    }
    text.replace(pos, text.find("\r\n", pos) - pos, "3100");
    std::ofstream(project, std::ios::binary) << text;
    const CliRun calc = Cli("calc '" + project + "'");
    EXPECT_EQ(calc.status, 0);
    EXPECT_EQ(calc.err, "warning: s1 <= L1  \nwarning: s1 <= L2  \n");
}

}  // namespace
