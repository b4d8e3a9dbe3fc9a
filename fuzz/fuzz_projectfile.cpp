// The project file reader on any file: a message or a whole project, never a crash. A project
// it accepts must also calculate without crashing, and save and open again.
#include <cstdint>
#include <string>

#include "core/calculate.h"
#include "core/project.h"
#include "core/session.h"
#include "files/projectfile.h"
#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelvor::fuzz::Require;
    const kelvor::Tables& tables = kelvor::fuzz::ShippedTables();
    const std::string path =
        kelvor::fuzz::WriteScratch("in.kelvo", kelvor::fuzz::Bytes(data, size));

    kelvor::Project p;
    kelvor::NewProject(p);
    const kelvor::FileResult read = kelvor::ReadProjectFile(p, tables, path);
    Require(read.ok == read.message.empty(), "a message exactly when the read fails");
    if (!read.ok) {
        return 0;
    }
    kelvor::ApplyProfilesAndMaterials(p, tables);
    for (int mode = 1; mode <= 4; ++mode) {
        p.AnalysisMode = mode;
        kelvor::Calculate(p, tables);
    }

    std::string saved = (kelvor::fuzz::ScratchFolder() / "saved.kelvo").string();
    Require(kelvor::WriteProjectFile(p, saved).ok, "an opened project saves");
    kelvor::Project again;
    kelvor::NewProject(again);
    Require(kelvor::ReadProjectFile(again, tables, saved).ok, "a saved project opens");
    return 0;
}
