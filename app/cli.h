#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace kelvor {

struct Project;
struct Tables;

// The start-up of every command: the tables of the data folder (given, or found as the window
// finds it), a new project; warnings of missing or malformed tables to `err`.
void StartCliProject(Project& p, Tables& tables, const std::string& dataFolder,
                     std::optional<char> decimalPoint, std::ostream& err);

// The command-line tool: `new`, `calc` (and later `batch`, `report`). Returns the exit status:
// 0 success, 1 a calculation failed, 2 bad usage or a file that can't be read.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kelvor
