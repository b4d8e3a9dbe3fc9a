#pragma once

// The part of the command-line tool that paints through Qt, linked as a module of its own and
// loaded only by the commands that draw. Every other command starts without mapping any Qt
// library, which is most of a start's time.

#include <string>

namespace kelvor {

struct Project;
struct Tables;

struct QtPart {
    // The printed report of `kind` as a PDF at `path`; false with the message when not written.
    bool (*writeReportPdf)(const Project& p, const Tables& tables, int kind,
                           const std::string& path, std::string& message);
};

// The module's one entry point, looked up by name.
inline constexpr const char* kQtPartEntry = "kelvor_qt_part";
using QtPartEntry = const QtPart* (*)();

// Loads the module from beside the tool (build tree) or from its install folder; null with the
// reason in `error` when it is not there (a build without Qt) or can't be loaded.
const QtPart* LoadQtPart(std::string& error);

}  // namespace kelvor
