// The project file reader on any bytes, read in memory: a message or a whole project, never a
// crash. A project it accepts must also calculate without crashing, and write and read again.
#include <cstdint>
#include <string>

#include "engine/calculate.h"
#include "core/project.h"
#include "engine/session.h"
#include "files/projectfile.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelvor::fuzz::Require;
    const kelvor::Tables& tables = kelvor::fuzz::ShippedTables();
    kelvor::Project p;
    kelvor::NewProject(p);
    const kelvor::FileResult read =
        kelvor::ReadProjectText(p, tables, kelvor::fuzz::Bytes(data, size), "in.kelvo");
    Require(read.ok == read.message.empty(), "a message exactly when the read fails");
    if (!read.ok) {
        return 0;
    }
    kelvor::ApplyProfilesAndMaterials(p, tables);
    for (int mode = 1; mode <= 4; ++mode) {
        p.AnalysisMode = mode;
        kelvor::Calculate(p, tables);
    }
    kelvor::Project again;
    kelvor::NewProject(again);
    Require(kelvor::ReadProjectText(again, tables, kelvor::ProjectFileText(p), "saved.kelvo").ok,
            "a written project reads again");
    return 0;
}
