// The batch reader on any file, in both decimal settings: a message or a table, never a crash.
// A small table it accepts is also run and written, which puts whatever numbers the file holds
// through every check.
#include <cstdint>
#include <string>
#include <vector>

#include "core/project.h"
#include "files/batchfile.h"
#include "fuzzsupport.h"

namespace {

// Beyond this a run only repeats the same checks and slows the fuzzing down.
constexpr std::size_t kMostPanelsRun = 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelvor::fuzz::Require;
    const kelvor::Tables& tables = kelvor::fuzz::ShippedTables();
    const std::string path = kelvor::fuzz::WriteScratch("in.kvi", kelvor::fuzz::Bytes(data, size));
    for (int decimalMode : {0, 1}) {
        const kelvor::BatchReadResult read = kelvor::ReadBatchFile(path, tables, decimalMode);
        Require(read.ok == read.message.empty(), "a message exactly when the read fails");
        Require(read.ok || read.table.entries.empty(), "a refused file gives no table");
        if (!read.ok || read.table.entries.size() > kMostPanelsRun) {
            continue;
        }
        kelvor::Project p;
        kelvor::NewProject(p);
        std::vector<kelvor::BatchFailure> failures;
        const kelvor::FileResult written =
            kelvor::WriteBatchResults(p, tables, read.table, kelvor::BatchOutputPath(path),
                                      decimalMode == 0 ? '.' : ',', &failures);
        Require(written.ok, "the result file is written");
    }
    return 0;
}
