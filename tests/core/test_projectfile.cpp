// The project file. Goldens: tests/data/projectfile/writes.tsv names each golden file and the
// project it is written from. After a deliberate format change, regenerate them with
//   KELVOR_UPDATE_GOLDEN=1 kelvor_core_tests --gtest_filter='ProjectFile.Writes*'
// and review the diff before committing it. Broken project files: test_badfiles.cpp.
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
            if (!name.empty()) {
                EXPECT_EQ(testdata::CompareField(read, name, testdata::FieldText(want, name)), "");
            }
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

TEST_F(ProjectFile, FailedSaveLeavesTargetAndProjectAlone) {
    fs::create_directories(dir_ / "folder");
    Write("folder/inside.txt", "keep");
    for (const std::string& given :
         {Path("no-such-folder/x.kelvo"), Path("folder"), Path("folder") + "/"}) {
        SCOPED_TRACE(given);
        Project p = filecases::DefaultProject();
        p.ProjectFile = "previous.kelvo";
        std::string path = given;
        EXPECT_EQ(WriteProjectFile(p, path).message, "can't save file - " + given);
        EXPECT_EQ(p.ProjectFile, "previous.kelvo");
        EXPECT_EQ(ReadBytes(dir_ / "folder" / "inside.txt"), "keep");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1) << "no temporary left";
    }
    // A save that works replaces the old file and leaves nothing else beside it.
    Write("a.kelvo", "old content");
    Project p = filecases::DefaultProject();
    std::string path = Path("a.kelvo");
    ASSERT_TRUE(WriteProjectFile(p, path).ok);
    EXPECT_EQ(ReadBytes(path), ReadBytes(DataPath("projectfile/default202.kelvo")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2);
}

}  // namespace
}  // namespace kelvor
