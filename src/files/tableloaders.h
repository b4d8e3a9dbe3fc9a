// Loaders of the four profile tables and the material table, and the profile list entries.
//
// The tables are read once at start. A missing or malformed file must not stop the program: each
// loader keeps the rows read before the fault and returns messages for the window to show.
//
// Message texts (LoadMessage::text):
//   "can't find file - " + path                      the file does not exist
//   "can't read file - " + path                      it exists but can't be opened or read
//   "Error in table file " + path + ", line " + N + ": " + reason
// with the reasons
//   "not a number: '" + token + "'"                  profile number, or material number that
//                                                    ParseNumber refuses
//   "not a positive number: '" + token + "'"         zero, negative or non-finite value
//   "missing number before a comma"                  a comma with no number after the previous
//                                                    comma or at the start of the file
//   "more than 61 rows"  /  "more than 23 rows"      the first 61 (23) rows are kept
//   "incomplete row: " + n + " of " + k + " numbers" trailing group, dropped
//   "fewer than 4 fields"                            material line with fewer than three ";"
//   "no material rows"                               material file with headings only
// A quoted token shows at most 32 characters, then "..."; bytes outside printable ASCII show
// as '?', so binary garbage can't end up in a message box.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables.h"

namespace kelvor {

inline constexpr std::string_view kBulbFlatFile = "bfprof.dat";
inline constexpr std::string_view kFlatBarFile = "fprof.dat";
inline constexpr std::string_view kLFile = "lprof.dat";
inline constexpr std::string_view kTFile = "tprof.dat";
inline constexpr std::string_view kMaterialFile = "Kvmat.csv";
inline constexpr int kMaterialHeadingLines = 3;

struct LoadMessage {
    std::string file;  // full path of the file concerned
    int line = 0;      // 1-based line in that file, 0 when the message is about the whole file
    std::string text;  // what the user is shown
};

enum class ProfileKind { BulbFlat, FlatBar, L, T };

// Numbers per row in the file (5, 2, 4, 4) and the list-entry prefix ("BF", "Fb", "L", "T").
int ProfileColumnCount(ProfileKind kind);
std::string_view ProfilePrefix(ProfileKind kind);

// Profile files always use "." as decimal point, whatever the locale. Numbers are separated by
// commas, blanks, tabs or line ends; blank lines and a UTF-8 byte order mark are tolerated.
// Every table is replaced, never merged.
std::vector<LoadMessage> LoadProfileTable(ProfileTable& table, ProfileKind kind,
                                          const std::filesystem::path& file);
// The same reading of bytes in memory; `file` only names the table in the messages.
std::vector<LoadMessage> LoadProfileTableText(ProfileTable& table, ProfileKind kind,
                                              std::string_view bytes,
                                              const std::filesystem::path& file);
std::vector<LoadMessage> LoadBfTable(Tables& tables, const std::filesystem::path& dataFolder);
std::vector<LoadMessage> LoadFbTable(Tables& tables, const std::filesystem::path& dataFolder);
std::vector<LoadMessage> LoadLTable(Tables& tables, const std::filesystem::path& dataFolder);
std::vector<LoadMessage> LoadTTable(Tables& tables, const std::filesystem::path& dataFolder);

// Kvmat.csv: three heading lines, then "name;Fy;Fu;Q" per line. The name is kept exactly as
// written (a line's CR is not part of it); the numbers go through ParseNumber with decimalMode.
// Blank lines are skipped wherever they are, since they can't shift a material row.
std::vector<LoadMessage> LoadMaterialTable(Tables& tables, const std::filesystem::path& dataFolder,
                                           int decimalMode);
std::vector<LoadMessage> LoadMaterialTableText(Tables& tables, std::string_view bytes,
                                               const std::filesystem::path& file,
                                               int decimalMode);

// The start-up order: bulb flat, L, T, flat bar, material.
std::vector<LoadMessage> LoadAllTables(Tables& tables, const std::filesystem::path& dataFolder,
                                       int decimalMode);

// "BF200x10,5", "Fb100x8", "L150x90x10x12": prefix, then the row's numbers in the general number
// format joined by "x". One entry per row, so a list position equals a table row.
std::string ProfileListEntry(const ProfileRow& row, ProfileKind kind, char decimalSeparator);
std::vector<std::string> ProfileListEntries(const ProfileTable& table, ProfileKind kind,
                                            char decimalSeparator);

}  // namespace kelvor
