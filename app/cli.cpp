#include "cli.h"

#include "clienvironment.h"
#include "cliparse.h"
#include "whatifcommands.h"

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>


#include "engine/calculate.h"
#include "core/project.h"
#include "engine/session.h"
#include "core/tables.h"
#include "engine/batchrun.h"
#include "files/datafolder.h"
#include "files/projectfile.h"
#include "profiles/catalogue.h"
#include "recordjson.h"
#include "searchcommand.h"

#include "qtpart.h"

namespace kelvor {

namespace {

constexpr const char* kUsage =
    "usage: kelvor-cli new -o FILE.kelvo | calc FILE.kelvo [--mode 1|2|3] [--json]"
    " | batch INPUT.kvi [-o OUTPUT.kvo] | report FILE.kelvo --mode 1|2|3|4 -o OUT.pdf"
    " [--data DIR] [--decimal point|comma] | search, chart, sweep, capacity FILE.kelvo ..."
    " (kelvor-cli COMMAND --help)";

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

// The options every command takes, on the command's own parser.
void AddCommonOptions(CLI::App& command, Options& o, std::string& decimal) {
    command.add_option("--data", o.dataFolder, "data folder (tables, start-up batch file)")
        ->type_name("DIR");
    command.add_option("--decimal", decimal, "decimal separator of the files")
        ->type_name("point|comma");
}

// What each command takes; the texts the help shows.
struct CommandOptions {
    const char* name;
    const char* description;
    const char* usage;  // the one-line usage a wrong call is answered with
    bool takesOutput;
    const char* outputHelp;
    bool takesMode;
    bool takesJson;
};

constexpr CommandOptions kCommands[] = {
    {"new", "write a new project with the defaults", "usage: kelvor-cli new -o FILE.kelvo", true,
     "project file to write", false, false},
    {"calc", "recalculate; print the result list, or the record as JSON",
     "usage: kelvor-cli calc FILE.kelvo [--mode 1|2|3] [--json]", false, nullptr, true, true},
    {"batch", "run a batch file (default output: INPUT with .kvo)",
     "usage: kelvor-cli batch INPUT.kvi [-o OUTPUT.kvo]", true, "result file to write", false,
     false},
    {"report", "the report as PDF (1 buckling, 2 scantling/yield, 3 both, 4 scantling)",
     "usage: kelvor-cli report FILE.kelvo --mode 1|2|3|4 -o OUT.pdf", true, "PDF file to write",
     true, false},
};

// Commands that read their own options (args[0] is the command); the help lists them too.
struct OwnCommand {
    const char* name;
    const char* description;
    const char* usage;
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

constexpr OwnCommand kOwnCommands[] = {
    {"search", "the lightest panels that pass, from the profile tables", kSearchUsage,
     SearchCommand},
    {"chart", "the utilisation chart of the run as SVG, PNG or PDF",
     "usage: kelvor-cli chart FILE.kelvo [--mode 1|2|3] -o OUT.svg|OUT.png|OUT.pdf", CommandChart},
    {"sweep", "every factor while one input varies over a range",
     "usage: kelvor-cli sweep FILE.kelvo --vary NAME=MIN:MAX:STEPS [--mode 1|2|3] [--csv OUT.csv]"
     " [-o OUT.svg|png|pdf]",
     CommandSweep},
    {"capacity", "how far one input may go before a check fails",
     "usage: kelvor-cli capacity FILE.kelvo --vary NAME [--mode 1|2|3] [--json]",
     CommandCapacity},
};

bool IsCommand(std::string_view name) {
    for (const CommandOptions& c : kCommands) {
        if (name == c.name) {
            return true;
        }
    }
    return false;
}

std::string ModeText(const std::string& command, const std::string& m) {
    // Kind 4, the scantling report, exists only on paper.
    const bool paperOnly = command == "report" && m == "4";
    if (!paperOnly && m != "1" && m != "2" && m != "3") {
        throw UsageError{std::string("--mode must be 1, 2") +
                         (command == "report" ? ", 3 or 4" : " or 3") + ", not '" + m + "'"};
    }
    return m;
}

// Parses a command's arguments; nullopt when help or the version was asked for and printed.
std::optional<Options> Parse(const std::vector<std::string>& args, std::ostream& out) {
    if (args.empty()) {
        throw UsageError{kUsage};
    }
    CLI::App app{"Kelvor: checks of one stiffened plate panel of an offshore structure",
                 "kelvor-cli"};
    app.set_version_flag("--version", std::string("kelvor-cli ") + KELVOR_VERSION);
    app.footer(kUsage);
    Options o;
    std::string mode;
    std::string decimal;
    for (const CommandOptions& c : kCommands) {
        CLI::App* command = app.add_subcommand(c.name, c.description);
        command->footer(c.usage);
        command->add_option("file", o.positional, "the input file")->type_name("FILE");
        if (c.takesOutput) {
            command->add_option("-o,--output", o.output, c.outputHelp)->type_name("FILE");
        }
        if (c.takesMode) {
            command->add_option("--mode", mode, "result blocks or report kind")
                ->type_name(std::string_view(c.name) == "report" ? "1|2|3|4" : "1|2|3");
        }
        if (c.takesJson) {
            command->add_flag("--json", o.json, "print the whole record as JSON");
        }
        AddCommonOptions(*command, o, decimal);
    }
    for (const OwnCommand& c : kOwnCommands) {
        app.add_subcommand(c.name, c.description);
    }
    const std::string& first = args[0];
    if (!first.starts_with('-') && !IsCommand(first)) {
        throw UsageError{"unknown command '" + first + "'; " + kUsage};
    }
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        const CLI::App* asked = app.get_subcommands().empty() ? &app : app.get_subcommands()[0];
        out << asked->help();
        return std::nullopt;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return std::nullopt;
    } catch (const CLI::ParseError& e) {
        throw UsageError{ParseFailureText(e, args)};
    }
    if (app.get_subcommands().empty()) {
        throw UsageError{kUsage};
    }
    o.command = app.get_subcommands()[0]->get_name();
    if (!mode.empty()) {
        o.mode = ModeText(o.command, mode)[0] - '0';
    }
    if (decimal == "point") {
        o.decimalPoint = '.';
    } else if (decimal == "comma") {
        o.decimalPoint = ',';
    } else if (!decimal.empty()) {
        throw UsageError{"--decimal must be point or comma, not '" + decimal + "'"};
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
    std::string unavailable;
    const QtPart* qt = LoadQtPart(unavailable);
    if (!qt) {
        err << (unavailable.empty() ? "report needs the Qt build" : unavailable) << '\n';
        return 2;
    }
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
    std::string written;
    if (!qt->writeReportPdf(p, tables, *o.mode, o.output, written)) {
        err << written << '\n';
        return 2;
    }
    if (p.CalcFailure) {
        err << p.CalcFailure->Text() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

void StartCliProject(Project& p, Tables& tables, const std::string& dataFolder,
                     std::optional<char> decimalPoint, std::ostream& err) {
    Options o;
    o.dataFolder = dataFolder;
    o.decimalPoint = decimalPoint;
    StartProject(p, tables, o, err);
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        for (const OwnCommand& command : kOwnCommands) {
            if (!args.empty() && args[0] == command.name) {
                const bool help = std::find_if(args.begin(), args.end(), [](const std::string& a) {
                                      return a == "--help" || a == "-h";
                                  }) != args.end();
                if (help) {
                    out << command.description << '\n' << command.usage << '\n';
                    return 0;
                }
                return command.run(args, out, err);
            }
        }
        const std::optional<Options> parsed = Parse(args, out);
        if (!parsed) {
            return 0;
        }
        const Options& o = *parsed;
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
