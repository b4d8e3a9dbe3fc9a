// What the fuzz targets share: the input as text, the shipped tables, and the invariant check.
// The readers are fed in memory: no target touches the disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/tables.h"
#include "files/tableloaders.h"

namespace kelvor::fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
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
