#include "files/atomicfile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

namespace kelvor {

namespace {

// Creates a fresh temporary file beside the target. Exclusive creation ("x") keeps a leftover or
// somebody else's file of the same name from being overwritten.
std::FILE* CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target;
        temp += ".~" + std::to_string(attempt) + ".tmp";
        errno = 0;
        if (std::FILE* f = std::fopen(temp.string().c_str(), "wbx")) {
            return f;
        }
        if (errno != EEXIST) {
            return nullptr;
        }
    }
    return nullptr;
}

}  // namespace

bool SaveAtomically(const std::string& path, const std::string& content) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    if (!target.has_filename()) {
        return false;
    }
    fs::path temp;
    std::FILE* f = CreateTemporary(target, temp);
    if (f == nullptr) {
        return false;
    }
    bool written = std::fwrite(content.data(), 1, content.size(), f) == content.size();
    written = std::fflush(f) == 0 && written;
    written = std::ferror(f) == 0 && written;
    written = std::fclose(f) == 0 && written;
    std::error_code ec;
    if (written) {
        fs::rename(temp, target, ec);
    }
    if (!written || ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

}  // namespace kelvor
