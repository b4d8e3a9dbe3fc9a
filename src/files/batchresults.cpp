// The result file of a batch run, its name and the start-up run. One table of the 44 columns
// is walked by the header and by every line, so that a heading can never drift from its column.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <span>
#include <string_view>
#include <system_error>

#include "core/calculate.h"
#include "core/numformat.h"
#include "core/project.h"
#include "files/atomicfile.h"
#include "files/batchfile.h"

namespace kelvor {

namespace {

struct LineInput {
    const Project& p;
    const BatchEntry& e;
    char sep;
};

using Writer = std::string (*)(const LineInput&);

struct Column {
    const char* heading;
    // The calculation step that computes the column; null for an input or a fixed word, which
    // a failed calculation can't leave undone.
    const char* producer;
    Writer write;
};

constexpr double kNotApplicable = -99;  // UFbu when the beam-column check does not apply

// Inputs are formatted in single precision, results in double: the two give different digits
// for the same binary value.
template <typename Real>
std::string Factor(Real value, char sep) {
    return Format(value, "0.00", sep);
}

std::string Strengths(float fy, float fu, char sep) {
    return Format(fy, "0", sep) + "/" + Format(fu, "0", sep);
}

// Page 0 watertight bulkhead, 1 tank bulkhead, others upper structure (the reader admits 0..2).
int Page(int tab) { return tab == 0 || tab == 1 ? tab : 2; }

std::string Structure(const Project& p) {
    static constexpr const char* kWords[] = {"Watertight bulkhead", "Tank bulkhead",
                                             "Upper Structure"};
    return kWords[Page(p.CFactorTab)];
}

std::string EndAttachment(const Project& p) {
    static constexpr const char* kWords[3][2] = {
        {" Ends attached", " No end attachment"},
        {" Clip attachment", " Supported at both ends by girder"},
        {" Clear of tanks", " In way of tanks"},
    };
    return kWords[Page(p.CFactorTab)][p.CFactorOption == 0 ? 0 : 1];
}

std::string Section(const char* code, float H, float B, float tw, float tf, int parts, char sep) {
    std::string out = code + Format(H, "00", sep);
    if (parts == 4) {
        out += "x" + Format(B, "00", sep);
    }
    out += "x" + Format(tw, "0.0", sep);
    if (parts == 4) {
        out += "x" + Format(tf, "#0.0", sep);
    }
    return out;
}

std::string Stiffener(const LineInput& in) {
    for (const BatchStiffenerCode& c : kBatchStiffenerCodes) {
        if (c.family == in.e.StiffFamily) {
            const Project& p = in.p;
            return Section(c.written, p.StiffH, p.StiffB, p.StiffTw, p.StiffTf, c.parts, in.sep);
        }
    }
    return {};
}

std::string Girder(const LineInput& in) {
    for (const BatchGirderCode& g : kBatchGirderCodes) {
        if (g.family == in.e.GirderFamily) {
            const Project& p = in.p;
            return Section(g.code, p.GirderH, p.GirderB, p.GirderTw, p.GirderTf, 4, in.sep);
        }
    }
    return {};
}

std::string BeamColumn(double value, const LineInput& in) {
    return in.p.UFbu == kNotApplicable ? "N/A" : Factor(value, in.sep);
}

template <auto field>
std::string General(const LineInput& in) {
    return GeneralFormat(in.p.*field, in.sep);
}

template <auto field>
std::string FactorOf(const LineInput& in) {
    return Factor(in.p.*field, in.sep);
}

std::string LoadingCondition(const LineInput& in) {
    const int c = in.p.LoadingCondition;
    return c == 0 ? "A" : c == 1 ? "B" : "C";
}

std::string UnitLength(const LineInput& in) {
    return in.p.CFactorTab == 0 ? Format(in.p.UnitLength, "00", in.sep) : std::string("-");
}

// clang-format off
const Column kColumns[] = {
    {"Project:", nullptr, [](const LineInput& in) { return in.p.ProjectName; }},
    {"Identification:", nullptr, [](const LineInput& in) { return in.p.Identification; }},
    {"Loading Cond:", nullptr, LoadingCondition},
    {"Factor of Safety F.S:", nullptr, FactorOf<&Project::FS>},
    {"Allowable Usage factor:", nullptr, FactorOf<&Project::UFallow>},
    {"Material-plate: Fy/Fu", nullptr,
     [](const LineInput& in) { return Strengths(in.p.Fyp, in.p.Fup, in.sep); }},
    {"Material-stiff: Fy/Fu", nullptr,
     [](const LineInput& in) { return Strengths(in.p.Fys, in.p.Fus, in.sep); }},
    {"E-modulus:", nullptr, [](const LineInput& in) { return Format(in.p.E, "0.00E+0", in.sep); }},
    {"Bulkhead type:", nullptr, [](const LineInput& in) { return Structure(in.p); }},
    {"Unit Length:", nullptr, UnitLength},
    {"Stiffener:", nullptr, [](const LineInput& in) { return EndAttachment(in.p); }},
    {"C-factor:", "c-factor", FactorOf<&Project::c>},
    {"Stiff Prof:", nullptr, Stiffener},
    {"Gird Prof:", nullptr, Girder},
    {"L1", nullptr, General<&Project::L1>},
    {"L2", nullptr, General<&Project::L2>},
    {"Lg", nullptr, General<&Project::Lg>},
    {"Lgs", nullptr, General<&Project::Lgs>},
    {"Lt", nullptr, General<&Project::Lt>},
    {"t", nullptr, General<&Project::t>},
    {"s1", nullptr, General<&Project::s1>},
    {"s2", nullptr, General<&Project::s2>},
    {"SigxA", nullptr, General<&Project::SigxA>},
    {"SigxB", nullptr, General<&Project::SigxB>},
    {"SigyA", nullptr, General<&Project::SigyA>},
    {"SigyC", nullptr, General<&Project::SigyC>},
    {"Tau", nullptr, General<&Project::Tau>},
    {"p", nullptr, General<&Project::p>},
    {"ps", nullptr, General<&Project::ps>},
    {"Buckling", nullptr, [](const LineInput&) { return std::string("Buckling"); }},
    {"UFpb", "plate buckling", FactorOf<&Project::UFpb>},
    {"UFpu", "plate buckling", FactorOf<&Project::UFpu>},
    {"UFpl", "plate buckling", FactorOf<&Project::UFpl>},
    {"UFb", "stiffener buckling", [](const LineInput& in) { return BeamColumn(in.p.UFbu, in); }},
    {"UFbt", "stiffener buckling", [](const LineInput& in) { return BeamColumn(in.p.UFbt, in); }},
    {"UFst", "stiffener stiffness", FactorOf<&Project::UFs>},
    {"UFgbu", "overall buckling", FactorOf<&Project::UFgbu>},
    {"Scant/Yield", nullptr, [](const LineInput&) { return std::string("Scant/Yield"); }},
    {"UFt", "plate scantling", FactorOf<&Project::UFt>},
    {"UFsm", "stiffener scantling", FactorOf<&Project::UFsm>},
    {"UFgm", "girder scantling", FactorOf<&Project::UFgm>},
    {"UFy", "plate yield", [](const LineInput& in) { return Format(in.p.UFy, "0.0#", in.sep); }},
    {"UFyp", "stiffener yield", FactorOf<&Project::UFyp>},
    {"UFys", "stiffener yield", FactorOf<&Project::UFys>},
};
// clang-format on

static_assert(std::size(kColumns) == kBatchColumnCount);

constexpr std::size_t kNoStep = static_cast<std::size_t>(-1);

std::size_t StepIndex(std::string_view routine) {
    const std::span<const CalcStep> steps = CalculationSteps();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (routine == steps[i].routine) {
            return i;
        }
    }
    return kNoStep;
}

// Steps that ran to their end. A failure outside the steps (the panel's own input) came before
// the first of them.
std::size_t CompletedSteps(const Project& p) {
    if (!p.CalcFailure) {
        return CalculationSteps().size();
    }
    const std::size_t failed = StepIndex(p.CalcFailure->routine);
    return failed == kNoStep ? 0 : failed;
}

// ----- writing


}  // namespace

