#include "files/batchfile.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include "core/numformat.h"
#include "core/inputlimits.h"
#include "core/numparse.h"
#include "core/project.h"
#include "core/tables.h"
#include "files/linesource.h"
#include "profiles/catalogue.h"

namespace kelvor {

namespace {

// ----- the input format

struct RealField {
    int field;
    float BatchEntry::*entry;
    float Project::*project;
};

// clang-format off
constexpr RealField kRealFields[] = {
    {3, &BatchEntry::FS, &Project::FS},           {4, &BatchEntry::UFallow, &Project::UFallow},
    {5, &BatchEntry::Fyp, &Project::Fyp},         {6, &BatchEntry::Fup, &Project::Fup},
    {7, &BatchEntry::Fys, &Project::Fys},         {8, &BatchEntry::Fus, &Project::Fus},
    {9, &BatchEntry::E, &Project::E},
    {11, &BatchEntry::UnitLength, &Project::UnitLength},
    {17, &BatchEntry::L1, &Project::L1},          {18, &BatchEntry::L2, &Project::L2},
    {19, &BatchEntry::Lg, &Project::Lg},          {20, &BatchEntry::Lgs, &Project::Lgs},
    {21, &BatchEntry::Lt, &Project::Lt},          {22, &BatchEntry::t, &Project::t},
    {23, &BatchEntry::s1, &Project::s1},          {24, &BatchEntry::s2, &Project::s2},
    {25, &BatchEntry::SigxA, &Project::SigxA},    {26, &BatchEntry::SigxB, &Project::SigxB},
    {27, &BatchEntry::SigyA, &Project::SigyA},    {28, &BatchEntry::SigyC, &Project::SigyC},
    {29, &BatchEntry::Tau, &Project::Tau},        {30, &BatchEntry::p, &Project::p},
    {31, &BatchEntry::ps, &Project::ps},
};
// clang-format on

// Rounded fields. Values the program has no meaning for are refused rather than carried into
// checks that pick their factors by these codes.
struct CodeField {
    int field;
    int BatchEntry::*entry;
    int Project::*project;
    int last;
};

constexpr CodeField kCodeFields[] = {
    {2, &BatchEntry::LoadingCondition, &Project::LoadingCondition, 2},
    {10, &BatchEntry::CFactorTab, &Project::CFactorTab, 2},
    {12, &BatchEntry::CFactorOption, &Project::CFactorOption, 1},
};

// What each field number holds, so that a line finds a field's reader without searching.
struct FieldReader {
    const CodeField* code = nullptr;
    const RealField* real = nullptr;
};

constexpr std::array<FieldReader, kBatchFieldCount> kFieldReaders = [] {
    std::array<FieldReader, kBatchFieldCount> readers{};
    for (const CodeField& c : kCodeFields) {
        readers[static_cast<std::size_t>(c.field)].code = &c;
    }
    for (const RealField& r : kRealFields) {
        readers[static_cast<std::size_t>(r.field)].real = &r;
    }
    return readers;
}();

constexpr int kStiffCodeField = 13;
constexpr int kStiffDimField = 14;
constexpr int kGirderCodeField = 15;
constexpr int kGirderDimField = 16;

const BatchStiffenerCode* StiffenerCodeOfText(std::string_view code) {
    for (const BatchStiffenerCode& c : kBatchStiffenerCodes) {
        if (code == c.code) {
            return &c;
        }
    }
    return nullptr;
}

int GirderFamilyOfText(std::string_view code) {
    for (const BatchGirderCode& g : kBatchGirderCodes) {
        if (code == g.code) {
            return g.family;
        }
    }
    return -1;
}

// ----- reading

// A failure of reading, with the reason the message gives.
struct Refusal {
    std::string reason;
};

std::string_view StripBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') {
        s.remove_prefix(1);
    }
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

// Into `parts`, which keeps its storage from line to line.
void Split(std::string_view s, char at, std::vector<std::string_view>& parts) {
    parts.clear();
    for (std::size_t start = 0;;) {
        const std::size_t end = s.find(at, start);
        if (end == std::string_view::npos) {
            parts.push_back(s.substr(start));
            return;
        }
        parts.push_back(s.substr(start, end - start));
        start = end + 1;
    }
}

bool IsEndLine(std::string_view firstField) {
    if (firstField.size() < 3) {
        return false;
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const char c = firstField[i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != "end"[i]) {
            return false;
        }
    }
    return true;
}

// Whatever a broken file holds goes into a message box: keep it short and printable.
std::string Quoted(std::string_view token) {
    constexpr std::size_t kShown = 32;
    std::string out = "'";
    for (std::size_t i = 0; i < token.size() && i < kShown; ++i) {
        const unsigned char c = static_cast<unsigned char>(token[i]);
        out += c >= 0x20 && c < 0x7f ? static_cast<char>(c) : '?';
    }
    if (token.size() > kShown) {
        out += "...";
    }
    return out + "'";
}

std::string FieldName(int field) {
    return "field " + std::to_string(field);
}

// A value the window would refuse refuses the file, naming the field and the window's limit.
void CheckLimit(float value, const InputLimit* limit, int field, int cfactorTab = 0) {
    if (limit != nullptr && !limit->Admits(value, cfactorTab)) {
        throw Refusal{FieldName(field) + ":" + limit->message};
    }
}
void CheckLimit(float value, float Project::*input, int field, int cfactorTab = 0) {
    CheckLimit(value, input ? LimitOf(input) : nullptr, field, cfactorTab);
}

// The limit of each real field, looked up once rather than on every line of a long file.
const std::array<const InputLimit*, kBatchFieldCount>& FieldLimits() {
    static const std::array<const InputLimit*, kBatchFieldCount> limits = [] {
        std::array<const InputLimit*, kBatchFieldCount> found{};
        for (const RealField& r : kRealFields) {
            found[static_cast<std::size_t>(r.field)] = LimitOf(r.project);
        }
        return found;
    }();
    return limits;
}

void CheckBuiltUp(bool girder, int family, const std::array<float, 4>& d, int parts, int field) {
    if (const BuiltUpFields* in = BuiltUpFieldsOf(girder, family)) {
        CheckLimit(d[0], in->H, field);
        if (parts == 2) {
            CheckLimit(d[1], in->tw, field);
        } else {
            CheckLimit(d[1], in->B, field);
            CheckLimit(d[2], in->tw, field);
            CheckLimit(d[3], in->tf, field);
        }
    }
}

float Number(std::string_view token, int field) {
    try {
        return ParseNumberStrict(token);
    } catch (const TypeMismatch&) {
        throw Refusal{FieldName(field) + " is not a number: " + Quoted(token)};
    }
}

int Code(std::string_view token, int field, int last) {
    const float value = Number(token, field);
    int code = -1;
    try {
        code = RoundToInt(value);
    } catch (const std::out_of_range&) {
    }
    if (code < 0 || code > last) {
        throw Refusal{FieldName(field) +
                      (last == 1 ? " must be 0 or 1, not " : " must be 0, 1 or 2, not ") +
                      Quoted(token)};
    }
    return code;
}

// The first `parts` (at most 4) numbers of a dimension field; more parts are ignored.
std::array<float, 4> Dimensions(std::string_view token, int field, int parts) {
    if (std::count(token.begin(), token.end(), 'x') + 1 < parts) {
        throw Refusal{FieldName(field) + " needs " + std::to_string(parts) +
                      " dimensions joined by x: " + Quoted(token)};
    }
    std::array<float, 4> values{};
    std::size_t start = 0;
    for (int i = 0; i < parts; ++i) {
        const std::size_t end = token.find('x', start);
        values[static_cast<std::size_t>(i)] =
            Number(token.substr(start, end - start), field);
        start = end + 1;
    }
    return values;
}

void ReadStiffener(BatchEntry& e, const std::vector<std::string_view>& fields,
                   const Tables& tables) {
    e.StiffCode = fields[kStiffCodeField];
    const BatchStiffenerCode* code = StiffenerCodeOfText(e.StiffCode);
    if (code == nullptr) {
        return;
    }
    e.StiffFamily = code->family;
    const std::array<float, 4> d =
        Dimensions(fields[kStiffDimField], kStiffDimField, code->parts);
    CheckBuiltUp(false, code->family, d, code->parts, kStiffDimField);
    e.StiffH = d[0];
    if (code->parts == 2) {
        e.StiffTw = d[1];
    } else {
        e.StiffB = d[1];
        e.StiffTw = d[2];
        e.StiffTf = d[3];
    }
    if (code->family == 0) {
        e.StiffRow = LookupLRow(tables, e.StiffH, e.StiffB, e.StiffTw, e.StiffTf).value_or(0);
    } else if (code->family == 6) {
        e.StiffRow = LookupBfRow(tables, e.StiffH, e.StiffTw).value_or(0);
    }
}

void ReadGirder(BatchEntry& e, const std::vector<std::string_view>& fields) {
    e.GirderCode = fields[kGirderCodeField];
    e.GirderFamily = GirderFamilyOfText(e.GirderCode);
    if (e.GirderFamily < 0) {
        return;
    }
    const std::array<float, 4> d =
        Dimensions(fields[kGirderDimField], kGirderDimField, 4);
    CheckBuiltUp(true, e.GirderFamily, d, 4, kGirderDimField);
    e.GirderH = d[0];
    e.GirderB = d[1];
    e.GirderTw = d[2];
    e.GirderTf = d[3];
}

// Fields in their order, so that of several faults the first is reported. `e` is a new entry.
void ReadPanel(const std::vector<std::string_view>& fields, const Tables& tables, BatchEntry& e) {
    if (fields.size() < static_cast<std::size_t>(kBatchFieldCount)) {
        throw Refusal{"only " + std::to_string(fields.size()) + " of " +
                      std::to_string(kBatchFieldCount) + " fields"};
    }
    e.ProjectName = fields[0];
    e.Identification = fields[1];
    e.text = e.Identification;
    for (int f = 2; f < kBatchFieldCount; ++f) {
        const std::string_view token = fields[static_cast<std::size_t>(f)];
        const FieldReader& reader = kFieldReaders[static_cast<std::size_t>(f)];
        if (reader.code != nullptr) {
            e.*reader.code->entry = Code(token, f, reader.code->last);
        } else if (reader.real != nullptr) {
            e.*reader.real->entry = Number(token, f);
            CheckLimit(e.*reader.real->entry, FieldLimits()[static_cast<std::size_t>(f)], f,
                       e.CFactorTab);
        } else if (f == kStiffCodeField) {
            ReadStiffener(e, fields, tables);
        } else if (f == kGirderCodeField) {
            ReadGirder(e, fields);
        }
    }
}

// The line without its outer blanks, and its fields.
std::string_view SplitLine(std::string_view raw, std::vector<std::string_view>& fields) {
    const std::string_view line = StripBlanks(raw);
    Split(line, '\t', fields);
    return line;
}

// A line before the End line, split by SplitLine, into the new entry `entry`.
void ReadEntry(std::string_view line, const std::vector<std::string_view>& fields,
               const Tables& tables, BatchEntry& entry) {
    if (line.empty()) {
        throw Refusal{"blank line before End"};
    }
    if (!fields[0].empty() && fields[0].front() == '%') {
        entry.comment = true;
        entry.text = fields[0];
        return;
    }
    ReadPanel(fields, tables, entry);
}

std::optional<int> LastMatch(const ProfileTable& table, std::initializer_list<float> values) {
    std::optional<int> found;
    for (int r = 0; r <= table.LastRow(); ++r) {
        const ProfileRow& row = table.rows[static_cast<std::size_t>(r)];
        std::size_t column = 0;
        bool equal = true;
        for (float v : values) {
            equal = equal && row[column++] == v;
        }
        if (equal) {
            found = r;
        }
    }
    return found;
}

// ----- loading a panel

void StoreBuiltUp(Project& p, bool girder, int family, float H, float B, float tw, float tf) {
    if (const BuiltUpFields* in = BuiltUpFieldsOf(girder, family)) {
        p.*in->H = H;
        p.*in->tw = tw;
        if (in->B) {
            p.*in->B = B;
        }
        if (in->tf) {
            p.*in->tf = tf;
        }
    }
}

// A table row that does not exist is left for the profile set-up to report; until then the
// record shows the file's own dimensions, never those of the panel before.
void LoadStiffener(Project& p, const Tables& tables, const BatchEntry& e) {
    p.StiffH = e.StiffH;
    p.StiffB = e.StiffB;
    p.StiffTw = e.StiffTw;
    p.StiffTf = e.StiffTf;
    if (e.StiffFamily == 0) {
        p.LTableRow = e.StiffRow;
        if (tables.LTable.HasRow(e.StiffRow)) {
            const ProfileRow& row = tables.LTable.rows[static_cast<std::size_t>(e.StiffRow)];
            p.StiffH = row[0];
            p.StiffB = row[1];
            p.StiffTw = row[2];
            p.StiffTf = row[3];
        }
    } else if (e.StiffFamily == 6) {
        p.BfTableRow = e.StiffRow;
        if (tables.BfTable.HasRow(e.StiffRow)) {
            const ProfileRow& row = tables.BfTable.rows[static_cast<std::size_t>(e.StiffRow)];
            p.StiffH = row[0];
            p.StiffTw = row[1];
            p.StiffC = row[2];
            p.StiffR = row[3];
            p.StiffArea = row[4];
        }
    }
    StoreBuiltUp(p, false, e.StiffFamily, e.StiffH, e.StiffB, e.StiffTw, e.StiffTf);
}

void LoadGirder(Project& p, const BatchEntry& e) {
    p.GirderH = e.GirderH;
    p.GirderB = e.GirderB;
    p.GirderTw = e.GirderTw;
    p.GirderTf = e.GirderTf;
    StoreBuiltUp(p, true, e.GirderFamily, e.GirderH, e.GirderB, e.GirderTw, e.GirderTf);
}

}  // namespace

