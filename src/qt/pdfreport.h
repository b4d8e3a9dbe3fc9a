#pragma once

// The printed report on paper and as PDF: the same page through the same code, whichever paged
// device receives it.

#include <string>

class QPagedPaintDevice;

namespace kelvor {

struct Project;
struct ReportContext;
struct Tables;

// Paints `copies` copies of the report onto the device, each starting on a page of its own and
// running onto as many pages as its rows need (PrintPages). The device's page layout (size,
// orientation, margins) is the caller's: a QPrinter set up by the print dialog, or a QPdfWriter. A
// printer that makes its copies itself (its copyCount()) is given 1. Returns false when the device
// cannot be painted on (a printer that failed to start, a file that cannot be written).
bool PrintReportOn(QPagedPaintDevice& device, const Project& p, const Tables& tables,
                   const ReportContext& ctx, int copies = 1);

// The report of `kind` (1 buckling, 2 scantling/yield, 3 both, 4 scantling) as an A4 PDF at
// `path`, dated now. The record is printed as its last run left it. On failure returns false
// with "can't save file - " and the path in `message`. Needs a QGuiApplication for the fonts.
bool WriteReportPdf(const Project& p, const Tables& tables, int kind, const std::string& path,
                    std::string& message);

// For a program without a window (the command-line tool): makes the QGuiApplication that fonts
// and painting need, on the offscreen platform unless QT_QPA_PLATFORM says otherwise. Does
// nothing when an application object exists already.
void EnsureGuiApplication();

}  // namespace kelvor
