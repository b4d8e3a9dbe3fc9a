#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kelvor {

// The command-line tool: `new`, `calc` (and later `batch`, `report`). Returns the exit status:
// 0 success, 1 a calculation failed, 2 bad usage or a file that can't be read.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelvor
