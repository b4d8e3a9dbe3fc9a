#include "files/atomicfile.h"
#include "files/memorybuf.h"
#include "files/projectfile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string_view>
#include <system_error>
#include <variant>
#include <vector>

#include "core/inputlimits.h"
#include "core/numformat.h"
#include "core/project.h"
#include "core/tables.h"
#include "files/linesource.h"
#include "profiles/catalogue.h"

namespace kelvor {

namespace {

constexpr int kVersion = 202;
// Files below this version have the short layout without girder, spans and scantling pressure.
constexpr double kFirstLongLayout = 180;

// Range checks of the coded fields. A code or row the program has no meaning for would
// otherwise reach the calculation and the dialogs as an index.
using RangeCheck = bool (*)(int value, const Tables& tables);

// clang-format off
bool FamilyCode(int v, const Tables&) { return v >= 0 && v <= 9; }
bool GirderCode(int v, const Tables&) { return v == 1 || v == 3; }
bool LoadingCode(int v, const Tables&) { return v >= 0 && v <= 2; }
bool StructurePage(int v, const Tables&) { return v >= 0 && v <= 2; }
bool AttachmentOption(int v, const Tables&) { return v >= 0 && v <= 1; }
// clang-format on

// Without a loaded material table the project must still open, so the table's full size stands
// in for it.
bool MaterialRowIndex(int v, const Tables& tables) {
    const int last =
        tables.Materials.empty() ? Tables::kMaxMaterialRows - 1 : tables.MaterialLastRow();
    return v >= 0 && v <= last;
}

template <ProfileTable Tables::*table>
bool TableRow(int v, const Tables& tables) {
    if (v < 0 || v >= ProfileTable::kMaxRows) {
        return false;
    }
    const ProfileTable& t = tables.*table;
    return t.rows.empty() || v <= t.LastRow();
}

// std::monostate stands for the format version.
using FieldRef = std::variant<std::monostate, std::string Project::*, int Project::*,
                              float Project::*, double Project::*>;

struct Field {
    int line;  // line in the current layout
    FieldRef field;
    bool inOldLayout;  // also held, in the same order, by files below version 180
    RangeCheck inRange = nullptr;
};

// The one description of the file: the writer writes these lines in order, the reader reads
// them in order and skips those the older layout does not hold.
constexpr Field kFields[] = {
    {1, std::monostate{}, true},
    {2, &Project::ProjectName, true},
    {3, &Project::Identification, true},
    {4, &Project::PlateMaterialIndex, true, MaterialRowIndex},
    {5, &Project::StiffMaterialIndex, true, MaterialRowIndex},
    {6, &Project::StiffProfileType, true, FamilyCode},
    {7, &Project::BfTableRow, true, TableRow<&Tables::BfTable>},
    {8, &Project::LTableRow, true, TableRow<&Tables::LTable>},
    {9, &Project::TTableRow, true, TableRow<&Tables::TTable>},
    {10, &Project::FbTableRow, true, TableRow<&Tables::FbTable>},
    {11, &Project::GirderProfileType, false, GirderCode},
    {12, &Project::LoadingCondition, true, LoadingCode},
    {13, &Project::CFactorTab, true, StructurePage},
    {14, &Project::CFactorOption, true, AttachmentOption},
    {15, &Project::UnitLength, true},
    {16, &Project::FS, true},
    {17, &Project::UFallow, true},
    {18, &Project::Fyp, true},
    {19, &Project::Fup, true},
    {20, &Project::Fys, true},
    {21, &Project::Fus, true},
    {22, &Project::E, true},
    {23, &Project::s1, true},
    {24, &Project::s2, true},
    {25, &Project::L1, true},
    {26, &Project::L2, false},
    {27, &Project::Lg, false},
    {28, &Project::Lgs, false},
    {29, &Project::Lt, false},
    {30, &Project::t, true},
    {31, &Project::SigxA, true},
    {32, &Project::SigxB, true},
    {33, &Project::SigyA, true},
    {34, &Project::SigyC, true},
    {35, &Project::Tau, true},
    {36, &Project::p, true},
    {37, &Project::ps, false},
    {38, &Project::StiffArea, true},
    {39, &Project::StiffH, true},
    {40, &Project::StiffB, true},
    {41, &Project::StiffTw, true},
    {42, &Project::StiffTf, true},
    {43, &Project::StiffR, true},
    {44, &Project::StiffC, true},
    {45, &Project::GirderH, false},
    {46, &Project::GirderB, false},
    {47, &Project::GirderTw, false},
    {48, &Project::GirderTf, false},
};

constexpr bool LinesInOrder() {
    int expected = 1;
    for (const Field& f : kFields) {
        if (f.line != expected++) {
            return false;
        }
    }
    return true;
}
static_assert(LinesInOrder(), "every line of the file appears once, in order");

// A table family's row follows from the stored dimensions: the table may have been edited since
// the file was written, and the dimensions are what the user checked.
struct RowMatch {
    int family;
    ProfileTable Tables::*table;
    int Project::*row;
    std::array<float Project::*, 4> columns;  // project field per table column; null: unused
    // The first `required` columns must match. A row that matches the later ones too wins over
    // rows that match only the required ones: the angle table holds angles that differ in their
    // flange thickness alone (250x90x12 with tf 12 and 16), and a project must reopen with the
    // angle it was saved with.
    std::size_t required;
};

// clang-format off
const RowMatch kRowMatches[] = {
    {0, &Tables::LTable, &Project::LTableRow,
     {&Project::StiffH, &Project::StiffB, &Project::StiffTw, &Project::StiffTf}, 3},
    {2, &Tables::TTable, &Project::TTableRow,
     {&Project::StiffH, &Project::StiffB, &Project::StiffTw, &Project::StiffTf}, 4},
    {4, &Tables::FbTable, &Project::FbTableRow, {&Project::StiffH, &Project::StiffTw}, 2},
    {6, &Tables::BfTable, &Project::BfTableRow, {&Project::StiffH, &Project::StiffTw}, 2},
};
// clang-format on

// The dialog of the family in use opens on the dimensions the file holds, not on the defaults:
// the family's built-up inputs.
const BuiltUpFields* FamilyInUse(const Project& p, bool girder) {
    return BuiltUpFieldsOf(girder, girder ? p.GirderProfileType : p.StiffProfileType);
}

// ----- limits

// The limit a line's value must keep: the field's own, or for the dimension lines of a built-up
// family the limit of the built-up input the line fills.
const InputLimit* LineLimit(const Field& f, const Project& p) {
    const auto* real = std::get_if<float Project::*>(&f.field);
    if (real == nullptr) {
        return nullptr;
    }
    if (const InputLimit* own = LimitOf(*real)) {
        return own;
    }
    const InputLimit* limit = nullptr;
    for (const bool girder : {false, true}) {
        if (const BuiltUpFields* f = FamilyInUse(p, girder)) {
            ForEachBuiltUpDimension(*f, [&](float Project::*input, float Project::*inUse) {
                if (inUse == *real) {
                    limit = LimitOf(input);
                }
            });
        }
    }
    return limit;
}

// The first line, in the file's own numbering, whose value the window would refuse, with the
// window's text; empty when every value keeps its limit.
std::string LimitFault(const Project& p, bool oldLayout, int& line) {
    line = 0;
    for (const Field& f : kFields) {
        if (oldLayout && !f.inOldLayout) {
            continue;
        }
        ++line;
        const InputLimit* limit = LineLimit(f, p);
        if (limit != nullptr &&
            !limit->Admits(p.*std::get<float Project::*>(f.field), p.CFactorTab)) {
            return limit->message;
        }
    }
    return {};
}

// ----- writing

// The format has no escaping, so a double quote would end the text early, and a line break
// would shift every later line.
std::string QuotedText(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') {
            out += '\'';
        } else if (c == '\r' || c == '\n') {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out + '"';
}

// A non-finite value could never be read back, which would lock the user out of the saved
// project; only the derived area can be one, and it is recalculated after opening.
template <typename Real>
std::string RealText(Real value) {
    return std::isfinite(value) ? FileReal(value) : std::string("0");
}

std::string LineText(const Field& f, const Project& p) {
    if (std::holds_alternative<std::monostate>(f.field)) {
        return std::to_string(kVersion);
    }
    if (const auto* text = std::get_if<std::string Project::*>(&f.field)) {
        return QuotedText(p.**text);
    }
    if (const auto* integer = std::get_if<int Project::*>(&f.field)) {
        return std::to_string(p.**integer);
    }
    if (const auto* real = std::get_if<float Project::*>(&f.field)) {
        return RealText(p.**real);
    }
    return RealText(p.*std::get<double Project::*>(f.field));
}

// A save never writes under the extensions .vlm and .hgt; such files are saved as .vlrm. Only the
// file name's own extension counts: a folder "proj.vlm.d" or a name "a.vlm.kelvo" stays as typed.
void RenameLegacyExtension(std::string& path) {
    std::filesystem::path file(path);
    const std::filesystem::path ext = file.extension();
    if (ext == ".vlm" || ext == ".hgt") {
        file.replace_extension(".vlrm");
        path = file.string();
    }
}

// ----- reading

// No value of this format comes near kMaxLineLength; a longer line is refused instead of being
// held in memory whole.
class LineReader {
public:
    explicit LineReader(std::streambuf* buffer) : buffer_(buffer) {}

