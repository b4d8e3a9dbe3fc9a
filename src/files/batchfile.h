// Batch ("database") runs: many panels in one tab-separated input file (".kvi"), one result line
// per panel in the output file (".kvo").
//
// Message texts of ReadBatchFile (BatchReadResult::message):
//   "can't find file - " + path                      the file does not exist
//   "can't read file - " + path                      it exists but can't be opened or read
//   "Error in batch file " + path + ", line " + N + ": " + reason
// with the reasons
//   "blank line before End"
//   "only " + n + " of 32 fields"
//   "field " + f + " is not a number: '" + token + "'"        ParseNumber refuses it
//   "field " + f + " must be 0, 1 or 2, not " + v            loading condition, structure page
//   "field " + f + " must be 0 or 1, not " + v               end-attachment option
//   "field " + f + " needs " + k + " dimensions joined by x: '" + token + "'"
//   "line longer than 1048576 characters"
//   "field " + f + ":" + limit                              a value the window refuses, with
//                                                            its limit text (" 0.1 <= t ")
//   "no End line"                                    N is the line after the last one
// Field numbers count from 0, as in the format's description. A quoted token shows at most 32
// characters, then "..."; bytes outside printable ASCII show as '?'.
//
// WriteBatchResults: "can't save file - " + path.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/projectfile.h"

namespace kelvor {

struct Project;
struct Tables;

inline constexpr int kBatchFieldCount = 32;
inline constexpr int kBatchColumnCount = 44;

// The stiffener codes of field 13 and how column 13 of the result file names the same family:
// the built-up flat bar is read as "FB" but written "Fb".
struct BatchStiffenerCode {
    const char* code;
    int family;  // StiffProfileType
    int parts;   // of field 14: 4 for H x B x tw x tf, 2 for H x tw
    const char* written;
};

inline constexpr BatchStiffenerCode kBatchStiffenerCodes[] = {
    {"LR", 0, 4, "LR"}, {"LW", 1, 4, "LW"}, {"TG", 3, 4, "TG"},
    {"FB", 5, 2, "Fb"}, {"BF", 6, 2, "BF"}, {"IG", 9, 4, "IG"},
};

// The girder codes of field 15 (and column 14); field 16 is always H x B x tw x tf.
struct BatchGirderCode {
    const char* code;
    int family;  // GirderProfileType
};

inline constexpr BatchGirderCode kBatchGirderCodes[] = {{"LG", 1}, {"TG", 3}};

// One line of the input file before its End line: a comment, or a panel with its fields under
// the names of the project record.
struct BatchEntry {
    int line = 0;  // 1-based line in the input file
    bool comment = false;
    std::string text;  // a comment's text; a panel's identification, as the list shows it

    std::string ProjectName, Identification;
    int LoadingCondition = 0, CFactorTab = 0, CFactorOption = 0;
    float FS = 0, UFallow = 0, Fyp = 0, Fup = 0, Fys = 0, Fus = 0, E = 0, UnitLength = 0;
    float L1 = 0, L2 = 0, Lg = 0, Lgs = 0, Lt = 0, t = 0, s1 = 0, s2 = 0;
    float SigxA = 0, SigxB = 0, SigyA = 0, SigyC = 0, Tau = 0, p = 0, ps = 0;

    // Stiffener: the code as written, its family (-1 for a code the format does not know) and
    // dimensions (H and tw alone for "FB" and "BF"), and for "LR" and "BF" the table row found.
    std::string StiffCode;
    int StiffFamily = -1;
    float StiffH = 0, StiffB = 0, StiffTw = 0, StiffTf = 0;
    int StiffRow = 0;

    // Girder: the code as written, its family (1, 3; -1 unknown) and H, B, tw, tf.
    std::string GirderCode;
    int GirderFamily = -1;
    float GirderH = 0, GirderB = 0, GirderTw = 0, GirderTf = 0;
};

struct BatchTable {
    std::vector<BatchEntry> entries;
};

struct BatchReadResult {
    bool ok = false;
    std::string message;  // empty when ok
    BatchTable table;     // empty unless ok
};

struct BatchScanResult {
    bool ok = false;
    std::string message;  // empty when ok
    int panels = 0;       // panel entries read (comments not counted)
};

// Reads the file entry by entry, handing each to `visit` as soon as its line is read, with
// memory that stays the same however long the file is. A malformed line stops the scan with
// its message; the entries before it have been visited.
BatchScanResult ScanBatchFile(const std::string& path, const Tables& tables,
                              const std::function<void(const BatchEntry&)>& visit);

// The same scan of bytes in memory; `path` only names the file in the messages.
BatchScanResult ScanBatchText(std::string_view bytes, const std::string& path,
                              const Tables& tables,
                              const std::function<void(const BatchEntry&)>& visit);

// Reads a whole batch file; a malformed file gives no table at all. Numbers are read strictly
// and alike in both decimal settings (see ParseNumberStrict); the mode is not needed for it.
BatchReadResult ReadBatchFile(const std::string& path, const Tables& tables, int decimalMode);

// The last table row whose H, B, tw (bulb flats: H, tw) equal the given ones, as single-precision
// numbers; none when no row matches.
std::optional<int> LookupLRow(const Tables& tables, float H, float B, float tw);
// The same, preferring a row whose flange thickness matches too: angles that differ in tf alone
// (250x90x12 with tf 12 and 16) must each find their own row.
std::optional<int> LookupLRow(const Tables& tables, float H, float B, float tw, float tf);
std::optional<int> LookupBfRow(const Tables& tables, float H, float tw);

// Copies panel `e` into the project's inputs (profile families and dimensions included), with
// the last material row, the one typed by hand. Does not set up profiles or calculate. Returns
// the cause when the panel's codes name no family, which fails it before its first check.
std::optional<std::string> LoadBatchEntry(Project& p, const Tables& tables, const BatchEntry& e);

}  // namespace kelvor
