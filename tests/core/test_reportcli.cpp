// `kelvor-cli report` end to end: a one-page PDF whose text holds the header, the inputs, the
// designations and the result rows of the kind asked for; usage and output errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "testsupport.h"

namespace {

namespace fs = std::filesystem;

using namespace testsupport;

class ReportCli : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        project_ = (dir_ / "p.kelvo").string();
        ASSERT_EQ(Cli("new -o " + Quoted(project_)).status, 0);
    }
    CliRun Report(const std::string& args) {
        CliRun run = Shell(Quoted(KELVOR_CLI) + " report " + args);
        if (run.status == 2 && run.err == "report needs the Qt build\n") {
            qtless_ = true;
        }
        return run;
    }
    static bool HavePdfToText() { return std::system("command -v pdftotext >/dev/null") == 0; }

    std::string project_;
    bool qtless_ = false;
};

TEST_F(ReportCli, EachKindWritesOnePageWithItsRows) {
    struct Row {
        int kind;
        std::vector<std::string> present, absent;
    };
    const std::vector<std::string> common = {"Kelvor",
                                             "Date: ",
                                             "Time: ",
                                             "File: ",
                                             "Project: Project",
                                             "Yield stress: Fyp/Fys = 355/355 MPa",
                                             "L1 = 3000 mm",
                                             "L 200x90x9.0x14.0",
                                             "T 800x200x10.0x20.0",
                                             "Web: hw/tw = 20.7 <= 36.1 OK (Ch 9.9)"};
    const Row rows[] = {
        {1, {"SigxA = -100.0 MPa", "UFgbu=", "0.30"}, {"PLATE SCANTLING:", "ps = "}},
        {2,
         {"Plate/Stiff/Girder check based on ABS", "PLATE SCANTLING:", "Point 1s: UF"},
         {"UFgbu="}},
        {3, {"Scantling of Plate/Stiff/Girder", "UFgbu=", "Min thickness of web = 11.0 mm"}, {}},
        {4, {"ps = 0.030 MPa (Scantling)", "UFgbu=", "PLATE SCANTLING:"}, {"SigxA = "}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.kind);
        const std::string pdf = (dir_ / ("r" + std::to_string(r.kind) + ".pdf")).string();
        const CliRun run =
            Report(Quoted(project_) + " --mode " + std::to_string(r.kind) + " -o " + Quoted(pdf));
        if (qtless_) {
            GTEST_SKIP() << "core-only build";
        }
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        ASSERT_EQ(ReadBytes(pdf).substr(0, 4), "%PDF");
        if (!HavePdfToText()) {
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        }
        const fs::path text = dir_ / "r.txt";
        ASSERT_EQ(Shell("pdftotext " + Quoted(pdf) + " " + Quoted(text)).status, 0);
        const std::string content = ReadBytes(text);
        // pdftotext ends every page with a form feed.
        EXPECT_EQ(std::count(content.begin(), content.end(), '\f'), 1);
        for (const std::string& s : common) {
            EXPECT_NE(content.find(s), std::string::npos) << s;
        }
        for (const std::string& s : r.present) {
            EXPECT_NE(content.find(s), std::string::npos) << s;
        }
        for (const std::string& s : r.absent) {
            EXPECT_EQ(content.find(s), std::string::npos) << s;
        }
    }
}

TEST_F(ReportCli, UsageAndOutputErrors) {
    const struct {
        const char* name;
        std::string args;
        std::string message;
    } rows[] = {
        {"no kind", Quoted(project_) + " -o x.pdf",
         "usage: kelvor-cli report FILE.kelvo --mode 1|2|3|4 -o OUT.pdf\n"},
        {"no output", Quoted(project_) + " --mode 1",
         "usage: kelvor-cli report FILE.kelvo --mode 1|2|3|4 -o OUT.pdf\n"},
        {"bad kind", Quoted(project_) + " --mode 5 -o x.pdf",
         "--mode must be 1, 2, 3 or 4, not '5'\n"},
        {"unwritable", Quoted(project_) + " --mode 1 -o " + Quoted((dir_ / "no/r.pdf").string()),
         "can't save file - " + (dir_ / "no/r.pdf").string() + "\n"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const CliRun run = Report(r.args);
        EXPECT_EQ(run.status, 2);
        if (!qtless_) {
            EXPECT_EQ(run.err, r.message);
        }
    }
    // Kind 4 exists only on paper.
    const CliRun calc = Shell(Quoted(KELVOR_CLI) + " calc " + Quoted(project_) + " --mode 4");
    EXPECT_EQ(calc.status, 2);
    EXPECT_EQ(calc.err, "--mode must be 1, 2 or 3, not '4'\n");
}

}  // namespace