std::string BatchHeaderLine() {
    std::string line;
    for (const Column& c : kColumns) {
        if (!line.empty()) {
            line += '\t';
        }
        line += c.heading;
    }
    return line;
}

std::string BatchResultLine(const Project& p, const BatchEntry& e, char decimalSeparator) {
    const LineInput in{p, e, decimalSeparator};
    const std::size_t completed = CompletedSteps(p);
    std::string line;
    bool first = true;
    for (const Column& c : kColumns) {
        if (!first) {
            line += '\t';
        }
        first = false;
        // A producer that is no step at all never counts as done: a renamed step shows up as
        // ERROR in every file rather than as a stale factor.
        const bool computed = c.producer == nullptr || StepIndex(c.producer) < completed;
        line += computed ? c.write(in) : "ERROR";
    }
    return line;
}

FileResult WriteBatchResults(Project& p, const Tables& tables, const BatchTable& table,
                             const std::string& path, char decimalSeparator,
                             std::vector<BatchFailure>* failures) {
    std::string content = BatchHeaderLine() + "\r\n";
    for (std::size_t k = 0; k < table.entries.size(); ++k) {
        const BatchEntry& e = table.entries[k];
        if (e.comment) {
            content += e.text + "\r\n";
            continue;
        }
        RunBatchRecord(p, tables, table, static_cast<int>(k));
        content += BatchResultLine(p, e, decimalSeparator) + "\r\n";
        if (p.CalcFailure && failures != nullptr) {
            failures->push_back({static_cast<int>(k), e.line, p.CalcFailure->Text()});
        }
    }
    FileResult result;
    result.ok = SaveAtomically(path, content);
    if (!result.ok) {
        result.message = "can't save file - " + path;
    }
    return result;
}

std::string BatchOutputPath(const std::string& input) {
    constexpr std::string_view kIn = ".kvi";
    if (input.size() >= kIn.size()) {
        const std::string_view end = std::string_view(input).substr(input.size() - kIn.size());
        bool match = true;
        for (std::size_t i = 0; i < kIn.size(); ++i) {
            const char c = end[i] >= 'A' && end[i] <= 'Z' ? static_cast<char>(end[i] + 32) : end[i];
            match = match && c == kIn[i];
        }
        if (match) {
            return input.substr(0, input.size() - kIn.size()) + ".kvo";
        }
    }
    return input + ".kvo";
}

bool RunStartupBatch(Project& p, const Tables& tables, const std::string& dataFolder,
                     char decimalSeparator, int decimalMode) {
    namespace fs = std::filesystem;
    const fs::path folder(dataFolder);
    const BatchReadResult read =
        ReadBatchFile((folder / "dummy.kvi").string(), tables, decimalMode);
    if (!read.ok) {
        return false;
    }
    const auto& entries = read.table.entries;
    const auto panel = std::find_if(entries.begin(), entries.end(),
                                    [](const BatchEntry& e) { return !e.comment; });
    RunBatchRecord(p, tables, read.table, static_cast<int>(panel - entries.begin()));
    return WriteBatchResults(p, tables, read.table, (folder / "dummy.kvo").string(),
                             decimalSeparator)
        .ok;
}

}  // namespace kelvor
