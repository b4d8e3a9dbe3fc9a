// The batch reader on any bytes, read in memory: a message or entries, never a crash. The first
// panels it accepts are also run and their result lines written, which puts whatever numbers
// the file holds through every check.
#include <cstdint>
#include <string>

#include "core/project.h"
#include "engine/batchrun.h"
#include "fuzzsupport.h"

namespace {

// Beyond this a run only repeats the same checks and slows the fuzzing down.
constexpr int kMostPanelsRun = 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelvor::fuzz::Require;
    const kelvor::Tables& tables = kelvor::fuzz::ShippedTables();
    kelvor::Project p;
    kelvor::NewProject(p);
    std::string lines;
    int run = 0;
    const kelvor::BatchScanResult scan = kelvor::ScanBatchText(
        kelvor::fuzz::Bytes(data, size), "in.kvi", tables, [&](const kelvor::BatchEntry& e) {
            if (!e.comment && run++ < kMostPanelsRun) {
                kelvor::RunBatchEntry(p, tables, e);
                kelvor::AppendBatchResultLine(lines, p, e, '.');
                Require(!lines.empty(), "a panel has a result line");
            }
        });
    Require(scan.ok == scan.message.empty(), "a message exactly when the read fails");
    Require(scan.panels >= 0, "a count of panels");
    return 0;
}
