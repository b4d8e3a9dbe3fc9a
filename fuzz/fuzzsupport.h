// What the fuzz targets share: the shipped tables, and a scratch file for readers that take a
// path.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "core/tables.h"
#include "files/tableloaders.h"

namespace kelvor::fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A folder of this process's own under the temporary folder, so that parallel fuzzing jobs
// don't share files; removed when the run ends normally.
inline const std::filesystem::path& ScratchFolder() {
    // Never destroyed, so that the exit handler can still name it.
    static const std::filesystem::path* const folder = [] {
        const auto* f = new std::filesystem::path(std::filesystem::temp_directory_path() /
                                                  ("kelvor-fuzz-" + std::to_string(::getpid())));
        std::filesystem::create_directories(*f);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(ScratchFolder(), ec);
        });
        return f;
    }();
    return *folder;
}

inline std::string WriteScratch(const std::string& name, std::string_view bytes) {
    const std::filesystem::path path = ScratchFolder() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
    return path.string();
}

// The shipped tables, loaded once: the readers match rows and materials against them.
inline const Tables& ShippedTables() {
    static const Tables tables = [] {
        Tables t;
        if (!LoadAllTables(t, KELVOR_SOURCE_DATA_DIR, 0).empty()) {
            std::fprintf(stderr, "the shipped tables in %s do not load\n",
                         KELVOR_SOURCE_DATA_DIR);
            std::abort();
        }
        return t;
    }();
    return tables;
}

// An invariant broken: libFuzzer keeps the input as a crash.
inline void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

}  // namespace kelvor::fuzz
