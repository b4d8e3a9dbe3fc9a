#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kelvor {

// The what-if commands of the command-line tool, each given the whole argument list (its name
// first) and answering with the tool's exit status.
//   chart FILE.kelvo [--mode 1|2|3] -o OUT.svg|png|pdf
//   sweep FILE.kelvo --vary NAME=MIN:MAX:STEPS [--mode 1|2|3] [--csv OUT.csv] [-o OUT.svg|png|pdf]
//   capacity FILE.kelvo --vary NAME [--mode 1|2|3] [--json]
int CommandChart(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CommandSweep(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int CommandCapacity(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelvor
