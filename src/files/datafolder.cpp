#include "files/datafolder.h"

#include <system_error>

namespace kelvor {

namespace fs = std::filesystem;

namespace {

bool IsSet(const char* value) {
    return value != nullptr && value[0] != '\0';
}

LoadMessage PathMessage(std::string_view prefix, const fs::path& path) {
    return {path.string(), 0, std::string(prefix) + path.string()};
}

}  // namespace

const std::vector<std::string>& DataFileNames() {
    static const std::vector<std::string> names = {
        std::string(kBulbFlatFile), std::string(kLFile),        std::string(kTFile),
        std::string(kFlatBarFile),  std::string(kMaterialFile), "dummy.kvi"};
    return names;
}

fs::path ResolveDataFolder(const char* envValue, const char* xdgDataHome, const char* home) {
    if (IsSet(envValue)) {
        return fs::path(envValue);
    }
    if (IsSet(xdgDataHome)) {
        return fs::path(xdgDataHome) / "Kelvor" / "";
    }
    if (IsSet(home)) {
        return fs::path(home) / ".local" / "share" / "Kelvor" / "";
    }
    return {};
}

std::vector<LoadMessage> SeedDataFolder(const fs::path& dataFolder, const fs::path& shippedFolder) {
    std::vector<LoadMessage> messages;
    const fs::path folder = dataFolder.empty() ? fs::path(".") : dataFolder;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec)) {
        messages.push_back(PathMessage("can't save file - ", folder));
        return messages;
    }
    for (const std::string& name : DataFileNames()) {
        const fs::path target = folder / name;
        // A dangling link or anything else already there is the user's; leave it alone.
        if (fs::symlink_status(target, ec).type() != fs::file_type::not_found) {
            continue;
        }
        const fs::path source = shippedFolder / name;
        if (!fs::is_regular_file(source, ec)) {
            messages.push_back(PathMessage("can't find file - ", source));
            continue;
        }
        fs::path temporary = target;
        temporary += ".seeding";
        fs::remove(temporary, ec);
        bool copied = fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec);
        if (copied && !ec) {
            fs::rename(temporary, target, ec);
            copied = !ec;
        }
        if (!copied) {
            fs::remove(temporary, ec);
            messages.push_back(PathMessage("can't save file - ", target));
        }
    }
    return messages;
}

fs::path ShippedFolder(const fs::path& appFolder, const std::string& name) {
    const fs::path beside = appFolder / name;
    const fs::path installed = appFolder / ".." / "share" / "kelvor" / name;
    std::error_code ec;
    if (!fs::is_directory(beside, ec) && fs::is_directory(installed, ec)) {
        return installed.lexically_normal();
    }
    return beside;
}

}  // namespace kelvor