    // False at the end of the file, on a read error and for a line longer than kMaxLineLength.
    // Accepts CR LF and LF endings.
    bool Next(std::string& line) {
        using Traits = std::streambuf::traits_type;
        line.clear();
        if (buffer_ == nullptr) {
            return false;
        }
        bool any = false;
        // A file buffer reports a read error (a folder, a failing disk) by throwing.
        try {
            for (Traits::int_type c = buffer_->sbumpc(); !Traits::eq_int_type(c, Traits::eof());
                 c = buffer_->sbumpc()) {
                any = true;
                if (c == '\n') {
                    break;
                }
                if (line.size() >= kMaxLineLength) {
                    return false;
                }
                line += Traits::to_char_type(c);
            }
        } catch (const std::ios_base::failure&) {
            return false;
        }
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        return any;
    }

private:
    std::streambuf* buffer_;
};

std::string_view Trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool ParseInteger(std::string_view text, int& value) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    // from_chars takes a '-' itself; anything else before the digits ("+-1", " 1") is refused.
    const std::size_t firstDigit = !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() <= firstDigit || !IsDigit(text[firstDigit])) {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// Always the C notation, whatever the process locale: files travel between machines.
bool ParseReal(std::string_view text, double& value) {
    text = Trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Keeps out "inf", "nan" and a second sign, which from_chars would take.
    if (text.empty() || !(IsDigit(text.front()) || text.front() == '.')) {
        return false;
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
        return false;
    }
    if (negative) {
        value = -value;
    }
    return true;
}

// Converting a double beyond the float range is undefined, so the range is checked first.
bool ParseSingle(std::string_view text, float& value) {
    double wide = 0;
    if (!ParseReal(text, wide) || std::fabs(wide) > std::numeric_limits<float>::max()) {
        return false;
    }
    value = static_cast<float>(wide);
    return true;
}

// Files written by hand or by older programs may lack the quotes; the line is then the text.
std::string UnquotedText(std::string_view line) {
    line = Trimmed(line);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"') {
        line = line.substr(1, line.size() - 2);
    }
    return std::string(line);
}

// Reads one line into its field; the version line instead tells which layout follows.
bool ReadLine(const Field& f, const std::string& line, const Tables& tables, Project& p,
              bool& oldLayout) {
    if (std::holds_alternative<std::monostate>(f.field)) {
        double version = 0;
        if (!ParseReal(line, version)) {
            return false;
        }
        // A version from a later program may mean other fields on the same lines.
        if (version > kVersion) {
            return false;
        }
        oldLayout = version < kFirstLongLayout;
        return true;
    }
    if (const auto* text = std::get_if<std::string Project::*>(&f.field)) {
        p.** text = UnquotedText(line);
        return true;
    }
    if (const auto* integer = std::get_if<int Project::*>(&f.field)) {
        int value = 0;
        if (!ParseInteger(line, value) || (f.inRange != nullptr && !f.inRange(value, tables))) {
            return false;
        }
        p.** integer = value;
        return true;
    }
    if (const auto* real = std::get_if<float Project::*>(&f.field)) {
        return ParseSingle(line, p.**real);
    }
    return ParseReal(line, p.*std::get<double Project::*>(f.field));
}

// The values the older layout lacks, as the program of that time used them.
void FillInOldLayout(Project& p) {
    p.GirderProfileType = 3;
    p.L2 = p.L1;
    // The girder spans are guessed from the stiffener span; a guess under the spans' limit
    // would make the project, once saved, a file that cannot be opened.
    const auto lowest = [](float Project::*span) {
        return static_cast<float>(LimitOf(span)->low);
    };
    // Three times a span near the single-precision limit would overflow to infinity, which a
    // file cannot hold: the guess stops at the largest single-precision number.
    p.Lg = std::max(std::min(3 * p.L1, std::numeric_limits<float>::max()), lowest(&Project::Lg));
    p.Lgs = std::max(static_cast<float>(0.6 * p.Lg), lowest(&Project::Lgs));
    p.Lt = 3000;
    // The older layout held the lateral pressure with the opposite sign and no separate
    // scantling pressure.
    p.p = -p.p;
    p.ps = p.p;
    p.GirderH = 800;
    p.GirderB = 200;
    p.GirderTw = 10;
    p.GirderTf = 20;
}

void ResolveTableRows(Project& p, const Tables& tables) {
    for (const RowMatch& m : kRowMatches) {
        if (p.StiffProfileType != m.family) {
            continue;
        }
        const std::vector<ProfileRow>& rows = (tables.*m.table).rows;
        const std::size_t count =
            std::min(rows.size(), static_cast<std::size_t>(ProfileTable::kMaxRows));
        int requiredMatch = -1;
        int fullMatch = -1;
        for (std::size_t row = 0; row < count; ++row) {
            bool required = true;
            bool full = true;
            for (std::size_t column = 0; column < m.columns.size(); ++column) {
                // Both sides are single precision, so a table value and the same number read
                // from the file are equal bit for bit.
                if (m.columns[column] != nullptr && rows[row][column] != p.*m.columns[column]) {
                    full = false;
                    required = required && column >= m.required;
                }
            }
            if (required) {
                requiredMatch = static_cast<int>(row);
            }
            if (full) {
                fullMatch = static_cast<int>(row);
            }
        }
        if (fullMatch >= 0 || requiredMatch >= 0) {
            p.*m.row = fullMatch >= 0 ? fullMatch : requiredMatch;
        }
    }
}

void CopyBuiltUpInputs(Project& p) {
    for (const bool girder : {false, true}) {
        if (const BuiltUpFields* f = FamilyInUse(p, girder)) {
            ForEachBuiltUpDimension(*f, [&](float Project::*input, float Project::*inUse) {
                p.*input = p.*inUse;
            });
        }
    }
}

}  // namespace

