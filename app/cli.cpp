#include "cli.h"

#include "clienvironment.h"
#include "whatifcommands.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>

#include "engine/calculate.h"
#include "core/project.h"
#include "engine/session.h"
#include "core/tables.h"
#include "engine/batchrun.h"
#include "files/datafolder.h"
#include "files/projectfile.h"
#include "profiles/catalogue.h"
#include "recordjson.h"

#ifdef KELVOR_CLI_REPORT
#include "qt/pdfreport.h"
#endif

namespace kelvor {

namespace {

constexpr const char* kUsage =
    "usage: kelvor-cli new -o FILE.kelvo | calc FILE.kelvo [--mode 1|2|3] [--json]"
    " | batch INPUT.kvi [-o OUTPUT.kvo] | report FILE.kelvo --mode 1|2|3|4 -o OUT.pdf"
    " [--data DIR] [--decimal point|comma]";

struct Options {
    std::string command;
    std::vector<std::string> positional;
    std::string output;
    std::optional<int> mode;
    bool json = false;
    std::string dataFolder;
    std::optional<char> decimalPoint;
};

struct UsageError {
    std::string text;
};

Options Parse(const std::vector<std::string>& args) {
    Options o;
    if (args.empty()) {
        throw UsageError{kUsage};
    }
    o.command = args[0];
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) {
                throw UsageError{"missing value after " + a};
            }
            return args[++i];
        };
        if (a == "-o" || a == "--output") {
            o.output = value();
        } else if (a == "--mode") {
            const std::string& m = value();
            // Kind 4, the scantling report, exists only on paper.
            const bool paperOnly = o.command == "report" && m == "4";
            if (!paperOnly && m != "1" && m != "2" && m != "3") {
                throw UsageError{std::string("--mode must be 1, 2") +
                                 (o.command == "report" ? ", 3 or 4" : " or 3") + ", not '" + m +
                                 "'"};
            }
            o.mode = m[0] - '0';
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--data") {
            o.dataFolder = value();
        } else if (a == "--decimal") {
            const std::string& d = value();
            if (d == "point") {
                o.decimalPoint = '.';
            } else if (d == "comma") {
                o.decimalPoint = ',';
            } else {
                throw UsageError{"--decimal must be point or comma, not '" + d + "'"};
            }
        } else if (!a.empty() && a[0] == '-') {
            throw UsageError{"unknown option " + a};
        } else {
            o.positional.push_back(a);
        }
    }
    return o;
}

StartupEnvironment Environment(const Options& o) {
    return CommandLineEnvironment(o.dataFolder, o.decimalPoint);
}

void StartProject(Project& p, Tables& tables, const Options& o, std::ostream& err) {
    for (const std::string& m : StartUp(p, tables, Environment(o))) {
        err << "warning: " << m << '\n';
    }
}

int CommandNew(const Options& o, std::ostream& err) {
    if (o.output.empty() || !o.positional.empty()) {
        throw UsageError{"usage: kelvor-cli new -o FILE.kelvo"};
    }
    Project p;
    Tables tables;
    StartProject(p, tables, o, err);
    std::string path = o.output;
    const FileResult written = WriteProjectFile(p, path);
    if (!written.ok) {
        err << written.message << '\n';
        return 2;
    }
    return 0;
}

void PrintRows(const Project& p, std::ostream& out) {
    for (const ResultListRow& row : p.Result.rows) {
        out << row.text << '\t' << row.value << '\t' << row.reference << '\n';
    }
}

int CommandCalc(const Options& o, std::ostream& out, std::ostream& err) {
    if (o.positional.size() != 1 || !o.output.empty()) {
        throw UsageError{"usage: kelvor-cli calc FILE.kelvo [--mode 1|2|3] [--json]"};
    }
    Project p;
    Tables tables;
    StartProject(p, tables, o, err);
    const std::string message = OpenProject(p, tables, o.positional[0]);
    if (!message.empty()) {
        err << message << '\n';
        return 2;
    }
    if (o.mode) {
        p.AnalysisMode = *o.mode;
    }
    Calculate(p, tables);
    for (const SpacingMessage& m : p.SpacingMessages) {
        err << "warning:" << m.text << '\n';
    }
    if (o.json) {
        out << RecordJson(p).dump(2) << '\n';
    } else {
        PrintRows(p, out);
    }
    if (p.CalcFailure) {
        err << p.CalcFailure->Text() << '\n';
        return 1;
    }
    return 0;
}

