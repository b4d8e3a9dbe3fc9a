// Every file broken on purpose (tests/data/bad/KIND/FILE) gives exactly the message of its row in
// tests/data/bad/messages.tsv and changes nothing: the project stays as it was, a batch file
// gives no entries, a table keeps the rows before the fault.
#include <gtest/gtest.h>

#include <filesystem>

#include "filecases.h"
#include "files/batchfile.h"
#include "files/projectfile.h"

namespace kelvor {
namespace {

using testdata::DataPath;

class BadFiles : public testsupport::TempDirTest {};

TEST_F(BadFiles, GiveTheirMessageAndChangeNothing) {
    const Tables shipped = filecases::TablesOf("shipped"), small = filecases::TablesOf("small");
    Project before = filecases::DefaultProject();  // every line differs from the broken files'
    ASSERT_TRUE(ReadProjectFile(before, Tables{}, DataPath("projectfile/distinct202.kelvo")).ok);
    for (const testdata::Row& row : testdata::ReadTable("bad/messages.tsv")) {
        SCOPED_TRACE(row.where + " " + row[1]);
        const std::string& kind = row[0];
        std::string path = DataPath("bad/" + kind + "/" + row[1]);
        std::string message;
        int kept = 0;
        if (kind.rfind("project", 0) == 0) {
            Project p = before;
            message = ReadProjectFile(p, kind == "project" ? Tables{} : small, path).message;
            EXPECT_EQ(testsupport::InputSnapshot(p, true), testsupport::InputSnapshot(before, true));
        } else if (kind.rfind("batch", 0) == 0) {
            const BatchReadResult read = ReadBatchFile(path, shipped, kind == "batch-comma");
            EXPECT_FALSE(read.ok);
            EXPECT_TRUE(read.table.entries.empty());
            message = read.message;
        } else {
            Tables t;
            std::vector<LoadMessage> messages;
            if (kind.rfind("table-Kvmat", 0) == 0) {
                std::filesystem::copy_file(path, dir_ / kMaterialFile);
                path = Path(std::string(kMaterialFile));
                messages = LoadMaterialTable(t, dir_, kind == "table-Kvmat-comma");
                kept = t.MaterialLastRow() + 1;
                std::filesystem::remove(path);
            } else {
                ProfileTable table;
                messages = LoadProfileTable(table, kind == "table-lprof" ? ProfileKind::L
                                                                          : ProfileKind::FlatBar,
                                            path);
                kept = static_cast<int>(table.rows.size());
            }
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].file, path);
            message = messages[0].text;
            const int line = messages[0].line;  // 0 for the whole file
            EXPECT_NE(message.find(line ? ", line " + std::to_string(line) + ": " : "file - "),
                      std::string::npos);
            EXPECT_EQ(kept, row.Int(2));
        }
        std::string want = row[3];
        want.replace(want.find("{path}"), 6, path);
        EXPECT_EQ(message, want);
    }
}

}  // namespace
}  // namespace kelvor
