// Reading batch files: entries, End lines, refused files with their messages, fields, codes,
// row lookups, and loading a panel into the project.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batchtest.h"

namespace kelvor {
namespace {

using namespace batchtest;

// A file of one panel line, with one field changed, and its End line.
std::string OnePanel(int field = -1, const std::string& value = "") {
    return Panel(field, value) + "\r\nEnd\r\n";
}

TEST_F(BatchTest, EndInAnyCaseAndWithMoreTextEndsTheFile) {
    for (const char* end : {"End", "end", "END", "eNd", "Endless", "End\tof it", "  end  "}) {
        SCOPED_TRACE(end);
        const BatchReadResult read =
            Read("% a\r\n" + Panel() + "\r\n" + end + "\r\nnot a panel\r\n\r\n");
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_EQ(read.table.entries.size(), 2u);
    }
    // A file of LF line ends, and one whose End line has no line end at all.
    EXPECT_TRUE(Read("% a\n" + Panel() + "\nEnd\n").ok);
    EXPECT_TRUE(Read("End").ok);
    const BatchReadResult marked = Read("\xEF\xBB\xBF% a\r\nEnd\r\n");
    ASSERT_TRUE(marked.ok) << marked.message;
    EXPECT_EQ(marked.table.entries[0].text, "% a");
    EXPECT_EQ(Read("End").table.entries.size(), 0u);
}

TEST_F(BatchTest, MalformedMissingAndBinaryFilesAreRefused) {
    const std::string bad = Path("in.kvi");
    const std::string at = "Error in batch file " + bad + ", line ";
    struct Row {
        const char* name;
        std::string content;
        int decimalMode, line;
        std::string reason;
    };
    std::vector<std::string> fb = PanelFields(), fields31 = fb;
    fb[13] = "FB", fb[14] = "100X8";
    fields31.pop_back();
    const Row rows[] = {
        {"blank line", "% a\r\n\r\nEnd\r\n", 0, 2, "blank line before End"},
        {"blanks only", "% a\r\n   \r\nEnd\r\n", 0, 2, "blank line before End"},
        {"31 fields", Join(fields31) + "\r\nEnd\r\n", 0, 1, "only 31 of 32 fields"},
        {"tabs only", "\t\t\r\nEnd\r\n", 0, 1, "only 3 of 32 fields"},
        {"En is no End", "En\r\n", 0, 1, "only 1 of 32 fields"},
        {"no End", "% a\r\n" + Panel() + "\r\n", 0, 3, "no End line"},
        {"empty file", "", 0, 1, "no End line"},
        {"three stiffener parts", OnePanel(14, "200x90x9"), 0, 1,
         "field 14 needs 4 dimensions joined by x: '200x90x9'"},
        {"one flat-bar part", Join(fb) + "\r\nEnd\r\n", 0, 1,
         "field 14 needs 2 dimensions joined by x: '100X8'"},
        {"three girder parts", OnePanel(16, "800x200x10"), 0, 1,
         "field 16 needs 4 dimensions joined by x: '800x200x10'"},
        {"comma setting", OnePanel(22, "2o"), 1, 1, "field 22 is not a number: '2o'"},
        {"comma setting, empty field", OnePanel(30, ""), 1, 1, "field 30 is not a number: ''"},
        {"beyond single precision", OnePanel(9, "1e99"), 0, 1, "field 9 is not a number: '1e99'"},
        {"dimension not a number", OnePanel(14, "200x9ox9x1e40"), 0, 1,
         "field 14 is not a number: '1e40'"},
        {"loading condition 3", OnePanel(2, "2.5001"), 0, 1,
         "field 2 must be 0, 1 or 2, not '2.5001'"},
        {"structure page -1", OnePanel(10, "-0.6"), 0, 1, "field 10 must be 0, 1 or 2, not '-0.6'"},
        {"option 2", OnePanel(12, "1.5"), 0, 1, "field 12 must be 0 or 1, not '1.5'"},
        {"huge code", OnePanel(2, "3e38"), 0, 1, "field 2 must be 0, 1 or 2, not '3e38'"},
        {"long garbage token", OnePanel(3, std::string(40, '\x01')), 1, 1,
         "field 3 is not a number: '" + std::string(32, '?') + "...'"},
        {"over-long line", std::string((1 << 20) + 1, 'a') + "\r\nEnd\r\n", 0, 1,
         "line longer than 1048576 characters"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const BatchReadResult read = Read(row.content, row.decimalMode);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.message, at + std::to_string(row.line) + ": " + row.reason);
        EXPECT_TRUE(read.table.entries.empty());
    }
    EXPECT_EQ(ReadBatchFile(Path("none.kvi"), tables_, 0).message,
              "can't find file - " + Path("none.kvi"));
    EXPECT_EQ(ReadBatchFile(dir_.string(), tables_, 0).message,
              "can't read file - " + dir_.string());
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 37) % 256);
    }
    EXPECT_FALSE(Read(garbage).ok);
}