std::string ProjectFileText(const Project& p) {
    std::string content;
    for (const Field& f : kFields) {
        content += LineText(f, p);
        content += "\r\n";
    }
    return content;
}

FileResult WriteProjectFile(Project& p, std::string& path) {
    RenameLegacyExtension(path);
    if (!SaveAtomically(path, ProjectFileText(p))) {
        return {false, "can't save file - " + path};
    }
    p.ProjectFile = path;
    return {true, {}};
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string LineMessage(const std::string& path, int line) {
    return "can't read file - " + path + ", line " + std::to_string(line);
}

}  // namespace

namespace {

FileResult ReadProject(Project& p, const Tables& tables, std::streambuf* source,
                       const std::string& path);

}  // namespace

FileResult ReadProjectFile(Project& p, const Tables& tables, const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return {false, "can't find file - " + path};
    }
    // Only a regular file is read: a FIFO or a device would block the program or never end.
    if (!std::filesystem::is_regular_file(path, ec)) {
        return {false, "can't read file - " + path};
    }
    std::ifstream in(path, std::ios::binary);
    return ReadProject(p, tables, in.is_open() ? in.rdbuf() : nullptr, path);
}

FileResult ReadProjectText(Project& p, const Tables& tables, std::string_view bytes,
                           const std::string& path) {
    MemoryBuf source(bytes);
    return ReadProject(p, tables, &source, path);
}