std::optional<int> LookupLRow(const Tables& tables, float H, float B, float tw) {
    return LastMatch(tables.LTable, {H, B, tw});
}

std::optional<int> LookupLRow(const Tables& tables, float H, float B, float tw, float tf) {
    const std::optional<int> exact = LastMatch(tables.LTable, {H, B, tw, tf});
    return exact ? exact : LookupLRow(tables, H, B, tw);
}

std::optional<int> LookupBfRow(const Tables& tables, float H, float tw) {
    return LastMatch(tables.BfTable, {H, tw});
}

namespace {

BatchScanResult Scan(LineSource& source, const std::string& path, const Tables& tables,
                     const std::function<void(const BatchEntry&)>& visit);

}  // namespace

BatchScanResult ScanBatchFile(const std::string& path, const Tables& tables,
                              const std::function<void(const BatchEntry&)>& visit) {
    namespace fs = std::filesystem;
    BatchScanResult result;
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        result.message = "can't find file - " + path;
        return result;
    }
    // Only a regular file is read: a FIFO or a device would block the run or never end.
    std::FILE* f = fs::is_regular_file(path, ec) ? std::fopen(path.c_str(), "rb") : nullptr;
    if (f == nullptr) {
        result.message = "can't read file - " + path;
        return result;
    }
    auto source = std::make_unique<LineSource>(f);
    result = Scan(*source, path, tables, visit);
    std::fclose(f);
    return result;
}