TEST_F(BatchTest, TenThousandEntriesAreReadTheTenThousandFirstIsRefused) {
    std::string lines;
    for (int i = 0; i < 9999; ++i) {
        lines += "% c\r\n";
    }
    lines += Panel() + "\r\n";
    const BatchReadResult full = Read(lines + "End\r\n");
    ASSERT_TRUE(full.ok) << full.message;
    EXPECT_EQ(full.table.entries.size(), 10000u);
    EXPECT_EQ(full.table.entries.back().line, 10000);

    const BatchReadResult over = Read(lines + "% one too many\r\nEnd\r\n");
    EXPECT_EQ(over.message,
              "Error in batch file " + Path("in.kvi") + ", line 10001: more than 10000 entries");
}

// The file is read in blocks of 64 KiB: a line that runs across a block's end, or whose CR LF
// is split by it, reads as any other. The comma setting refuses a stray CR after the last field.
TEST_F(BatchTest, LinesAcrossTheReadBlocksReadWhole) {
    constexpr std::size_t kBlock = 1 << 16;
    const std::string panel = Panel(1, "Across") + "\r\n";
    // How much of each panel line lies before the end of a block, one block after the other.
    const std::size_t before[] = {
        0, 1, panel.size() / 2, panel.size() - 2, panel.size() - 1, panel.size()};
    std::string content;
    std::vector<std::string> paddings;
    for (const std::size_t b : before) {
        const std::size_t room = kBlock - content.size() % kBlock - b;
        paddings.push_back("% " + std::string(room - 4, 'p'));
        content += paddings.back() + "\r\n" + panel;
    }
    const BatchReadResult read = Read(content + "% after\r\nEnd", 1);
    ASSERT_TRUE(read.ok) << read.message;
    const std::vector<BatchEntry>& entries = read.table.entries;
    ASSERT_EQ(entries.size(), 2 * std::size(before) + 1);
    for (std::size_t i = 0; i < std::size(before); ++i) {
        SCOPED_TRACE(before[i]);
        EXPECT_EQ(entries[2 * i].text, paddings[i]);
        EXPECT_EQ(entries[2 * i + 1].Identification, "Across");
        EXPECT_EQ(entries[2 * i + 1].ps, 0.03f);
        EXPECT_EQ(entries[2 * i + 1].line, static_cast<int>(2 * i + 2));
    }
    EXPECT_EQ(entries.back().text, "% after");
}

