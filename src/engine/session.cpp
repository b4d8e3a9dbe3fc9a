#include "engine/session.h"

#include <filesystem>

#include "core/calcerror.h"
#include "engine/calculate.h"
#include "core/numparse.h"
#include "core/project.h"
#include "core/tables.h"
#include "files/datafolder.h"
#include "files/projectfile.h"
#include "files/tableloaders.h"
#include "profiles/profiles.h"

namespace kelvor {

namespace {

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

// Section properties of implausible dimensions can fail; the next calculation runs the same
// set-up as a step of its own and reports the failure there, so nothing is lost by going on.
void SetUpProfiles(Project& p, const Tables& tables) {
    try {
        SetUpStiffenerProfile(p, tables, p.StiffProfileType);
    } catch (const CalcError&) {
    }
    try {
        SetUpGirderProfile(p);
    } catch (const CalcError&) {
    }
}

}  // namespace

std::vector<std::string> StartUp(Project& p, Tables& tables, const StartupEnvironment& env) {
    std::vector<std::string> messages;
    p.DecimalMode = DetectDecimalSeparator(env.decimalPoint);

    p.AppFolder = WithSeparator(env.appFolder);
    p.WorkFolder = p.AppFolder;
    p.HelpFolder = env.helpFolder.empty() ? p.AppFolder + "Help/" : WithSeparator(env.helpFolder);
    p.DataFolder = WithSeparator(env.dataFolder);

    NewProject(p);

    if (!env.shippedDataFolder.empty()) {
        for (const LoadMessage& m : SeedDataFolder(p.DataFolder, env.shippedDataFolder)) {
            messages.push_back(m.text);
        }
    }
    tables = Tables{};
    for (const LoadMessage& m : LoadAllTables(tables, p.DataFolder, p.DecimalMode)) {
        messages.push_back(m.text);
    }

    LoadPlateMaterial(p, tables, p.PlateMaterialIndex);
    StressDistribution(p);
    SetUpProfiles(p, tables);
    LoadStiffenerMaterial(p, tables, p.StiffMaterialIndex);
    return messages;
}

void ApplyProfilesAndMaterials(Project& p, const Tables& tables) {
    LoadPlateMaterial(p, tables, p.PlateMaterialIndex);
    SetUpProfiles(p, tables);
    LoadStiffenerMaterial(p, tables, p.StiffMaterialIndex);
}

std::string OpenProject(Project& p, const Tables& tables, const std::string& path) {
    const FileResult read = ReadProjectFile(p, tables, path);
    if (!read.ok) {
        return read.message;
    }
    ApplyProfilesAndMaterials(p, tables);
    return {};
}

}  // namespace kelvor
