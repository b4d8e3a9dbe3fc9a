// The project file: the inputs of a project and its chosen profiles, one value per line behind a
// format version number. Results are never stored; a project is recalculated after it is opened.
#pragma once

#include <string>
#include <string_view>

namespace kelvor {

struct Project;
struct Tables;

// What a read or write did. The message is the text the window shows; empty when ok.
struct FileResult {
    bool ok = false;
    std::string message;
};

// Writes the project in the current layout (version 202) and sets p.ProjectFile to the path.
// A file name with the extension ".vlm" or ".hgt" is saved as ".vlrm" instead; the caller gets the
// changed path back even when the save fails. The file is written beside the target under a
// temporary name and renamed over it, so a failed save leaves an existing file untouched:
// "can't save file - " + path.
FileResult WriteProjectFile(Project& p, std::string& path);

// Reads a project file of the current or the older 38-line layout, resolves the table rows
// from the stored dimensions and fills the built-up inputs of the families in use. Only a file
// that reads whole replaces the project (and sets p.ProjectFile); otherwise p stays exactly as
// it was and the message is "can't find file - " + path or
// "can't read file - " + path + ", line " + N; a value the window refuses adds the window's
// limit text: "can't read file - " + path + ", line " + N + ": " + " 0.6 <= FS <= 2 ". Anything but
// a regular file gives "can't read file - " + path.
FileResult ReadProjectFile(Project& p, const Tables& tables, const std::string& path);

// The same reading from bytes in memory; `path` only names the file in the messages.
FileResult ReadProjectText(Project& p, const Tables& tables, std::string_view bytes,
                           const std::string& path);

// What WriteProjectFile writes, as text.
std::string ProjectFileText(const Project& p);

}  // namespace kelvor