TEST_F(BatchTest, EveryFieldLandsInItsPlace) {
    // Each field gets a value of its own, so that two swapped fields can't pass.
    std::vector<std::string> f = PanelFields();
    f[0] = "  Name with blanks", f[1] = " id 7 ";
    const char* numbers[] = {"2",   "1.5",   "0.7", "315", "440", "390",
                             "510", "2,1e5", "0",   "4.5", "1"};
    for (int i = 2; i <= 12; ++i) {
        f[static_cast<std::size_t>(i)] = numbers[i - 2];
    }
    f[13] = "IG", f[14] = "300x150x12x18.5x99", f[15] = "LG", f[16] = "700x180x11x21";
    for (int i = 17; i <= 31; ++i) {
        f[static_cast<std::size_t>(i)] = std::to_string(i) + ".25";
    }
    f.push_back("ignored\tand this");
    const BatchReadResult read = Read("  " + Join(f) + "  \r\nEnd\r\n");
    ASSERT_TRUE(read.ok) << read.message;
    const BatchEntry& e = read.table.entries[0];
    EXPECT_EQ(e.ProjectName, "Name with blanks");  // the line is stripped, not the field
    EXPECT_EQ(e.Identification, " id 7 ");
    EXPECT_EQ(e.text, " id 7 ");
    // A comma serves as decimal point in the point setting too (E).
    EXPECT_EQ(std::vector<float>({e.FS, e.UFallow, e.Fyp, e.Fup, e.Fys, e.Fus, e.E, e.UnitLength}),
              std::vector<float>({1.5f, 0.7f, 315, 440, 390, 510, 210000, 4.5f}));
    EXPECT_EQ(std::vector<int>({e.LoadingCondition, e.CFactorTab, e.CFactorOption, e.StiffFamily,
                                e.GirderFamily}),
              std::vector<int>({2, 0, 1, 9, 1}));
    EXPECT_EQ(std::vector<float>({e.StiffH, e.StiffB, e.StiffTw, e.StiffTf, e.GirderH, e.GirderB,
                                  e.GirderTw, e.GirderTf}),
              std::vector<float>({300, 150, 12, 18.5f, 700, 180, 11, 21}));
    const float Project::*const later[] = {
        &Project::L1,    &Project::L2,    &Project::Lg,  &Project::Lgs,   &Project::Lt,
        &Project::t,     &Project::s1,    &Project::s2,  &Project::SigxA, &Project::SigxB,
        &Project::SigyA, &Project::SigyC, &Project::Tau, &Project::p,     &Project::ps};
    RunBatchRecord(p_, tables_, read.table, 0);
    for (int i = 17; i <= 31; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(p_.*later[i - 17], static_cast<float>(i) + 0.25f);
    }
    EXPECT_EQ(p_.IBuiltH, 300);
    EXPECT_EQ(p_.IBuiltTf, 18.5f);
    EXPECT_EQ(p_.GirderLBuiltTw, 11);
}

TEST_F(BatchTest, RoundedFieldsGoToTheNearestIntegerHalvesToEven) {
    struct Row {
        const char* text;
        int value;
    };
    const Row rows[] = {{"0.5", 0},    {"1.5", 2},  {"2.5", 2}, {"0.4999", 0},
                        {"0.5001", 1}, {"-0.4", 0}, {"1,5", 2}, {" 1", 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const BatchReadResult read = Read(OnePanel(2, row.text));
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_EQ(read.table.entries[0].LoadingCondition, row.value);
    }
}

TEST_F(BatchTest, CodesTheirDimensionsAndTableRows) {
    // L table row 0 is 200x90x9x14; the bulb-flat table has 200x10 once, at its row found below.
    const int bf200x10 = *LookupBfRow(tables_, 200, 10);
    struct Row {
        const char* code;
        const char* dims;
        int family;
        std::vector<float> stored;  // H, B, tw, tf
        int row;
    };
    const Row rows[] = {
        {"LR", "200x90x9x14", 0, {200, 90, 9, 14}, 0},
        {"LR", "100x65x8x99", 0, {100, 65, 8, 99}, 2},  // tf is not compared
        {"LR", "999x65x8x8", 0, {999, 65, 8, 8}, 0},    // no match: row 0
        {"LW", "250x90x10x15", 1, {250, 90, 10, 15}, 0},
        {"TG", "300x100x10x12", 3, {300, 100, 10, 12}, 0},
        {"FB", "100x8", 5, {100, 0, 8, 0}, 0},
        {"BF", "200x10", 6, {200, 0, 10, 0}, bf200x10},
        {"IG", "300x150x12x18", 9, {300, 150, 12, 18}, 0},
        {"lr", "not read", -1, {0, 0, 0, 0}, 0},  // exact case
        {"T", "not read", -1, {0, 0, 0, 0}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.code) + " " + row.dims);
        std::vector<std::string> f = PanelFields();
        f[13] = row.code;
        f[14] = row.dims;
        const BatchReadResult read = Read(Join(f) + "\r\nEnd\r\n");
        ASSERT_TRUE(read.ok) << read.message;
        const BatchEntry& e = read.table.entries[0];
        EXPECT_EQ(e.StiffCode, row.code);
        EXPECT_EQ(e.StiffFamily, row.family);
        EXPECT_EQ(std::vector<float>({e.StiffH, e.StiffB, e.StiffTw, e.StiffTf}), row.stored);
        EXPECT_EQ(e.StiffRow, row.row);
    }
    const std::pair<const char*, int> girders[] = {{"LG", 1}, {"TG", 3}, {"lg", -1}, {"LR", -1}};
    for (const auto& [code, family] : girders) {
        SCOPED_TRACE(code);
        const BatchReadResult read = Read(OnePanel(15, code));
        ASSERT_TRUE(read.ok) << read.message;
        EXPECT_EQ(read.table.entries[0].GirderFamily, family);
    }
}

