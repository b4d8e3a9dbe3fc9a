// kelvor-cli search: the lightest panels of a project that pass, over the ranges asked for.
#include "searchcommand.h"

#include <algorithm>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "cli.h"
#include "cliparse.h"
#include "core/project.h"
#include "core/tables.h"
#include "engine/calculate.h"
#include "engine/search.h"
#include "engine/searchtext.h"
#include "engine/session.h"
#include "files/projectfile.h"
#include "profiles/catalogue.h"

namespace kelvor {

namespace {

struct Usage {
    std::string text;
};

struct SearchArgs {
    std::string file;
    std::string output;
    bool json = false;
    std::string dataFolder;
    std::optional<char> decimalPoint;
    SearchSpace space;
    SearchOptions options;
};

std::optional<double> Number(const std::string& text) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size()) {
        return std::nullopt;
    }
    return v;
}

SearchRange Range(const std::string& option, const std::string& text) {
    std::vector<std::optional<double>> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, ':');) {
        parts.push_back(Number(part));
    }
    if (parts.size() != 3 || !parts[0] || !parts[1] || !parts[2] ||
        std::count(text.begin(), text.end(), ':') != 2) {
        throw Usage{option + " must be MIN:MAX:STEP in mm, not '" + text + "'"};
    }
    return {*parts[0], *parts[1], *parts[2]};
}

unsigned StiffenerTables(const std::string& text, bool& project) {
    static const std::pair<const char*, unsigned> kNames[] = {
        {"bulb", kSearchBulb}, {"flat", kSearchFlat}, {"angle", kSearchAngle}, {"tee", kSearchTee}};
    unsigned bits = 0;
    project = false;
    std::istringstream in(text);
    for (std::string name; std::getline(in, name, ',');) {
        const auto* known = std::find_if(std::begin(kNames), std::end(kNames),
                                         [&name](const auto& k) { return name == k.first; });
        if (known != std::end(kNames)) {
            bits |= known->second;
        } else if (name == "project") {
            project = true;
        } else {
            throw Usage{"--stiffeners must list bulb, flat, angle, tee or project, not '" + text +
                        "'"};
        }
    }
    if (text.empty() || text.back() == ',') {
        throw Usage{"--stiffeners must list bulb, flat, angle, tee or project, not '" + text + "'"};
    }
    return bits;
}

SearchArgs Parse(const std::vector<std::string>& args) {
    SearchArgs a;
    CLI::App app{"", "kelvor-cli search"};
    // An option given twice counts as given last, as on other tools.
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    std::vector<std::string> positional;
    std::string thickness, stiffeners, girders, spacing, grades, limit, mode, top, decimal;
    app.add_option("file", positional);
    app.add_option("-o,--output", a.output);
    app.add_option("--thickness", thickness);
    app.add_option("--stiffeners", stiffeners);
    app.add_option("--girders", girders);
    app.add_option("--spacing", spacing);
    app.add_option("--grades", grades);
    app.add_option("--limit", limit);
    app.add_option("--mode", mode);
    app.add_option("--top", top);
    app.add_flag("--json", a.json);
    app.add_option("--data", a.dataFolder);
    app.add_option("--decimal", decimal);
    std::vector<std::string> reversed(args.rbegin(), args.rend() - 1);
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        throw Usage{ParseFailureText(e, args)};
    }
    const auto given = [&app](const char* option) { return app.count(option) > 0; };
    if (given("--thickness")) {
        a.space.thickness = Range("--thickness", thickness);
    }
    if (given("--stiffeners")) {
        a.space.stiffenerTables = StiffenerTables(stiffeners, a.space.projectStiffener);
    }
    if (given("--girders")) {
        if (girders != "keep" && girders != "table") {
            throw Usage{"--girders must be keep or table, not '" + girders + "'"};
        }
        a.space.girdersFromTable = girders == "table";
    }
    if (given("--spacing")) {
        a.space.spacing =
            spacing == "keep" ? std::nullopt : std::optional(Range("--spacing", spacing));
    }
    if (given("--grades")) {
        if (grades != "keep" && grades != "all") {
            throw Usage{"--grades must be keep or all, not '" + grades + "'"};
        }
        a.space.allGrades = grades == "all";
    }
    if (given("--limit")) {
        const auto value = Number(limit);
        if (!value || !(*value > 0)) {
            throw Usage{"--limit must be a number above 0, not '" + limit + "'"};
        }
        a.options.limit = *value;
    }
    if (given("--mode")) {
        if (mode != "1" && mode != "2" && mode != "3") {
            throw Usage{"--mode must be 1, 2 or 3, not '" + mode + "'"};
        }
        a.options.mode = mode[0] - '0';
    }
    if (given("--top")) {
        const auto value = Number(top);
        if (!value || *value < 1 || *value != static_cast<int>(*value)) {
            throw Usage{"--top must be a whole number from 1, not '" + top + "'"};
        }
        a.options.top = static_cast<int>(*value);
    }
    if (given("--decimal")) {
        if (decimal != "point" && decimal != "comma") {
            throw Usage{"--decimal must be point or comma, not '" + decimal + "'"};
        }
        a.decimalPoint = decimal == "point" ? '.' : ',';
    }
    if (positional.size() != 1) {
        throw Usage{kSearchUsage};
    }
    a.file = positional[0];
    const std::string fault = CheckSearchSpace(a.space, a.options);
    if (!fault.empty()) {
        throw Usage{fault};
    }
    return a;
}

