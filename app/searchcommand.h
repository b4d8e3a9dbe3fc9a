#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kelvor {

inline constexpr const char* kSearchUsage =
    "usage: kelvor-cli search FILE.kelvo [--thickness MIN:MAX:STEP]"
    " [--stiffeners bulb,flat,angle,tee,project] [--girders keep|table]"
    " [--spacing keep|MIN:MAX:STEP] [--grades keep|all] [--limit X] [--mode 1|2|3] [--top N]"
    " [--json] [-o BEST.kelvo]";

// `kelvor-cli search FILE.kelvo [options]` (args[0] is "search"): the ranked lightest panels that
// pass, or their JSON, and the best one written with -o. 0 when one passes, 1 when none does
// (the closest named), 2 for bad usage or a file that can't be read or written.
int SearchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelvor
