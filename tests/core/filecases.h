// Shared by the file tests: the project a window holds after its first run, the test tables by
// name, text split at a separator, and golden files compared (or rewritten on request).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../support/datatable.h"
#include "core/project.h"
#include "core/tables.h"
#include "files/tableloaders.h"
#include "testsupport.h"

namespace filecases {

// NewProject with the strengths of material row 2, the T girder and the stiffener's area in place.
inline kelvor::Project DefaultProject() {
    kelvor::Project p;
    kelvor::NewProject(p);
    testdata::SetFields(p, "Fyp=355;Fys=355;Fup=470;Fus=470;StiffArea=2772;GirderH=800;"
                           "GirderB=200;GirderTw=10;GirderTf=20");
    return p;
}

// "small": tests/data/tables/small, whose rows the cases name; "shipped": the shipped folder;
// anything else: no tables loaded.
inline kelvor::Tables TablesOf(const std::string& name) {
    kelvor::Tables t;
    if (name == "small" || name == "shipped") {
        const std::string folder =
            name == "small" ? testdata::DataPath("tables/small") : KELVOR_SOURCE_DATA_DIR;
        EXPECT_TRUE(kelvor::LoadAllTables(t, folder, 0).empty()) << folder;
    }
    return t;
}

inline std::vector<std::string> Split(const std::string& text, const std::string& at) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(at, start)) != std::string::npos;
         start = end + at.size()) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

// With KELVOR_UPDATE_GOLDEN set the golden file is rewritten from `actual` (review the diff).
inline void ExpectGolden(const std::string& actual, const std::string& golden) {
    if (std::getenv("KELVOR_UPDATE_GOLDEN") != nullptr) {
        testsupport::WriteBytes(testdata::DataPath(golden), actual);
    }
    EXPECT_EQ(actual, testsupport::ReadBytes(testdata::DataPath(golden))) << golden;
}

}  // namespace filecases
