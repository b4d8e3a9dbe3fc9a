// The whole record as text, walked through the record's field table (src/core/recordfields.h),
// so that a field added to the record is compared without touching the tests.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "../support/datatable.h"
#include "core/recordfields.h"

namespace testsupport {

// Every field but those named in `skip` (with `jsonOnly`, also but those the JSON record leaves
// out), one "name=value" a line; numbers exact. The project file writes -0 as 0, so a zero's
// sign is dropped.
inline std::string RecordSnapshot(const kelvor::Project& p,
                                  std::initializer_list<std::string_view> skip = {},
                                  bool jsonOnly = false) {
    std::string out;
    for (const kelvor::RecordField& f : kelvor::RecordFields()) {
        if ((jsonOnly && !f.inJson) || std::find(skip.begin(), skip.end(), f.name) != skip.end()) {
            continue;
        }
        std::string text = "," + testdata::FieldText(p, f.name) + ",";
        for (std::size_t at; (at = text.find(",-0,")) != std::string::npos;) {
            text.erase(at + 1, 1);
        }
        out += std::string(f.name) + "=" + text.substr(1, text.size() - 2) + "\n";
    }
    return out;
}

}  // namespace testsupport
