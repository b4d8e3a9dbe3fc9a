#pragma once

#include <string>
#include <vector>

namespace kelvor {

struct Project;
struct Tables;

// What the start-up needs to know of its surroundings.
struct StartupEnvironment {
    char decimalPoint = '.';      // the system's numeric locale
    std::string appFolder;        // folder of the executable
    std::string dataFolder;       // resolved data folder (tables, start-up batch file)
    std::string shippedDataFolder;  // tables shipped beside the program, seeded into dataFolder
    std::string helpFolder;       // the manuals; empty: appFolder + "/Help"
};

// The start-up shared by the window and the command-line tool, in its fixed order: decimal
// separator, folders, `NewProject`, the tables, the plate material row, `StressDistribution`,
// the stiffener and girder profiles, the stiffener material row. Returns the messages of data
// files that were missing or malformed; the program runs on with what was read.
std::vector<std::string> StartUp(Project& p, Tables& tables, const StartupEnvironment& env);

// Material rows and profiles after the inputs were replaced (open, new): what every open
// does before it recalculates.
void ApplyProfilesAndMaterials(Project& p, const Tables& tables);

// Opens a project file as the Open command does: the file read whole or not at all, then the
// material rows and profiles applied. Empty message on success.
std::string OpenProject(Project& p, const Tables& tables, const std::string& path);

}  // namespace kelvor