namespace {

FileResult ReadProject(Project& p, const Tables& tables, std::streambuf* source,
                       const std::string& path) {
    LineReader reader(source);

    // The project is replaced only by a file that reads whole, so the fields are read into a
    // copy.
    Project read = p;
    bool oldLayout = false;
    int lineNumber = 0;
    std::string line;
    for (const Field& f : kFields) {
        if (oldLayout && !f.inOldLayout) {
            continue;
        }
        ++lineNumber;
        const bool got = reader.Next(line);
        // Editors on some systems put a UTF-8 byte order mark before the first line.
        if (lineNumber == 1 && line.rfind(kByteOrderMark, 0) == 0) {
            line.erase(0, kByteOrderMark.size());
        }
        if (!got || !ReadLine(f, line, tables, read, oldLayout)) {
            // A material row lost with a broken table line is the table's fault, not the
            // project's: say where the table broke.
            if (got && f.inRange == MaterialRowIndex && !tables.MaterialFault.empty()) {
                return {false, tables.MaterialFault};
            }
            return {false, LineMessage(path, lineNumber)};
        }
    }
    // Text after the last field means a layout this reader does not know; only blank lines
    // may follow.
    while (reader.Next(line)) {
        ++lineNumber;
        if (!Trimmed(line).empty()) {
            return {false, LineMessage(path, lineNumber)};
        }
    }
    // A value the window refuses is refused here too: a negative web height or a factor of
    // safety of 0 would otherwise calculate into green rows.
    int faultLine = 0;
    const std::string fault = LimitFault(read, oldLayout, faultLine);
    if (!fault.empty()) {
        return {false, LineMessage(path, faultLine) + ": " + fault};
    }
    if (oldLayout) {
        FillInOldLayout(read);
    }
    ResolveTableRows(read, tables);
    CopyBuiltUpInputs(read);
    read.ProjectFile = path;
    p = std::move(read);
    return {true, {}};
}

}  // namespace

}  // namespace kelvor
