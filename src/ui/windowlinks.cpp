// Placeholders until the dialogs, the batch window and printing are built.
#include "ui/windowlinks.h"

namespace kelvor {

void ShowProfileDialog(ProjectHost&, QWidget*, const QString&) {}
void CloseProfileDialogs(QWidget*) {}
void ShowBatchWindow(ProjectHost&, QWidget*) {}
void PrintReport(ProjectHost&, QWidget*, int, bool) {}
void ExportReportPdf(ProjectHost&, QWidget*, int) {}

}  // namespace kelvor
