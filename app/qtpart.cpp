// The Qt module of the command-line tool: the only code of the tool that touches Qt.
#include "qtpart.h"

#include "qt/chartexport.h"
#include "qt/pdfreport.h"

namespace kelvor {

namespace {

bool WriteReport(const Project& p, const Tables& tables, int kind, const std::string& path,
                 std::string& message) {
    EnsureGuiApplication();
    return WriteReportPdf(p, tables, kind, path, message);
}

bool WriteChart(const ChartData& chart, const std::string& path, std::string& message) {
    EnsureGuiApplication();
    return ExportChart(chart, path, message);
}

constexpr QtPart kPart{&WriteReport, &WriteChart};

}  // namespace

}  // namespace kelvor

extern "C" __attribute__((visibility("default"))) const kelvor::QtPart* kelvor_qt_part() {
    return &kelvor::kPart;
}