BatchScanResult ScanBatchText(std::string_view bytes, const std::string& path,
                              const Tables& tables,
                              const std::function<void(const BatchEntry&)>& visit) {
    auto source = std::make_unique<LineSource>(bytes);
    return Scan(*source, path, tables, visit);
}

namespace {

BatchScanResult Scan(LineSource& source, const std::string& path, const Tables& tables,
                     const std::function<void(const BatchEntry&)>& visit) {
    BatchScanResult result;
    // One entry, filled anew for every line, so that memory stays flat however many panels
    // the file holds.
    auto entry = std::make_unique<BatchEntry>();
    int lineNo = 0;
    try {
        std::string_view line;
        std::vector<std::string_view> fields;
        for (;;) {
            ++lineNo;
            if (!source.Next(line)) {
                if (source.Failed()) {
                    throw std::runtime_error("read error");
                }
                throw Refusal{"no End line"};  // on the line where End was due
            }
            // Editors on other systems put a byte order mark before the first line.
            if (lineNo == 1 && line.starts_with("\xEF\xBB\xBF")) {
                line.remove_prefix(3);
            }
            const std::string_view stripped = SplitLine(line, fields);
            if (IsEndLine(fields[0])) {
                break;
            }
            *entry = BatchEntry{};
            ReadEntry(stripped, fields, tables, *entry);
            entry->line = lineNo;
            if (!entry->comment) {
                ++result.panels;
            }
            visit(*entry);
        }
    } catch (const Refusal& r) {
        result.message =
            "Error in batch file " + path + ", line " + std::to_string(lineNo) + ": " + r.reason;
        return result;
    } catch (const LineTooLong&) {
        result.message = "Error in batch file " + path + ", line " + std::to_string(lineNo) +
                         ": line longer than " + std::to_string(kMaxLineLength) + " characters";
        return result;
    } catch (const std::exception&) {
        result.message = "can't read file - " + path;
        return result;
    }
    result.ok = true;
    return result;
}

}  // namespace

