// Shared by the file tests: the project a window holds after its first run, the test tables by
// name, one table file loaded with its rows as text, text split and joined, and golden files
// compared (or rewritten on request).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "../support/datatable.h"
#include "core/project.h"
#include "core/tables.h"
#include "files/tableloaders.h"
#include "testsupport.h"

namespace filecases {

using testdata::Shortest;

// NewProject with the strengths of material row 2, the T girder and the stiffener's area in place.
inline kelvor::Project DefaultProject() {
    kelvor::Project p;
    kelvor::NewProject(p);
    testdata::SetFields(p,
                        "Fyp=355;Fys=355;Fup=470;Fus=470;StiffArea=2772;GirderH=800;"
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

inline std::string Join(const std::vector<std::string>& parts, const std::string& with) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        out += (i ? with : "") + parts[i];
    }
    return out;
}

// A row as its values joined by "|"; a material as name|Fy|Fu|Q.
inline std::string RowText(const kelvor::ProfileRow& row, int columns) {
    std::string out;
    for (int i = 0; i < columns; ++i) {
        out += (i ? "|" : "") + Shortest(row[static_cast<std::size_t>(i)]);
    }
    return out;
}
inline std::string RowText(const kelvor::MaterialRow& m) {
    return m.MatName + "|" + Shortest(m.MatFy) + "|" + Shortest(m.MatFu) + "|" + Shortest(m.MatQ);
}

// Loads one table file as `kind` says: table-lprof, table-fprof (that profile table), or
// table-Kvmat (copied into `folder` as Kvmat.csv; "-comma": in the comma setting). `path`
// becomes the path read; `rows` gets the rows read, joined by ";".
inline std::vector<kelvor::LoadMessage> LoadTableFile(const std::string& kind, std::string& path,
                                                      const std::filesystem::path& folder,
                                                      std::string& rows) {
    using namespace kelvor;
    std::vector<LoadMessage> messages;
    rows.clear();
    if (kind.starts_with("table-Kvmat")) {
        const std::filesystem::path copy = folder / kMaterialFile;
        std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing);
        path = copy.string();
        Tables t;
        messages = LoadMaterialTable(t, folder, kind.ends_with("-comma"));
        for (const MaterialRow& m : t.Materials) {
            rows += (rows.empty() ? "" : ";") + RowText(m);
        }
        return messages;
    }
    const ProfileKind profile = kind == "table-lprof" ? ProfileKind::L : ProfileKind::FlatBar;
    ProfileTable table;
    messages = LoadProfileTable(table, profile, path);
    for (const ProfileRow& r : table.rows) {
        rows += (rows.empty() ? "" : ";") + RowText(r, ProfileColumnCount(profile));
    }
    return messages;
}

// With KELVOR_UPDATE_GOLDEN set the golden file is rewritten from `actual` (review the diff).
inline void ExpectGolden(const std::string& actual, const std::string& golden) {
    if (std::getenv("KELVOR_UPDATE_GOLDEN") != nullptr) {
        testsupport::WriteBytes(testdata::DataPath(golden), actual);
    }
    EXPECT_EQ(actual, testsupport::ReadBytes(testdata::DataPath(golden))) << golden;
}

}  // namespace filecases
