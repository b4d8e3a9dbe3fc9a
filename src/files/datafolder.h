// Where the data tables live, and how a first start gets them.
//
// The tables are user-editable, so they live in a per-user folder rather than beside the
// program; the shipped copies only fill in files that are missing there, and never overwrite a
// file the user has edited.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "files/tableloaders.h"

namespace kelvor {

// The five table files and the start-up batch file "dummy.kvi", in the start-up order of the
// tables.
const std::vector<std::string>& DataFileNames();

// KELVOR_DATA_DIR when set and not empty (tests, CI, several data sets side by side); otherwise
// $XDG_DATA_HOME/Kelvor/, or $HOME/.local/share/Kelvor/ when XDG_DATA_HOME is unset or empty.
// The arguments are the raw environment values (null when unset). Without any of them the
// result is empty, which names the current folder.
std::filesystem::path ResolveDataFolder(const char* envValue, const char* xdgDataHome,
                                        const char* home);

// Creates dataFolder if needed and copies every file of DataFileNames() that is missing there
// from shippedFolder. Never throws; failures come back as messages:
//   "can't save file - " + path   the folder or the copy could not be written
//   "can't find file - " + path   the shipped file itself is missing
// A copy is written under a temporary name and renamed, so a failed copy never leaves a
// truncated table behind that later starts would take for the user's own.
std::vector<LoadMessage> SeedDataFolder(const std::filesystem::path& dataFolder,
                                        const std::filesystem::path& shippedFolder);

// The folder of a kind of file shipped with the programs ("data" for the tables, "Help" for the
// manuals): <appFolder>/<name> as a build leaves them, else <appFolder>/../share/kelvor/<name>
// as `cmake --install` puts them; the first that is a folder, and the first when neither is.
std::filesystem::path ShippedFolder(const std::filesystem::path& appFolder,
                                    const std::string& name);

}  // namespace kelvor
