#include "whatifcommands.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>

#include "clienvironment.h"
#include "core/tables.h"
#include "engine/calculate.h"
#include "engine/capacity.h"
#include "engine/session.h"
#include "engine/sweep.h"
#include "engine/whatifcharts.h"
#include "files/atomicfile.h"
#include "recordjson.h"

#include "qtpart.h"

namespace kelvor {

namespace {

// The tool's own wording for a value outside a list: "must be 1, 2 or 3, not '4'".
CLI::Validator OneOf(std::vector<std::string> values, const std::string& words) {
    return CLI::Validator(
        [values, words](std::string& v) {
            return std::find(values.begin(), values.end(), v) != values.end()
                       ? std::string()
                       : "must be " + words + ", not '" + v + "'";
        },
        words);
}

// What every what-if command reads: the project, its mode and the tool's common options.
struct WhatIf {
    CLI::App app;
    std::string file;
    int mode = 0;  // 0: the project's own
    std::string output;
    std::string dataFolder;
    std::string decimal;
    Project p;
    Tables tables;

    explicit WhatIf(const std::string& name) : app("", "kelvor-cli " + name) {
        app.add_option("file", file, "project file")->required();
        app.add_option("--mode", mode, "1 buckling, 2 scantling and yield, 3 both")
            ->check(OneOf({"1", "2", "3"}, "1, 2 or 3"));
        app.add_option("--data", dataFolder, "data folder");
        app.add_option("--decimal", decimal, "point or comma")
            ->check(OneOf({"point", "comma"}, "point or comma"));
    }
    void Output(const char* help) { app.add_option("-o,--output", output, help); }

    // Parses, then starts and opens as calc does. Returns -1 to go on, else the exit status.
    int Open(const std::vector<std::string>& args, std::ostream& err) {
        std::vector<std::string> reversed(args.rbegin(), args.rend() - 1);
        try {
            app.parse(reversed);
        } catch (const CLI::ParseError& e) {
            err << app.get_name() << ": " << e.what() << '\n';
            return 2;
        }
        const std::optional<char> point =
            decimal.empty() ? std::nullopt : std::optional<char>(decimal == "comma" ? ',' : '.');
        for (const std::string& m : StartUp(p, tables, CommandLineEnvironment(dataFolder, point))) {
            err << "warning: " << m << '\n';
        }
        const std::string message = OpenProject(p, tables, file);
        if (!message.empty()) {
            err << message << '\n';
            return 2;
        }
        if (mode == 0) {
            mode = p.AnalysisMode == 1 || p.AnalysisMode == 3 ? p.AnalysisMode : 2;
        }
        p.AnalysisMode = mode;
        return -1;
    }
};

// The painting needs Qt, loaded for it alone; the core-only build says so and writes nothing.
bool WriteChart(const ChartData& chart, const std::string& path, std::ostream& err) {
    std::string message;
    const QtPart* qt = LoadQtPart(message);
    if (!qt) {
        err << (message.empty() ? "chart files need the Qt build" : message) << '\n';
        return false;
    }
    if (!qt->exportChart(chart, path, message)) {
        err << message << '\n';
        return false;
    }
    return true;
}

const SweepInput* InputNamed(const std::string& name, std::ostream& err) {
    const SweepInput* input = FindSweepInput(name);
    if (input == nullptr) {
        err << "no input '" << name << "' to vary; one of " << SweepInputNames() << '\n';
    }
    return input;
}

}  // namespace

int CommandChart(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    WhatIf w("chart");
    w.Output("chart file (.svg, .png or .pdf)");
    w.app.get_option("-o")->required();
    if (const int status = w.Open(args, err); status >= 0) {
        return status;
    }
    Calculate(w.p, w.tables);
    if (!WriteChart(UtilisationChart(w.p, w.mode), w.output, err)) {
        return 2;
    }
    if (w.p.CalcFailure) {
        err << w.p.CalcFailure->Text() << '\n';
        return 1;
    }
    return 0;
}

// The crossings go to standard output, one a line: check, value, the side it fails on.
int CommandSweep(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    WhatIf w("sweep");
    std::string vary, csv;
    w.app.add_option("--vary", vary, "NAME=MIN:MAX:STEPS")->required();
    w.app.add_option("--csv", csv, "the numbers of every step");
    w.Output("chart file (.svg, .png or .pdf)");
    if (const int status = w.Open(args, err); status >= 0) {
        return status;
    }
    SweepRequest request;
    std::string problem = ParseSweepRange(vary, request);
    request.mode = w.mode;
    if (problem.empty()) {
        problem = CheckSweepRequest(w.p, request);
    }
    if (!problem.empty()) {
        err << problem << '\n';
        return 2;
    }
    const SweepResult sweep = RunSweep(w.p, w.tables, request);
    if (!csv.empty() && !SaveAtomically(csv, SweepCsv(sweep))) {
        err << "can't save file - " << csv << '\n';
        return 2;
    }
    if (!w.output.empty() && !WriteChart(SweepChart(sweep), w.output, err)) {
        return 2;
    }
    const char* unit = InputUnit(*request.input);
    for (const SweepCrossing& c : sweep.crossings) {
        out << CheckName(c.check) << " reaches its limit at " << request.input->name << " = "
            << FourFigures(c.x) << (*unit ? " " : "") << unit << " (fails "
            << (c.failsAbove ? "above" : "below") << ")\n";
    }
    if (sweep.failedRuns > 0) {
        err << "warning: " << SweepChart(sweep).failure << '\n';
    }
    return 0;
}

int CommandCapacity(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    WhatIf w("capacity");
    std::string vary;
    bool json = false;
    w.app.add_option("--vary", vary, "NAME")->required();
    w.app.add_flag("--json", json, "the answer as a JSON object");
    if (const int status = w.Open(args, err); status >= 0) {
        return status;
    }
    const SweepInput* input = InputNamed(vary, err);
    if (input == nullptr) {
        return 2;
    }
    const Capacity c = FindCapacity(w.p, w.tables, *input, w.mode);
    if (!json) {
        out << c.Sentence() << '\n';
        return 0;
    }
    nlohmann::ordered_json j;
    j["input"] = input->name;
    j["unit"] = InputUnit(*input);
    j["mode"] = c.mode;
    // The values as the record holds them, single precision, written as typed.
    j["projectValue"] = SingleJson(static_cast<float>(c.projectValue));
    j["passesAtProject"] = c.passesAtProject;
    j["found"] = c.found;
    j["value"] = c.found ? SingleJson(static_cast<float>(c.value)) : nullptr;
    j["searchedTo"] = c.found ? nullptr : SingleJson(static_cast<float>(c.searchedTo));
    j["governs"] = c.governs;
    j["sentence"] = c.Sentence();
    out << j.dump(2) << '\n';
    return 0;
}

}  // namespace kelvor
