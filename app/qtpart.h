#pragma once

// What of the command-line tool paints through Qt: linked as a module of its own and
// loaded only by the commands that draw. Every other command starts without mapping any Qt
// library, which is most of a start's time.

#include <string>

namespace kelvor {

struct ChartData;
struct Project;
struct Tables;

struct QtPart {
    // The printed report of `kind` as a PDF at `path`; false with the message when not written.
    bool (*writeReportPdf)(const Project& p, const Tables& tables, int kind,
                           const std::string& path, std::string& message);
    // A chart as PNG, SVG or PDF by the path's ending; false with the message when not written.
    bool (*exportChart)(const ChartData& chart, const std::string& path, std::string& message);
};

// The module's one entry point, looked up by name.
inline constexpr const char* kQtPartEntry = "kelvor_qt_part";
using QtPartEntry = const QtPart* (*)();

// Loads the module from beside the tool (build tree) or from its install folder. Null when it
// can't be loaded, with the reason in `error`; `error` stays empty when there is no module at
// all (a build without Qt), which the caller words for its command.
const QtPart* LoadQtPart(std::string& error);

}  // namespace kelvor
