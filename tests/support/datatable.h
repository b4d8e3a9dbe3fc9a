// Test cases kept as data: tables under tests/data, one case a line, cells split at tabs, and
// the record's fields read and set by name. Shared by the GoogleTest and the QtTest suites.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/project.h"
#include "core/recordfields.h"

namespace testdata {

// Cells may hold \t, \n, \r, \\ and \s (a blank, for one that ends a cell); \e is the empty text.
inline std::string Unescape(std::string_view cell) {
    std::string out;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (cell[i] != '\\' || i + 1 == cell.size()) {
            out += cell[i];
            continue;
        }
        switch (cell[++i]) {
            case 't': out += '\t'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 's': out += ' '; break;
            case 'e': break;
            default: out += cell[i];
        }
    }
    return out;
}

struct Row {
    std::string where;  // "file:line", for the trace of a failing case
    std::vector<std::string> cells;

    std::size_t size() const { return cells.size(); }
    // The cell, unescaped; empty past the end of the row.
    const std::string& operator[](std::size_t i) const {
        static const std::string none;
        return i < cells.size() ? cells[i] : none;
    }
    double Number(std::size_t i) const { return std::strtod((*this)[i].c_str(), nullptr); }
    int Int(std::size_t i) const { return std::atoi((*this)[i].c_str()); }
};

inline std::string DataPath(const std::string& name) {
    return std::string(KELVOR_TEST_DATA_DIR) + "/" + name;
}

// The rows of tests/data/NAME; blank lines and lines starting with '#' are skipped.
inline std::vector<Row> ReadTable(const std::string& name) {
    std::ifstream in(DataPath(name), std::ios::binary);
    if (!in) {
        throw std::runtime_error("no test table " + DataPath(name));
    }
    std::vector<Row> rows;
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        Row row{name + ":" + std::to_string(n), {}};
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
            row.cells.push_back(Unescape(std::string_view(line).substr(start, tab - start)));
        }
        row.cells.push_back(Unescape(std::string_view(line).substr(start)));
        rows.push_back(std::move(row));
    }
    return rows;
}

// Rows grouped by their first cell, in the order the groups appear; a row whose first cell is
// empty belongs to the group above it.
inline std::vector<std::vector<Row>> GroupByFirstCell(const std::vector<Row>& rows) {
    std::vector<std::vector<Row>> groups;
    for (const Row& r : rows) {
        if (groups.empty() || (!r[0].empty() && groups.back().front()[0] != r[0])) {
            groups.push_back({});
        }
        groups.back().push_back(r);
    }
    return groups;
}

template <typename T>
std::string Shortest(T v) {
    char buf[64];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// A field as text: numbers in their shortest exact form, a result line as
// "label|formula|value|reference|status", an outline as its points joined by ','.
inline std::string FieldText(const kelvor::Project& p, std::string_view name) {
    const kelvor::RecordField* f = kelvor::FindRecordField(name);
    if (f == nullptr) {
        throw std::invalid_argument("no record field " + std::string(name));
    }
    return std::visit(
        [&](auto member) -> std::string {
            const auto& v = p.*member;
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return v;
            } else if constexpr (std::is_same_v<T, bool>) {
                return v ? "true" : "false";
            } else if constexpr (std::is_same_v<T, kelvor::ResultLine>) {
                return v.label + "|" + v.formula + "|" + v.value + "|" + v.reference + "|" +
                       std::to_string(v.status);
            } else if constexpr (std::is_same_v<T, kelvor::OutlinePoints>) {
                std::string s;
                for (double x : v) {
                    s += (s.empty() ? "" : ",") + Shortest(x);
                }
                return s;
            } else {
                return Shortest(v);
            }
        },
        f->member);
}

// Sets a field from its text; numbers are read as the field's own type.
inline void SetField(kelvor::Project& p, std::string_view name, const std::string& text) {
    const kelvor::RecordField* f = kelvor::FindRecordField(name);
    if (f == nullptr) {
        throw std::invalid_argument("no record field " + std::string(name));
    }
    std::visit(
        [&](auto member) {
            auto& v = p.*member;
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::string>) {
                v = text;
            } else if constexpr (std::is_same_v<T, bool>) {
                v = text == "true" || text == "1";
            } else if constexpr (std::is_same_v<T, float>) {
                v = std::strtof(text.c_str(), nullptr);
            } else if constexpr (std::is_same_v<T, double>) {
                v = std::strtod(text.c_str(), nullptr);
            } else if constexpr (std::is_same_v<T, int>) {
                v = std::atoi(text.c_str());
            } else if constexpr (std::is_same_v<T, kelvor::ResultLine>) {
                std::vector<std::string> parts;
                std::istringstream in(text);
                for (std::string part; std::getline(in, part, '|');) {
                    parts.push_back(part);
                }
                parts.resize(5);
                v = {parts[0], parts[1], parts[2], parts[3], std::atoi(parts[4].c_str())};
            } else {
                throw std::invalid_argument("field " + std::string(name) + " is not settable");
            }
        },
        f->member);
}

// "name=value;name=value": each set in turn.
inline void SetFields(kelvor::Project& p, const std::string& assignments) {
    std::istringstream in(assignments);
    for (std::string item; std::getline(in, item, ';');) {
        const std::size_t eq = item.find('=');
        if (eq != std::string::npos) {
            SetField(p, item.substr(0, eq), item.substr(eq + 1));
        }
    }
}

// Whether `actual` matches `expected`: "X ±T" compares numbers within T, anything else the text
// exactly. Returns an empty text on a match, else what differs.
inline std::string Compare(const std::string& actual, const std::string& expected) {
    const std::size_t pm = expected.find(" \xC2\xB1");  // " ±"
    if (pm != std::string::npos) {
        const double want = std::strtod(expected.c_str(), nullptr);
        const double tol = std::strtod(expected.c_str() + pm + 3, nullptr);
        const double got = std::strtod(actual.c_str(), nullptr);
        if (std::fabs(got - want) <= tol) {
            return {};
        }
    } else if (actual == expected) {
        return {};
    }
    return "got [" + actual + "], want [" + expected + "]";
}

inline std::string CompareField(const kelvor::Project& p, std::string_view name,
                                const std::string& expected) {
    const std::string diff = Compare(FieldText(p, name), expected);
    return diff.empty() ? diff : std::string(name) + ": " + diff;
}

}  // namespace testdata
