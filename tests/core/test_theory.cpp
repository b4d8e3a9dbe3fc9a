// The worked example of the theory manual (docs/theory.md, section 13) against the program: a
// new project recalculated by `kelvor-cli calc --json` must give every number the manual quotes,
// within half a unit of its last shown digit. tests/data/theory/worked-example.tsv holds a row
// per quoted number: the text as the manual prints it (its last number is the one compared),
// the record field it is (or the k-th number of a result line's text), the tolerance, and for
// the few steps the program keeps to itself the value worked by hand. Every number of the
// section must stand in some row's text, so none goes unchecked.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "../support/datatable.h"
#include "testsupport.h"

namespace {

using testsupport::Quoted;
using TheoryTest = testsupport::TempDirTest;

// The code point that ends at `end` (exclusive) in UTF-8 text.
char32_t CodePointBefore(const std::string& s, std::size_t end) {
    std::size_t start = end;
    while (start > 0 && (static_cast<unsigned char>(s[start - 1]) & 0xC0) == 0x80) {
        --start;
    }
    if (start == 0) {
        return 0;
    }
    --start;
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    switch (end - start) {
        case 1:
            return b(start);
        case 2:
            return ((b(start) & 0x1F) << 6) | (b(start + 1) & 0x3F);
        default:
            return ((b(start) & 0x0F) << 12) | ((b(start + 1) & 0x3F) << 6) | (b(start + 2) & 0x3F);
    }
}

bool NamePart(char32_t c) {
    return c == '_' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
           (c >= 'a' && c <= 'z') || (c >= 0x370 && c <= 0x3FF);  // Greek letters
}

// The numbers of a text, as a reader takes them: not the digits of a name (L1, S355, γ0, the 90
// of 200x90), a minus sign ("−" or "-") only where no operand stands before it, and a
// power of ten as "E+7".
std::vector<double> Numbers(const std::string& s) {
    static const std::string kMinus = "\xE2\x88\x92";  // −
    std::vector<double> numbers;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9' || NamePart(CodePointBefore(s, i))) {
            continue;
        }
        std::size_t sign = i;
        if (i >= 3 && s.compare(i - 3, 3, kMinus) == 0) {
            sign = i - 3;
        } else if (i >= 1 && s[i - 1] == '-') {
            const char32_t before = CodePointBefore(s, i - 1);
            sign = NamePart(before) || before == ')' ? i : i - 1;
        }
        std::size_t end = i;
        while (end < s.size() && ((s[end] >= '0' && s[end] <= '9') || s[end] == '.')) {
            ++end;
        }
        if (end + 2 < s.size() && s[end] == 'E' && (s[end + 1] == '+' || s[end + 1] == '-')) {
            for (end += 2; end < s.size() && s[end] >= '0' && s[end] <= '9'; ++end) {
            }
        }
        const double value = std::strtod(s.substr(i, end - i).c_str(), nullptr);
        numbers.push_back(sign == i ? value : -value);
        i = end;
    }
    return numbers;
}

// Section 13 of the manual, from the line after its heading to the end or the next section.
std::vector<std::string> WorkedExample() {
    std::istringstream in(testsupport::ReadBytes(testdata::DataPath("../../docs/theory.md")));
    std::vector<std::string> lines;
    bool inside = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("## ", 0) == 0) {
            inside = line.rfind("## 13 ", 0) == 0;
        } else if (inside) {
            lines.push_back(line);
        }
    }
    return lines;
}

// A field of the record (FIELD), or the k-th number of one part of a result line
// (FIELD.label#k, .formula#k, .value#k, .reference#k).
double ProgramValue(const nlohmann::json& record, const std::string& field) {
    const std::size_t dot = field.find('.');
    if (dot == std::string::npos) {
        return record.at(field).get<double>();
    }
    const std::size_t hash = field.find('#');
    const std::string text = record.at(field.substr(0, dot))
                                 .at(field.substr(dot + 1, hash - dot - 1))
                                 .get<std::string>();
    const std::vector<double> numbers = Numbers(text);
    const std::size_t k = std::stoul(field.substr(hash + 1));
    if (k == 0 || k > numbers.size()) {
        throw std::out_of_range("no number " + std::to_string(k) + " in '" + text + "'");
    }
    return numbers[k - 1];
}

TEST(TheoryNumbers, AreReadAsAReaderReadsThem) {
    const std::vector<double> doc = Numbers(
        "L1 = 3000, S355, γ0 = 112.1, SigxA = \xE2\x88\x92"
        "100, "
        "L 200x90x9x14, Γ = 3.917E+10, (1/0.6\xC2\xB2)\xC2\xB7"
        "1.439");
    EXPECT_EQ(doc, (std::vector<double>{3000, 112.1, -100, 200, 3.917e10, 1, 0.6, 1.439}));
    const std::vector<double> text =
        Numbers("1/0.60^2*(-100.0/336.4)^2 -0.35*(-100.0*-30.0/(1-100.0)");
    EXPECT_EQ(text, (std::vector<double>{1, 0.60, 2, -100, 336.4, 2, -0.35, -100, -30, 1, 100}));
}

TEST_F(TheoryTest, WorkedExampleAgreesWithTheProgram) {
    ASSERT_EQ(Cli("new -o " + Quoted(Path("p.kelvo"))).status, 0);
    const testsupport::CliRun run = Cli("calc " + Quoted(Path("p.kelvo")) + " --mode 3 --json");
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json record = nlohmann::json::parse(run.out);

    std::vector<std::string> section = WorkedExample();
    ASSERT_GT(section.size(), 20u);
    std::string whole;
    for (const std::string& line : section) {
        whole += line + "\n";
    }
    const auto rows = testdata::ReadTable("theory/worked-example.tsv");
    for (const testdata::Row& row : rows) {
        SCOPED_TRACE(row.where + " " + row[0]);
        EXPECT_NE(whole.find(row[0]), std::string::npos) << "not in the manual's example";
        const std::vector<double> quoted = Numbers(row[0]);
        ASSERT_FALSE(quoted.empty());
        const double doc = quoted.back();
        const double value = row[1] == "-" ? row.Number(3) : ProgramValue(record, row[1]);
        if (row[2] == "<") {
            EXPECT_LT(value, doc) << row[1];
        } else {
            EXPECT_LE(std::fabs(value - doc), row.Number(2)) << row[1] << " = " << value;
        }
    }
    // Whatever number is left once every row's text is taken out has no row.
    for (std::string& line : section) {
        for (const testdata::Row& row : rows) {
            for (std::size_t at; (at = line.find(row[0])) != std::string::npos;) {
                line.replace(at, row[0].size(), " ");
            }
        }
        EXPECT_TRUE(Numbers(line).empty()) << "a number without its row: " << line;
    }
}

}  // namespace