TEST_F(BatchTest, LookupTakesTheLastMatchingRowAndNoneWithoutMatch) {
    Tables t;
    t.LTable.rows = {{100, 65, 7, 7, 0}, {200, 90, 9, 14, 0}, {200, 90, 9, 16, 0}};
    t.BfTable.rows = {{200, 10, 28, 8, 2800}, {200, 10, 29, 8, 2900}, {220, 10, 30, 9, 3000}};
    EXPECT_EQ(LookupLRow(t, 200, 90, 9), 2);
    EXPECT_EQ(LookupLRow(t, 100, 65, 7), 0);
    EXPECT_EQ(LookupLRow(t, 200, 90, 9.0001f), std::nullopt);
    EXPECT_EQ(LookupBfRow(t, 200, 10), 1);
    EXPECT_EQ(LookupBfRow(t, 10, 200), std::nullopt);
    EXPECT_EQ(LookupLRow(Tables{}, 200, 90, 9), std::nullopt);
    // With its flange thickness an angle finds its own row among those sharing H, B, tw.
    EXPECT_EQ(LookupLRow(t, 200, 90, 9, 14), 1);
    EXPECT_EQ(LookupLRow(t, 200, 90, 9, 16), 2);
    EXPECT_EQ(LookupLRow(t, 200, 90, 9, 20), 2);
    EXPECT_EQ(LookupLRow(t, 200, 90, 8, 14), std::nullopt);

    // The later row's flange is the one loaded and written.
    WriteBytes(Path("in.kvi"), OnePanel(14, "200x90x9x20"));
    const BatchReadResult read = ReadBatchFile(Path("in.kvi"), t, 0);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.table.entries[0].StiffRow, 2);
    RunBatchRecord(p_, t, read.table, 0);
    EXPECT_EQ(p_.LTableRow, 2);
    EXPECT_EQ(p_.StiffTf, 16);
    EXPECT_EQ(SplitAt(BatchResultLine(p_, read.table.entries[0], '.'), "\t")[12],
              "LR200x90x9.0x16.0");
}

TEST_F(BatchTest, TheStrengthsOfTheFileStayWhateverTheMaterialRows) {
    const BatchReadResult read = Read(OnePanel(5, "235"));
    ASSERT_TRUE(read.ok);
    p_.PlateMaterialIndex = 0;
    RunBatchRecord(p_, tables_, read.table, 0);
    EXPECT_EQ(p_.Fyp, 235);
    EXPECT_EQ(p_.Fup, 470);
    // Comments and indices outside the table load nothing.
    const Project before = p_;
    RunBatchRecord(p_, tables_, read.table, 1);
    RunBatchRecord(p_, tables_, read.table, -1);
    EXPECT_EQ(p_.Identification, before.Identification);
}

}  // namespace
}  // namespace kelvor