// Columns as wide as their longest cell, two blanks apart; a count first, under `first`.
void PrintTable(const std::vector<CandidateResult>& rows, const char* first, char sep,
                std::ostream& out) {
    std::vector<std::array<std::string, kSearchColumns + 1>> lines;
    std::array<std::string, kSearchColumns + 1> head{first};
    std::copy(SearchColumnNames().begin(), SearchColumnNames().end(), head.begin() + 1);
    lines.push_back(head);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        std::array<std::string, kSearchColumns + 1> line{std::to_string(k + 1)};
        const auto cells = SearchCells(rows[k], sep);
        std::copy(cells.begin(), cells.end(), line.begin() + 1);
        lines.push_back(line);
    }
    std::array<std::size_t, kSearchColumns + 1> width{};
    for (const auto& line : lines) {
        for (std::size_t c = 0; c < line.size(); ++c) {
            width[c] = std::max(width[c], line[c].size());
        }
    }
    for (const auto& line : lines) {
        std::string text;
        for (std::size_t c = 0; c < line.size(); ++c) {
            text += line[c];
            if (c + 1 < line.size()) {
                text += std::string(width[c] - line[c].size() + 2, ' ');
            }
        }
        out << text << '\n';
    }
}

nlohmann::ordered_json CandidateJson(const CandidateResult& r) {
    return {{"t", r.candidate.t},
            {"stiffener", r.stiffener},
            {"girder", r.girder},
            {"s1", r.s1},
            {"s2", r.s2},
            {"grade", r.grade},
            {"mass", r.mass},
            {"utilisation", r.highest},
            {"governs", r.governing >= 0 ? CheckName(static_cast<Check>(r.governing)) : nullptr},
            {"passes", r.passes}};
}

nlohmann::ordered_json ResultJson(const SearchArgs& a, const SearchResult& r) {
    nlohmann::ordered_json best = nlohmann::ordered_json::array();
    nlohmann::ordered_json front = nlohmann::ordered_json::array();
    for (const CandidateResult& c : r.best) {
        best.push_back(CandidateJson(c));
    }
    for (const CandidateResult& c : r.front) {
        front.push_back(CandidateJson(c));
    }
    return {{"mode", a.options.mode},
            {"limit", a.options.limit},
            {"candidates", r.total},
            {"completed", r.completed},
            {"passing", r.passing},
            {"best", best},
            {"front", front},
            {"closest", r.closest ? CandidateJson(*r.closest) : nlohmann::ordered_json(nullptr)}};
}

std::string Plain(double v) {
    std::ostringstream s;
    s << v;
    return s.str();
}

// The best candidate as a project of its own.
int WriteBest(const std::string& output, const Project& project, const Tables& tables,
              const CandidateResult& best, std::ostream& err) {
    Project p = project;
    ApplyCandidate(p, tables, best.candidate);
    Calculate(p, tables);
    std::string path = output;
    const FileResult written = WriteProjectFile(p, path);
    if (!written.ok) {
        err << written.message << '\n';
        return 2;
    }
    return 0;
}

}  // namespace

int SearchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    SearchArgs a;
    try {
        a = Parse(args);
    } catch (const Usage& u) {
        err << u.text << '\n';
        return 2;
    }
    Project p;
    Tables tables;
    StartCliProject(p, tables, a.dataFolder, a.decimalPoint, err);
    const std::string message = OpenProject(p, tables, a.file);
    if (!message.empty()) {
        err << message << '\n';
        return 2;
    }
    const SearchResult r = Search(p, tables, a.space, a.options);
    const char sep = DecimalSeparatorOf(p);
    if (r.total == 0) {
        err << "the search holds no candidate: the chosen tables have no rows\n";
        return 2;
    }
    if (a.json) {
        out << ResultJson(a, r).dump(2) << '\n';
    } else if (!r.best.empty()) {
        PrintTable(r.best, "rank", sep, out);
        out << "\ntrade-off, the lightest at each utilisation:\n";
        PrintTable(r.front, "point", sep, out);
        out << '\n'
            << r.passing << " of " << r.total << " candidates pass in mode " << a.options.mode
            << " with limit " << Plain(a.options.limit) << '\n';
    }
    if (r.best.empty()) {
        err << "no candidate of " << r.total << " passes in mode " << a.options.mode
            << " with limit " << Plain(a.options.limit);
        if (r.closest) {
            err << "; the closest: " << CandidateInWords(*r.closest, sep) << '\n';
        } else {
            err << "; no run of them completed\n";
        }
        return 1;
    }
    return a.output.empty() ? 0 : WriteBest(a.output, p, tables, r.best.front(), err);
}

}  // namespace kelvor
