#include "files/tableloaders.h"

#include <charconv>
#include <cmath>
#include <exception>
#include <fstream>
#include <istream>
#include <system_error>

#include "core/numformat.h"
#include "core/numparse.h"
#include "files/memorybuf.h"

namespace kelvor {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kShownTokenLength = 32;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Tokens end up in a message box: keep them short and printable whatever the file holds.
std::string Shown(std::string_view token) {
    std::string out;
    for (std::size_t i = 0; i < token.size() && i < kShownTokenLength; ++i) {
        const auto c = static_cast<unsigned char>(token[i]);
        out.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
    }
    if (token.size() > kShownTokenLength) {
        out += "...";
    }
    return out;
}

LoadMessage FileMessage(const fs::path& file, std::string_view prefix) {
    return {file.string(), 0, std::string(prefix) + file.string()};
}

LoadMessage LineMessage(const fs::path& file, int line, const std::string& reason) {
    return {
        file.string(), line,
        "Error in table file " + file.string() + ", line " + std::to_string(line) + ": " + reason};
}

std::string NotANumber(std::string_view token) {
    return "not a number: '" + Shown(token) + "'";
}

std::string NotPositive(std::string_view token) {
    return "not a positive number: '" + Shown(token) + "'";
}

// Opens a table file, or explains why not. Only regular files are read, so a directory or a
// device given as data folder entry can't block or flood the start.
bool OpenTableFile(const fs::path& file, std::ifstream& in, std::vector<LoadMessage>& messages) {
    std::error_code ec;
    const fs::file_status st = fs::status(file, ec);
    if (st.type() == fs::file_type::not_found) {
        messages.push_back(FileMessage(file, "can't find file - "));
        return false;
    }
    if (ec || st.type() != fs::file_type::regular) {
        messages.push_back(FileMessage(file, "can't read file - "));
        return false;
    }
    in.open(file, std::ios::binary);
    if (!in) {
        messages.push_back(FileMessage(file, "can't read file - "));
        return false;
    }
    return true;
}

void StripLineEnd(std::string& line) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
}

bool IsProfileSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == ',';
}

// The profile files are written with "." whatever the locale, so they are read with
// from_chars (locale independent) and not with ParseNumber.
enum class TokenStatus { Ok, NotANumber, NotPositive };

TokenStatus ReadDimension(std::string_view token, float& value) {
    if (token.size() > 1 && token[0] == '+' && token[1] != '-' && token[1] != '+') {
        token.remove_prefix(1);
    }
    const char* end = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), end, value);
    if (ec != std::errc() || ptr != end) {
        return TokenStatus::NotANumber;
    }
    if (!std::isfinite(value)) {
        return TokenStatus::NotANumber;
    }
    // Every column is a length or an area; zero would divide by zero in the section properties.
    return value > 0 ? TokenStatus::Ok : TokenStatus::NotPositive;
}

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t semicolon = line.find(';', start);
        if (semicolon == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, semicolon - start));
        start = semicolon + 1;
    }
}

}  // namespace

int ProfileColumnCount(ProfileKind kind) {
    switch (kind) {
        case ProfileKind::BulbFlat:
            return 5;
        case ProfileKind::FlatBar:
            return 2;
        case ProfileKind::L:
        case ProfileKind::T:
            return 4;
    }
    return 0;
}

std::string_view ProfilePrefix(ProfileKind kind) {
    switch (kind) {
        case ProfileKind::BulbFlat:
            return "BF";
        case ProfileKind::FlatBar:
            return "Fb";
        case ProfileKind::L:
            return "L";
        case ProfileKind::T:
            return "T";
    }
    return "";
}

