#include <dlfcn.h>

#include <filesystem>

#include "clienvironment.h"
#include "qtpart.h"

namespace kelvor {

const QtPart* LoadQtPart(std::string& error) {
    const std::filesystem::path here(ExecutableFolder());
    // Beside the tool in the build tree; in the library folder of an installed tree.
    const std::filesystem::path candidates[] = {here / KELVOR_QT_PART_NAME,
                                                here / KELVOR_QT_PART_INSTALLED};
    for (const std::filesystem::path& path : candidates) {
        std::error_code ec;
        if (!std::filesystem::exists(path, ec)) {
            continue;
        }
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* why = dlerror();
            error = std::string("can't load ") + path.string() + (why ? std::string(": ") + why : "");
            return nullptr;
        }
        // Kept loaded for the rest of the run: the painting it does lasts until exit.
        auto entry = reinterpret_cast<QtPartEntry>(dlsym(module, kQtPartEntry));
        if (!entry) {
            error = "can't load " + path.string();
            return nullptr;
        }
        return entry();
    }
    error.clear();
    return nullptr;
}

}  // namespace kelvor
