// `kelvor-cli report` end to end: a one-page PDF whose text holds the header, the inputs, the
// designations and the result rows of the kind asked for; usage and output errors.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Ran {
    int status;
    std::string out, err;
};

class ReportCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kelvor-report-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        project_ = (dir_ / "p.kelvo").string();
        ASSERT_EQ(Shell(Quoted(KELVOR_CLI) + " new -o " + Quoted(project_)).status, 0);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::string Quoted(const std::string& s) { return "'" + s + "'"; }
    static std::string Slurp(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    Ran Shell(const std::string& command) {
        const fs::path out = dir_ / "stdout", err = dir_ / "stderr";
        const std::string line = std::string("KELVOR_DATA_DIR=") + Quoted(KELVOR_SOURCE_DATA_DIR) +
                                 " " + command + " >" + Quoted(out) + " 2>" + Quoted(err);
        const int raw = std::system(line.c_str());
        return {WEXITSTATUS(raw), Slurp(out), Slurp(err)};
    }
    Ran Report(const std::string& args) {
        Ran run = Shell(Quoted(KELVOR_CLI) + " report " + args);
        if (run.status == 2 && run.err == "report needs the Qt build\n") {
            qtless_ = true;
        }
        return run;
    }
    static bool HavePdfToText() { return std::system("command -v pdftotext >/dev/null") == 0; }

    fs::path dir_;
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
        const Ran run =
            Report(Quoted(project_) + " --mode " + std::to_string(r.kind) + " -o " + Quoted(pdf));
        if (qtless_) {
            GTEST_SKIP() << "core-only build";
        }
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        ASSERT_EQ(Slurp(pdf).substr(0, 4), "%PDF");
        if (!HavePdfToText()) {
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        }
        const fs::path text = dir_ / "r.txt";
        ASSERT_EQ(Shell("pdftotext " + Quoted(pdf) + " " + Quoted(text)).status, 0);
        const std::string content = Slurp(text);
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
        const Ran run = Report(r.args);
        EXPECT_EQ(run.status, 2);
        if (!qtless_) {
            EXPECT_EQ(run.err, r.message);
        }
    }
    // Kind 4 exists only on paper.
    const Ran calc = Shell(Quoted(KELVOR_CLI) + " calc " + Quoted(project_) + " --mode 4");
    EXPECT_EQ(calc.status, 2);
    EXPECT_EQ(calc.err, "--mode must be 1, 2 or 3, not '4'\n");
}

}  // namespace
