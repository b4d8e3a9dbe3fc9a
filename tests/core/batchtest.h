// Batch lines and files for the batch tests: a panel line field by field, file helpers, and a
// fixture with the shipped tables and a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/project.h"
#include "core/tables.h"
#include "files/batchfile.h"
#include "files/tableloaders.h"
#include "testsupport.h"

namespace kelvor::batchtest {

namespace fs = std::filesystem;

inline const fs::path kBatchData = fs::path(KELVOR_TEST_DATA_DIR) / "batch";

using testsupport::ReadBytes;
using testsupport::WriteBytes;

inline std::vector<std::string> SplitAt(const std::string& text, const std::string& at) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(at, start)) != std::string::npos;
         start = end + at.size()) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

// A panel line of the format, field by field, that the cases below change one field of.
inline std::vector<std::string> PanelFields() {
    return {"Platform X", "Deck P1", "0", "1.43", "0.6", "355", "470", "355", "470", "206000",
            "1", "3", "0", "LR", "200x90x9x14", "TG", "800x200x10x20", "3000", "3000", "9000",
            "5400", "3000", "20", "600", "650", "-100", "-100", "-50", "-50", "10", "0.03",
            "0.03"};
}

inline std::string Join(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += (i ? "\t" : "") + fields[i];
    }
    return line;
}

inline std::string Panel(int field = -1, const std::string& value = "") {
    std::vector<std::string> fields = PanelFields();
    if (field >= 0) {
        fields[static_cast<std::size_t>(field)] = value;
    }
    return Join(fields);
}

class BatchTest : public testsupport::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        ASSERT_TRUE(LoadAllTables(tables_, KELVOR_SOURCE_DATA_DIR, 0).empty());
    }

    BatchReadResult Read(const std::string& content, int decimalMode = 0) {
        WriteBytes(Path("in.kvi"), content);
        return ReadBatchFile(Path("in.kvi"), tables_, decimalMode);
    }

    Tables tables_;
    Project p_;
};

}  // namespace kelvor::batchtest
