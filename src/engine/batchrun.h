#pragma once

#include <string>
#include <vector>

#include "files/batchfile.h"
#include "files/projectfile.h"

namespace kelvor {

struct Project;
struct Tables;

// Loads the panel into the project and runs the whole Calculate on it; a comment changes
// nothing. A failed panel leaves CalcFailure set, as Calculate does; an unknown stiffener or
// girder code fails it before the first check.
void RunBatchEntry(Project& p, const Tables& tables, const BatchEntry& e);

// RunBatchEntry with the numbers alone (Evaluate): what a result line needs, without the texts.
void EvaluateBatchEntry(Project& p, const Tables& tables, const BatchEntry& e);

// Loads panel k into the project and runs the whole Calculate on it. A comment entry or an index
// outside the table changes nothing. A failed panel leaves CalcFailure set, as Calculate does;
// an unknown stiffener or girder code fails it before the first check.
void RunBatchRecord(Project& p, const Tables& tables, const BatchTable& table, int k);

// The 44 headings, tab-separated, without a line end.
std::string BatchHeaderLine();
// The result line of panel `e` after RunBatchRecord loaded it into the project, without a line
// end. Each result column whose check did not run because the panel failed (CalcFailure) reads
// "ERROR"; a failure in the panel's input leaves every result column so.
std::string BatchResultLine(const Project& p, const BatchEntry& e, char decimalSeparator);
// The same line appended to `out`, for a caller that gathers a whole file.
void AppendBatchResultLine(std::string& out, const Project& p, const BatchEntry& e,
                           char decimalSeparator);

// A panel whose calculation failed, for a report of the run.
struct BatchFailure {
    int entry = 0;
    int line = 0;  // in the input file
    std::string text;  // StepFailure::Text()
};

// Runs every panel in file order and writes the header and one line per entry, CR LF, through a
// temporary file renamed over the target, on `threads` workers (0: one per core) with the same
// bytes for any number. The project is left holding the last panel, with its texts. Failed
// panels are listed in `failures` when given; the file is written all the same.
FileResult WriteBatchResults(Project& p, const Tables& tables, const BatchTable& table,
                             const std::string& path, char decimalSeparator,
                             std::vector<BatchFailure>* failures = nullptr, int threads = 0);

// What a batch run of a whole file did.
struct BatchRunSummary {
    bool ok = false;
    bool saveFailed = false;  // the input was fine, the output could not be written
    std::string message;      // why not ok: the reader's message or "can't save file - " + path
    int panels = 0;
    int failed = 0;
    BatchFailure first;  // the first failed panel, when any failed
};

// Runs a batch file from `input` into `output` panel by panel, with memory that stays the same
// however many panels the file holds: a malformed input is refused before anything is
// written; otherwise every panel is calculated, on `threads` workers (0: one per core) each with
// a copy of `p`, and `p` is left holding the last one with its texts; each line is
// written, the failed ones with ERROR, and the output replaces the target only when whole.
BatchRunSummary RunBatchFile(Project& p, const Tables& tables, const std::string& input,
                             const std::string& output, char decimalSeparator, int threads = 0);

// "panels.kvi" -> "panels.kvo" (the extension matched in any case); any other name gets ".kvo"
// appended, so the output never overwrites the input.
std::string BatchOutputPath(const std::string& input);

// The start-up run: dataFolder/dummy.kvi into dataFolder/dummy.kvo. False when the input can't be
// read or the output can't be written; the caller then shows "Error in databasefile". Panels
// that fail to calculate are not a failure of the run: their lines say ERROR.
bool RunStartupBatch(Project& p, const Tables& tables, const std::string& dataFolder,
                     char decimalSeparator, int decimalMode);

}  // namespace kelvor
