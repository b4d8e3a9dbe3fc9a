#include "clienvironment.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>

#include "files/datafolder.h"

namespace kelvor {

std::string ExecutableFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

namespace {

char SystemDecimalPoint() {
    const std::lconv* lc = std::localeconv();
    return lc && lc->decimal_point && lc->decimal_point[0] ? lc->decimal_point[0] : '.';
}

}  // namespace

StartupEnvironment CommandLineEnvironment(const std::string& dataFolder,
                                          std::optional<char> decimalPoint) {
    StartupEnvironment env;
    env.decimalPoint = decimalPoint.value_or(SystemDecimalPoint());
    env.appFolder = ExecutableFolder();
    const std::string shipped = ShippedFolder(env.appFolder, "data").string();
    if (!dataFolder.empty()) {
        // An explicit folder is used as it stands: it is the caller's data set.
        env.dataFolder = dataFolder;
    } else {
        const char* fromEnv = std::getenv("KELVOR_DATA_DIR");
        env.dataFolder = ResolveDataFolder(fromEnv, std::getenv("XDG_DATA_HOME"),
                                           std::getenv("HOME"))
                             .string();
        if (!fromEnv || !*fromEnv) {
            env.shippedDataFolder = shipped;
        }
    }
    return env;
}

}  // namespace kelvor