BatchReadResult ReadBatchFile(const std::string& path, const Tables& tables, int) {
    BatchReadResult result;
    const BatchScanResult scan = ScanBatchFile(
        path, tables, [&](const BatchEntry& e) { result.table.entries.push_back(e); });
    if (!scan.ok) {
        result.table = {};
        result.message = scan.message;
        return result;
    }
    result.ok = true;
    return result;
}

std::optional<std::string> LoadBatchEntry(Project& p, const Tables& tables, const BatchEntry& e) {
    p.ProjectName = e.ProjectName;
    p.Identification = e.Identification;
    for (const RealField& f : kRealFields) {
        p.*f.project = e.*f.entry;
    }
    for (const CodeField& f : kCodeFields) {
        p.*f.project = e.*f.entry;
    }
    // The last material row is the one typed by hand: the strengths from the file stay.
    p.PlateMaterialIndex = std::max(0, tables.MaterialLastRow());
    p.StiffMaterialIndex = p.PlateMaterialIndex;

    LoadGirder(p, e);
    if (e.StiffFamily < 0) {
        return "unknown stiffener code " + Quoted(e.StiffCode);
    }
    if (e.GirderFamily < 0) {
        return "unknown girder code " + Quoted(e.GirderCode);
    }
    p.StiffProfileType = e.StiffFamily;
    LoadStiffener(p, tables, e);
    p.GirderProfileType = e.GirderFamily;
    return std::nullopt;
}

}  // namespace kelvor
