// The result file of a batch run, its name and the start-up run. One table of the 44 columns
// is walked by the header and by every line, so that a heading can never drift from its column.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>

#include "engine/calculate.h"
#include "checks/checkmath.h"
#include "core/numformat.h"
#include "core/project.h"
#include "files/atomicfile.h"
#include "engine/batchrun.h"
#include "engine/panelworkers.h"

namespace kelvor {

namespace {

struct LineInput {
    const Project& p;
    const BatchEntry& e;
    char sep;
};

// Each column appends its text to the line: a run writes some 400 000 of them.
using Writer = void (*)(const LineInput&, std::string& out);

struct Column {
    const char* heading;
    // The calculation step that computes the column; null for an input or a fixed word, which
    // a failed calculation can't leave undone.
    const char* producer;
    Writer write;
};


// Inputs are formatted in single precision, results in double: the two give different digits
// for the same binary value.
template <typename Real>
void Factor(Real value, char sep, std::string& out) {
    out += FormatText(value, "0.00", sep);
}

void Strengths(float fy, float fu, char sep, std::string& out) {
    out += FormatText(fy, "0", sep);
    out += '/';
    out += FormatText(fu, "0", sep);
}

// Page 0 watertight bulkhead, 1 tank bulkhead, others upper structure (the reader admits 0..2).
int Page(int tab) { return tab == 0 || tab == 1 ? tab : 2; }

void Structure(const LineInput& in, std::string& out) {
    static constexpr const char* kWords[] = {"Watertight bulkhead", "Tank bulkhead",
                                             "Upper Structure"};
    out += kWords[Page(in.p.CFactorTab)];
}

void EndAttachment(const LineInput& in, std::string& out) {
    static constexpr const char* kWords[3][2] = {
        {" Ends attached", " No end attachment"},
        {" Clip attachment", " Supported at both ends by girder"},
        {" Clear of tanks", " In way of tanks"},
    };
    out += kWords[Page(in.p.CFactorTab)][in.p.CFactorOption == 0 ? 0 : 1];
}

void Section(const char* code, float H, float B, float tw, float tf, int parts, char sep,
             std::string& out) {
    out += code;
    out += FormatText(H, "00", sep);
    if (parts == 4) {
        out += 'x';
        out += FormatText(B, "00", sep);
    }
    out += 'x';
    out += FormatText(tw, "0.0", sep);
    if (parts == 4) {
        out += 'x';
        out += FormatText(tf, "#0.0", sep);
    }
}

void Stiffener(const LineInput& in, std::string& out) {
    for (const BatchStiffenerCode& c : kBatchStiffenerCodes) {
        if (c.family == in.e.StiffFamily) {
            const Project& p = in.p;
            Section(c.written, p.StiffH, p.StiffB, p.StiffTw, p.StiffTf, c.parts, in.sep, out);
            return;
        }
    }
}

void Girder(const LineInput& in, std::string& out) {
    for (const BatchGirderCode& g : kBatchGirderCodes) {
        if (g.family == in.e.GirderFamily) {
            const Project& p = in.p;
            Section(g.code, p.GirderH, p.GirderB, p.GirderTw, p.GirderTf, 4, in.sep, out);
            return;
        }
    }
}

template <auto field>
void BeamColumn(const LineInput& in, std::string& out) {
    if (in.p.UFbu == kNotChecked) {  // the beam-column check does not apply
        out += "N/A";
    } else {
        Factor(in.p.*field, in.sep, out);
    }
}

template <auto field>
void General(const LineInput& in, std::string& out) {
    out += GeneralFormat(in.p.*field, in.sep);
}

template <auto field>
void FactorOf(const LineInput& in, std::string& out) {
    Factor(in.p.*field, in.sep, out);
}

void LoadingCondition(const LineInput& in, std::string& out) {
    const int c = in.p.LoadingCondition;
    out += c == 0 ? 'A' : c == 1 ? 'B' : 'C';
}

void UnitLength(const LineInput& in, std::string& out) {
    if (in.p.CFactorTab == 0) {
        out += FormatText(in.p.UnitLength, "00", in.sep);
    } else {
        out += '-';
    }
}

// clang-format off
const Column kColumns[] = {
    {"Project:", nullptr, [](const LineInput& in, std::string& out) { out += in.p.ProjectName; }},
    {"Identification:", nullptr,
     [](const LineInput& in, std::string& out) { out += in.p.Identification; }},
    {"Loading Cond:", nullptr, LoadingCondition},
    {"Factor of Safety F.S:", nullptr, FactorOf<&Project::FS>},
    {"Allowable Usage factor:", nullptr, FactorOf<&Project::UFallow>},
    {"Material-plate: Fy/Fu", nullptr,
     [](const LineInput& in, std::string& out) { Strengths(in.p.Fyp, in.p.Fup, in.sep, out); }},
    {"Material-stiff: Fy/Fu", nullptr,
     [](const LineInput& in, std::string& out) { Strengths(in.p.Fys, in.p.Fus, in.sep, out); }},
    {"E-modulus:", nullptr,
     [](const LineInput& in, std::string& out) { out += FormatText(in.p.E, "0.00E+0", in.sep); }},
    {"Bulkhead type:", nullptr, Structure},
    {"Unit Length:", nullptr, UnitLength},
    {"Stiffener:", nullptr, EndAttachment},
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
    {"Buckling", nullptr, [](const LineInput&, std::string& out) { out += "Buckling"; }},
    {"UFpb", "plate buckling", FactorOf<&Project::UFpb>},
    {"UFpu", "plate buckling", FactorOf<&Project::UFpu>},
    {"UFpl", "plate buckling", FactorOf<&Project::UFpl>},
    {"UFb", "stiffener buckling", BeamColumn<&Project::UFbu>},
    {"UFbt", "stiffener buckling", BeamColumn<&Project::UFbt>},
    {"UFst", "stiffener stiffness", FactorOf<&Project::UFs>},
    {"UFgbu", "overall buckling", FactorOf<&Project::UFgbu>},
    {"Scant/Yield", nullptr, [](const LineInput&, std::string& out) { out += "Scant/Yield"; }},
    {"UFt", "plate scantling", FactorOf<&Project::UFt>},
    {"UFsm", "stiffener scantling", FactorOf<&Project::UFsm>},
    {"UFgm", "girder scantling", FactorOf<&Project::UFgm>},
    {"UFy", "plate yield",
     [](const LineInput& in, std::string& out) { out += FormatText(in.p.UFy, "0.0#", in.sep); }},
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

// The step of each column, looked up once rather than by name on every line. A producer that
// is no step at all never counts as done: a renamed step shows up as ERROR in every file rather
// than as a stale factor.
const std::array<std::size_t, kBatchColumnCount>& ProducerSteps() {
    static const std::array<std::size_t, kBatchColumnCount> steps = [] {
        std::array<std::size_t, kBatchColumnCount> found{};
        for (std::size_t i = 0; i < found.size(); ++i) {
            const char* producer = kColumns[i].producer;
            found[i] = producer == nullptr ? kNoStep : StepIndex(producer);
        }
        return found;
    }();
    return steps;
}

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

void AppendBatchResultLine(std::string& out, const Project& p, const BatchEntry& e,
                           char decimalSeparator) {
    const LineInput in{p, e, decimalSeparator};
    const std::size_t completed = CompletedSteps(p);
    const std::array<std::size_t, kBatchColumnCount>& producerSteps = ProducerSteps();
    for (std::size_t i = 0; i < std::size(kColumns); ++i) {
        if (i > 0) {
            out += '\t';
        }
        const Column& c = kColumns[i];
        if (c.producer == nullptr || producerSteps[i] < completed) {
            c.write(in, out);
        } else {
            out += "ERROR";
        }
    }
}

std::string BatchResultLine(const Project& p, const BatchEntry& e, char decimalSeparator) {
    std::string line;
    AppendBatchResultLine(line, p, e, decimalSeparator);
    return line;
}

namespace {

// Panels are read into chunks of this many, calculated on every core, and their lines written
// in order: few writes, and memory that stays flat however long the file.
constexpr std::size_t kChunk = 1024;

FileResult SaveFailed(const std::string& path) { return {false, "can't save file - " + path}; }

// The last panel of the file, run once more in the caller's record with its texts: the window
// shows the record a run leaves behind.
void KeepLast(Project& p, const Tables& tables, const std::optional<BatchEntry>& last) {
    if (last) {
        RunBatchEntry(p, tables, *last);
    }
}

// The entries of a file given in order, calculated a chunk at a time on the workers while the
// next chunk is gathered, and written in order after the header.
class ChunkedRun {
public:
    ChunkedRun(const Project& p, const Tables& tables, char decimalSeparator, int threads,
               AtomicFile& file, std::function<void(const BatchFailure&)> failed)
        : workers_(p, tables, decimalSeparator, threads),
          file_(file),
          failed_(std::move(failed)),
          block_(BatchHeaderLine() + "\r\n") {
        reading_.reserve(kChunk);
        running_.reserve(kChunk);
    }

    void Add(const BatchEntry& e) {
        reading_.push_back(e);
        if (reading_.size() == kChunk) {
            HandOver();
        }
    }

    // Every entry given; the last panel among them, if any.
    const std::optional<BatchEntry>& End() {
        HandOver();
        Finish();
        return last_;
    }

    // Stops without writing more, waiting for the chunk still running.
    void Abandon() { workers_.Finish(block_, chunkFailures_); }

private:
    // Waits for the running chunk and writes it.
    void Finish() {
        chunkFailures_.clear();
        workers_.Finish(block_, chunkFailures_);
        for (const ChunkFailure& f : chunkFailures_) {
            const BatchEntry& e = running_[f.index];
            failed_({entries_ + static_cast<int>(f.index), e.line, f.text});
        }
        for (auto e = running_.rbegin(); e != running_.rend(); ++e) {
            if (!e->comment) {
                last_ = *e;
                break;
            }
        }
        entries_ += static_cast<int>(running_.size());
        running_.clear();
        file_.Write(block_);
        block_.clear();
    }

    void HandOver() {
        Finish();
        std::swap(reading_, running_);
        workers_.Start(running_);
    }

    PanelWorkers workers_;
    AtomicFile& file_;
    std::function<void(const BatchFailure&)> failed_;
    std::string block_;
    // Two chunks: the workers calculate one while the other is gathered.
    std::vector<BatchEntry> reading_, running_;
    std::vector<ChunkFailure> chunkFailures_;
    std::optional<BatchEntry> last_;
    int entries_ = 0;  // before the running chunk
};

}  // namespace

FileResult WriteBatchResults(Project& p, const Tables& tables, const BatchTable& table,
                             const std::string& path, char decimalSeparator,
                             std::vector<BatchFailure>* failures, int threads) {
    AtomicFile file;
    if (!file.Open(path)) {
        return SaveFailed(path);
    }
    ChunkedRun run(p, tables, decimalSeparator, threads, file, [failures](const BatchFailure& f) {
        if (failures != nullptr) {
            failures->push_back(f);
        }
    });
    for (const BatchEntry& e : table.entries) {
        run.Add(e);
    }
    const std::optional<BatchEntry> last = run.End();
    if (!file.Commit()) {
        return SaveFailed(path);
    }
    KeepLast(p, tables, last);
    return FileResult{true, {}};
}

BatchRunSummary RunBatchFile(Project& p, const Tables& tables, const std::string& input,
                             const std::string& output, char decimalSeparator, int threads) {
    BatchRunSummary summary;
    // The results go to a temporary file that replaces the target only when the whole input
    // was read: a malformed line refuses the file with nothing written, in one reading.
    AtomicFile file;
    if (!file.Open(output)) {
        // Of two faults the input's is named: read it through to find out whether it has one.
        const BatchScanResult check = ScanBatchFile(input, tables, [](const BatchEntry&) {});
        summary.message = check.ok ? "can't save file - " + output : check.message;
        summary.saveFailed = check.ok;
        return summary;
    }
    ChunkedRun run(p, tables, decimalSeparator, threads, file, [&summary](const BatchFailure& f) {
        if (summary.failed++ == 0) {
            summary.first = f;
        }
    });
    const BatchScanResult scan =
        ScanBatchFile(input, tables, [&run](const BatchEntry& e) { run.Add(e); });
    if (!scan.ok) {  // the temporary file goes with `file`; the target stays as it was
        run.Abandon();
        summary = BatchRunSummary{};
        summary.message = scan.message;
        return summary;
    }
    const std::optional<BatchEntry> last = run.End();
    summary.panels = scan.panels;
    if (!file.Commit()) {
        summary.message = "can't save file - " + output;
        summary.saveFailed = true;
        return summary;
    }
    KeepLast(p, tables, last);
    summary.ok = true;
    return summary;
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
