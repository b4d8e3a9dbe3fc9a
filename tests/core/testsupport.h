// Helpers shared by the core tests: whole-file bytes, a per-test temporary folder, the
// command-line tool run through the shell, a hand-set stiffened panel, and the cause a check
// gives for failing.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/calcerror.h"
#include "engine/calculate.h"
#include "core/project.h"
#include "core/resultline.h"

namespace testsupport {

namespace fs = std::filesystem;

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string Quoted(const std::string& s) { return "'" + s + "'"; }

struct CliRun {
    int status;
    std::string out, err;
};

// A fresh folder named after the running test, removed afterwards.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               (std::string("kelvor-") + info->test_suite_name() + "-" + info->name() + "-" +
                std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        WriteBytes(dir_ / name, bytes);
    }

    // Runs `command` with the shipped data folder; output is captured in the folder.
    CliRun Shell(const std::string& command) const {
        const fs::path out = dir_ / "stdout", err = dir_ / "stderr";
        const std::string line = std::string("KELVOR_DATA_DIR=") + Quoted(KELVOR_SOURCE_DATA_DIR) +
                                 " " + command + " >" + Quoted(out) + " 2>" + Quoted(err);
        const int raw = std::system(line.c_str());
        return {WEXITSTATUS(raw), ReadBytes(out), ReadBytes(err)};
    }
    CliRun Cli(const std::string& args) const { return Shell(Quoted(KELVOR_CLI) + " " + args); }

    fs::path dir_;
};

// The steps of the run of the given routines, in the order given.
inline std::vector<kelvor::CalcStep> Steps(std::initializer_list<const char*> routines) {
    std::vector<kelvor::CalcStep> steps;
    for (const char* name : routines) {
        for (const kelvor::CalcStep& s : kelvor::CalculationSteps()) {
            if (std::strcmp(s.routine, name) == 0) {
                steps.push_back(s);
            }
        }
    }
    return steps;
}

// One step alone as a run makes it: its numbers, then its texts; a failure is thrown on.
inline void RunStep(const kelvor::CalcStep& step, kelvor::Project& p,
                    const kelvor::Tables& tables) {
    kelvor::RunResults results;
    try {
        step.run(p, tables, results);
    } catch (const kelvor::CalcError&) {
        if (step.describe && step.describeFailed) {
            step.describe(p, results);
        }
        throw;
    }
    if (step.describe) {
        step.describe(p, results);
    }
}

// NewProject's geometry and loads (s1 = s2 = 625, t = 20, L1 = 3000, L2 = 2500, Lg = 8000,
// SigxA = SigxB = -100, SigyA = SigyC = -30, p = 0.03, n = 0.6), both materials at 355 MPa,
// se = 500, an open stiffener and round section properties set by hand.
inline kelvor::Project RoundPanel() {
    kelvor::Project p;
    kelvor::NewProject(p);
    p.Fyp = 355;
    p.Fys = 355;
    p.Pr = 0.6;
    p.se = 500;
    p.StiffArea = 3000;
    p.Ae = 13000;
    p.rGyr = 60;
    p.Ws_be = 300000;
    p.I_sw = 6e7;
    p.StiffGamma = 4e10;
    p.StiffIo = 7e7;
    p.StiffK = 1.2e5f;
    p.Ie = 6e7;
    p.zp = 30;
    p.GirderArea = 12000;
    kelvor::StressDistribution(p);
    return p;
}

// ----- result lines and failures of the checks

// The cause a check gives for failing, or "no failure".
template <typename Run>
std::string CalcFailureOf(Run run) {
    try {
        run();
    } catch (const kelvor::CalcError& e) {
        return e.what();
    }
    return "no failure";
}

}  // namespace testsupport