// Every panel is run even when some fail; the file says ERROR where they did, and the status
// tells a script that it has to look.
int CommandBatch(const Options& o, std::ostream& err) {
    if (o.positional.size() != 1 || o.mode || o.json) {
        throw UsageError{"usage: kelvor-cli batch INPUT.kvi [-o OUTPUT.kvo]"};
    }
    Project p;
    Tables tables;
    StartProject(p, tables, o, err);
    const std::string& input = o.positional[0];
    const std::string output = o.output.empty() ? BatchOutputPath(input) : o.output;
    std::error_code ec;
    if (std::filesystem::equivalent(input, output, ec)) {
        err << "the output file must not be the input file - " << output << '\n';
        return 2;
    }
    const BatchRunSummary run = RunBatchFile(p, tables, input, output, DecimalSeparatorOf(p));
    if (!run.ok) {
        err << run.message << '\n';
        return 2;
    }
    if (run.failed > 0) {
        err << run.failed << " of " << run.panels << " panels failed (ERROR in " << output
            << "), the first at line " << run.first.line << ": " << run.first.text << '\n';
        return 1;
    }
    return 0;
}

// Opens and calculates as calc does, so the page shows the run of the printed kind; printing
// itself never recalculates.
int CommandReport(const Options& o, std::ostream& err) {
    if (o.positional.size() != 1 || !o.mode || o.output.empty() || o.json) {
        throw UsageError{"usage: kelvor-cli report FILE.kelvo --mode 1|2|3|4 -o OUT.pdf"};
    }
#ifdef KELVOR_CLI_REPORT
    Project p;
    Tables tables;
    StartProject(p, tables, o, err);
    // The page names the file it came from; a path relative to wherever the tool ran says
    // nothing on paper.
    std::error_code ec;
    const std::filesystem::path file = std::filesystem::absolute(o.positional[0], ec);
    const std::string message = OpenProject(p, tables, ec ? o.positional[0] : file.string());
    if (!message.empty()) {
        err << message << '\n';
        return 2;
    }
    p.AnalysisMode = *o.mode;
    p.PrintMode = *o.mode;
    Calculate(p, tables);
    EnsureGuiApplication();
    std::string written;
    if (!WriteReportPdf(p, tables, *o.mode, o.output, written)) {
        err << written << '\n';
        return 2;
    }
    if (p.CalcFailure) {
        err << p.CalcFailure->Text() << '\n';
        return 1;
    }
    return 0;
#else
    err << "report needs the Qt build\n";
    return 2;
#endif
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        if (!args.empty() && args[0] == "chart") return CommandChart(args, out, err);
        if (!args.empty() && args[0] == "sweep") return CommandSweep(args, out, err);
        if (!args.empty() && args[0] == "capacity") return CommandCapacity(args, out, err);
        const Options o = Parse(args);
        if (o.command == "new") {
            return CommandNew(o, err);
        }
        if (o.command == "calc") {
            return CommandCalc(o, out, err);
        }
        if (o.command == "batch") {
            return CommandBatch(o, err);
        }
        if (o.command == "report") {
            return CommandReport(o, err);
        }
        throw UsageError{"unknown command '" + o.command + "'; " + kUsage};
    } catch (const UsageError& e) {
        err << e.text << '\n';
        return 2;
    } catch (const std::exception& e) {
        // Nothing should get here; if it does, say so in one line rather than abort.
        err << "internal error: " << e.what() << '\n';
        return 2;
    }
}

}  // namespace kelvor
