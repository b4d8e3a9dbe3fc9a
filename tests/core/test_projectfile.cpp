// The project file. Goldens: tests/data/projectfile/writes.tsv names each golden file and the
// project it is written from. After a deliberate format change, regenerate them with
//   KELVOR_UPDATE_GOLDEN=1 kelvor_core_tests --gtest_filter='ProjectFile.Writes*'
// and review the diff before committing it. Broken files and failed saves: test_badfiles.cpp.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "filecases.h"
#include "files/projectfile.h"

namespace kelvor {
namespace {

namespace fs = std::filesystem;
using testdata::DataPath;
using testsupport::InputSnapshot;
using testsupport::ReadBytes;

class ProjectFile : public testsupport::TempDirTest {
protected:
    // Reads the file into DefaultProject(); it must be the source with `expect` set, field by
    // field and then as a whole.
    void ExpectRead(const std::string& path, const Tables& tables, Project want,
                    const std::string& expect) {
        Project read = filecases::DefaultProject();
        const FileResult result = ReadProjectFile(read, tables, path);
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(result.message, "");
        testdata::SetFields(want, expect);
        want.ProjectFile = path;
        for (const std::string& item : filecases::Split(expect, ";")) {
            const std::string name = item.substr(0, item.find('='));
            EXPECT_EQ(name.empty()
                          ? ""
                          : testdata::CompareField(read, name, testdata::FieldText(want, name)),
                      "");
        }
        EXPECT_EQ(InputSnapshot(read, true), InputSnapshot(want, true));
    }
};

// golden | read first | set | fields that differ once read back | note
TEST_F(ProjectFile, WritesTheGoldenFilesThatReadBack) {
    for (const testdata::Row& row : testdata::ReadTable("projectfile/writes.tsv")) {
        SCOPED_TRACE(row.where);
        Project p = filecases::DefaultProject();
        if (!row[1].empty()) {
            ASSERT_TRUE(ReadProjectFile(p, Tables{}, DataPath("projectfile/" + row[1])).ok);
        }
        testdata::SetFields(p, row[2]);
        std::string path = Path("out.kelvo");
        ASSERT_EQ(WriteProjectFile(p, path).message, "");
        EXPECT_EQ(p.ProjectFile, path);
        filecases::ExpectGolden(ReadBytes(path), "projectfile/" + row[0]);
        ExpectRead(path, Tables{}, p, row[3]);
    }
}

// case | file (empty: the project written and read back) | set | tables | expect | note
TEST_F(ProjectFile, ReadsLenientlyResolvesRowsAndFillsBuiltUpInputs) {
    for (const testdata::Row& row : testdata::ReadTable("projectfile/reads.tsv")) {
        SCOPED_TRACE(row.where + " " + row[0]);
        Project source = filecases::DefaultProject();
        testdata::SetFields(source, row[2]);
        std::string path = Path("roundtrip.kelvo");
        if (row[1].empty()) {
            ASSERT_TRUE(WriteProjectFile(source, path).ok);
        } else {
            path = DataPath("projectfile/" + row[1]);
        }
        ExpectRead(path, filecases::TablesOf(row[3]), source, row[4]);
    }
}

// A path holding ".vlm" (else ".hgt") is saved as ".vlrm"; the caller gets the path it went to.
TEST_F(ProjectFile, SavesLegacyExtensionsAsVlrm) {
    for (const testdata::Row& row : testdata::ReadTable("projectfile/save-as.tsv")) {
        SCOPED_TRACE(row.where);
        Project p = filecases::DefaultProject();
        std::string path = Path(row[0]);
        ASSERT_TRUE(WriteProjectFile(p, path).ok);
        EXPECT_EQ(path, Path(row[1]));
        EXPECT_EQ(p.ProjectFile, Path(row[1]));
        EXPECT_EQ(ReadBytes(Path(row[1])), ReadBytes(DataPath("projectfile/default202.kelvo")));
        EXPECT_EQ(fs::exists(Path(row[0])), row[0] == row[1]);
    }
}

}  // namespace
}  // namespace kelvor
