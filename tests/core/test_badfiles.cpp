// Every file broken on purpose (tests/data/bad/KIND/FILE) gives exactly the message of its row in
// tests/data/bad/messages.tsv and changes nothing: the project stays as it was, a batch file
// gives no entries, a table keeps the rows before the fault. A failed save leaves all as it was.
#include <gtest/gtest.h>

#include <filesystem>

#include "filecases.h"
#include "files/batchfile.h"
#include "files/projectfile.h"

namespace kelvor {
namespace {

namespace fs = std::filesystem;
using testdata::DataPath;
using testsupport::InputSnapshot;
using testsupport::ReadBytes;

class BadFiles : public testsupport::TempDirTest {};

TEST_F(BadFiles, GiveTheirMessageAndChangeNothing) {
    const Tables shipped = filecases::TablesOf("shipped"), small = filecases::TablesOf("small");
    Project before = filecases::DefaultProject();  // every line differs from the broken files'
    ASSERT_TRUE(ReadProjectFile(before, Tables{}, DataPath("projectfile/distinct202.kelvo")).ok);
    for (const testdata::Row& row : testdata::ReadTable("bad/messages.tsv")) {
        SCOPED_TRACE(row.where + " " + row[1]);
        const std::string& kind = row[0];
        std::string path = DataPath("bad/" + kind + "/" + row[1]), message, kept;
        if (kind.starts_with("project")) {
            Project p = before;
            message = ReadProjectFile(p, kind == "project" ? Tables{} : small, path).message;
            EXPECT_EQ(InputSnapshot(p, true), InputSnapshot(before, true));
        } else if (kind.starts_with("batch")) {
            const BatchReadResult read = ReadBatchFile(path, shipped, kind == "batch-comma");
            EXPECT_FALSE(read.ok);
            EXPECT_TRUE(read.table.entries.empty());
            message = read.message;
        } else {
            const std::vector<LoadMessage> messages =
                filecases::LoadTableFile(kind, path, dir_, kept);
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].file, path);
            message = messages[0].text;
            const int line = messages[0].line;  // 0 for the whole file
            EXPECT_NE(message.find(line ? ", line " + std::to_string(line) + ": " : "file - "),
                      std::string::npos);
        }
        EXPECT_EQ(kept, row[2]);
        std::string want = row[3];
        EXPECT_EQ(message, want.replace(want.find("{path}"), 6, path));
    }
}

TEST_F(BadFiles, FailedSavesNameTheTargetAndLeaveNothingBehind) {
    fs::create_directories(dir_ / "folder");
    Write("folder/inside.txt", "keep");
    for (bool batch : {false, true}) {
        for (const std::string& name : {"no-such-folder/x.kelvo", "folder", "folder/"}) {
            SCOPED_TRACE(name);
            Project p = filecases::DefaultProject();
            p.ProjectFile = "previous.kelvo";
            std::string path = Path(name);
            const FileResult result =
                batch ? WriteBatchResults(p, Tables{}, {}, path, '.') : WriteProjectFile(p, path);
            EXPECT_EQ(result.message, "can't save file - " + Path(name));
            EXPECT_EQ(p.ProjectFile, "previous.kelvo");
            EXPECT_EQ(ReadBytes(dir_ / "folder" / "inside.txt"), "keep");
            EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 1) << "no temporary left";
        }
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
