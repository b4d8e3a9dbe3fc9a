#pragma once

// The steps of the print menus after their dialogs, apart so that they can be driven without one.

#include <QString>

class QPrinter;
class QWidget;

namespace kelvor {

class ProjectHost;

// What every print menu does first: the analysis mode and print kind set to `kind`, and the main
// window's fields rewritten to show the mode. Nothing is recalculated.
void SetReportKind(ProjectHost& host, int kind);

// The copies the print dialog asked for, each a page of one job: left to the print system, the
// copies of a print-to-file job would overwrite each other. False when printing failed.
bool PrintCopies(ProjectHost& host, QPrinter& printer, int kind);

// The report of `kind` as a PDF at `path`; "can't save file - " and the path when it can't be
// written.
bool ExportReportPdfTo(ProjectHost& host, QWidget* owner, int kind, const QString& path);

}  // namespace kelvor