namespace {

std::vector<LoadMessage> ReadProfileTable(ProfileTable& table, ProfileKind kind, std::istream& in,
                                          const fs::path& file) {
    std::vector<LoadMessage> messages;
    const int columns = ProfileColumnCount(kind);
    ProfileRow row{};
    int filled = 0;
    int rowLine = 0;
    bool numberSinceComma = false;
    int rowsOnLine = 0;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        std::string_view rest(line);
        if (lineNo == 1 && rest.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            rest.remove_prefix(kByteOrderMark.size());
        }
        std::size_t i = 0;
        while (i < rest.size()) {
            if (rest[i] == ',') {
                if (!numberSinceComma) {
                    messages.push_back(LineMessage(file, lineNo, "missing number before a comma"));
                    return messages;
                }
                numberSinceComma = false;
                ++i;
                continue;
            }
            if (IsProfileSeparator(rest[i])) {
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < rest.size() && !IsProfileSeparator(rest[end])) {
                ++end;
            }
            const std::string_view token = rest.substr(i, end - i);
            i = end;

            if (filled == 0) {
                if (static_cast<int>(table.rows.size()) == ProfileTable::kMaxRows) {
                    messages.push_back(LineMessage(
                        file, lineNo,
                        "more than " + std::to_string(ProfileTable::kMaxRows) + " rows"));
                    return messages;
                }
                rowLine = lineNo;
            }
            float value = 0;
            switch (ReadDimension(token, value)) {
                case TokenStatus::Ok:
                    break;
                case TokenStatus::NotANumber:
                    messages.push_back(LineMessage(file, lineNo, NotANumber(token)));
                    return messages;
                case TokenStatus::NotPositive:
                    messages.push_back(LineMessage(file, lineNo, NotPositive(token)));
                    return messages;
            }
            numberSinceComma = true;
            if (filled == 0 && rowsOnLine > 0) {
                messages.push_back(LineMessage(
                    file, lineNo, "more than " + std::to_string(columns) + " numbers in a row"));
                return messages;
            }
            row[filled++] = value;
            if (filled == columns) {
                table.rows.push_back(row);
                row = ProfileRow{};
                filled = 0;
                ++rowsOnLine;
            }
        }
        // One row a line: a row cut short must not take its missing numbers from the next line,
        // which would shift every later row by a column without a word.
        if (filled != 0) {
            break;
        }
        rowsOnLine = 0;
    }
    if (in.bad()) {
        messages.push_back(FileMessage(file, "can't read file - "));
        return messages;
    }
    if (filled != 0) {
        messages.push_back(LineMessage(file, rowLine,
                                       "incomplete row: " + std::to_string(filled) + " of " +
                                           std::to_string(columns) + " numbers"));
    }
    return messages;
}

}  // namespace

std::vector<LoadMessage> LoadProfileTable(ProfileTable& table, ProfileKind kind,
                                          const fs::path& file) {
    std::vector<LoadMessage> messages;
    table.rows.clear();
    std::ifstream in;
    if (!OpenTableFile(file, in, messages)) {
        return messages;
    }
    return ReadProfileTable(table, kind, in, file);
}

std::vector<LoadMessage> LoadProfileTableText(ProfileTable& table, ProfileKind kind,
                                              std::string_view bytes, const fs::path& file) {
    table.rows.clear();
    MemoryBuf buffer(bytes);
    std::istream in(&buffer);
    return ReadProfileTable(table, kind, in, file);
}

std::vector<LoadMessage> LoadBfTable(Tables& tables, const fs::path& dataFolder) {
    return LoadProfileTable(tables.BfTable, ProfileKind::BulbFlat, dataFolder / kBulbFlatFile);
}

std::vector<LoadMessage> LoadFbTable(Tables& tables, const fs::path& dataFolder) {
    return LoadProfileTable(tables.FbTable, ProfileKind::FlatBar, dataFolder / kFlatBarFile);
}

std::vector<LoadMessage> LoadLTable(Tables& tables, const fs::path& dataFolder) {
    return LoadProfileTable(tables.LTable, ProfileKind::L, dataFolder / kLFile);
}

std::vector<LoadMessage> LoadTTable(Tables& tables, const fs::path& dataFolder) {
    return LoadProfileTable(tables.TTable, ProfileKind::T, dataFolder / kTFile);
}

