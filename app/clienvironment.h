#pragma once

// The start-up environment of the command-line tool, shared by its commands: the data folder
// (given, from the environment, or the user's) and the decimal separator.

#include <optional>
#include <string>

#include "engine/session.h"

namespace kelvor {

// The folder of the running tool ("." when it can't be told).
std::string ExecutableFolder();

// `dataFolder` empty: $KELVOR_DATA_DIR, else the user's data folder seeded from the tables
// shipped beside the program. `decimalPoint` unset: the system's.
StartupEnvironment CommandLineEnvironment(const std::string& dataFolder,
                                          std::optional<char> decimalPoint);

}  // namespace kelvor