namespace {

std::vector<LoadMessage> ReadMaterialRows(Tables& tables, std::istream& in, const fs::path& file,
                                          int decimalMode);

std::vector<LoadMessage> ReadMaterialTable(Tables& tables, std::istream& in, const fs::path& file,
                                           int decimalMode) {
    std::vector<LoadMessage> messages = ReadMaterialRows(tables, in, file, decimalMode);
    if (!messages.empty()) {
        tables.MaterialFault = messages.front().text;
    }
    return messages;
}

std::vector<LoadMessage> ReadMaterialRows(Tables& tables, std::istream& in, const fs::path& file,
                                          int decimalMode) {
    std::vector<LoadMessage> messages;
    std::string line;
    int lineNo = 0;
    while (lineNo < kMaterialHeadingLines && std::getline(in, line)) {
        ++lineNo;
    }
    while (std::getline(in, line)) {
        ++lineNo;
        StripLineEnd(line);
        if (IsBlankLine(line)) {
            continue;
        }
        if (static_cast<int>(tables.Materials.size()) == Tables::kMaxMaterialRows) {
            messages.push_back(LineMessage(
                file, lineNo, "more than " + std::to_string(Tables::kMaxMaterialRows) + " rows"));
            return messages;
        }
        const std::vector<std::string_view> fields = SplitFields(line);
        if (fields.size() < 4) {
            messages.push_back(LineMessage(file, lineNo, "fewer than 4 fields"));
            return messages;
        }
        MaterialRow material;
        material.MatName = std::string(fields[0]);
        float* const numbers[] = {&material.MatFy, &material.MatFu, &material.MatQ};
        for (int k = 0; k < 3; ++k) {
            const std::string_view field = fields[k + 1];
            try {
                *numbers[k] = ParseNumber(field, decimalMode);
            } catch (const std::exception&) {
                messages.push_back(LineMessage(file, lineNo, NotANumber(field)));
                return messages;
            }
            // The point setting reads letters as 0 without complaint; a strength or factor of
            // 0 would only surface later as a division by zero far from its cause.
            if (!std::isfinite(*numbers[k]) || *numbers[k] <= 0) {
                messages.push_back(LineMessage(file, lineNo, NotPositive(field)));
                return messages;
            }
        }
        tables.Materials.push_back(std::move(material));
    }
    if (in.bad()) {
        messages.push_back(FileMessage(file, "can't read file - "));
        return messages;
    }
    if (tables.Materials.empty()) {
        messages.push_back(LineMessage(file, lineNo + 1, "no material rows"));
    }
    return messages;
}

}  // namespace

std::vector<LoadMessage> LoadMaterialTable(Tables& tables, const fs::path& dataFolder,
                                           int decimalMode) {
    const fs::path file = dataFolder / kMaterialFile;
    std::vector<LoadMessage> messages;
    tables.Materials.clear();
    tables.MaterialFault.clear();
    std::ifstream in;
    if (!OpenTableFile(file, in, messages)) {
        tables.MaterialFault = messages.front().text;
        return messages;
    }
    return ReadMaterialTable(tables, in, file, decimalMode);
}

std::vector<LoadMessage> LoadMaterialTableText(Tables& tables, std::string_view bytes,
                                               const fs::path& file, int decimalMode) {
    tables.Materials.clear();
    tables.MaterialFault.clear();
    MemoryBuf buffer(bytes);
    std::istream in(&buffer);
    return ReadMaterialTable(tables, in, file, decimalMode);
}

std::vector<LoadMessage> LoadAllTables(Tables& tables, const fs::path& dataFolder,
                                       int decimalMode) {
    std::vector<LoadMessage> all;
    for (auto&& part : {LoadBfTable(tables, dataFolder), LoadLTable(tables, dataFolder),
                        LoadTTable(tables, dataFolder), LoadFbTable(tables, dataFolder),
                        LoadMaterialTable(tables, dataFolder, decimalMode)}) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

std::string ProfileListEntry(const ProfileRow& row, ProfileKind kind, char decimalSeparator) {
    // A bulb flat is named by H and tw only; c, r and the area follow from them.
    const int shown = kind == ProfileKind::BulbFlat ? 2 : ProfileColumnCount(kind);
    std::string entry(ProfilePrefix(kind));
    for (int k = 0; k < shown; ++k) {
        if (k > 0) {
            entry += 'x';
        }
        entry += GeneralFormat(row[k], decimalSeparator);
    }
    return entry;
}

std::vector<std::string> ProfileListEntries(const ProfileTable& table, ProfileKind kind,
                                            char decimalSeparator) {
    std::vector<std::string> entries;
    entries.reserve(table.rows.size());
    for (const ProfileRow& row : table.rows) {
        entries.push_back(ProfileListEntry(row, kind, decimalSeparator));
    }
    return entries;
}

}  // namespace kelvor
