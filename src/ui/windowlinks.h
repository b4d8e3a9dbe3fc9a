#pragma once

#include <QString>

class QWidget;

namespace kelvor {

class ProjectHost;

// The windows the main window opens. Each is modeless and owned by `owner` (the main window).

// Opens (or raises) the profile dialog of that object name: "stiffl", "stifflb", "stifft",
// "stifftb", "stifff", "stifffb", "stiffhp", "stiffrhs", "stiffusp", "stiffib", "girdlg", "girdtg".
void ShowProfileDialog(ProjectHost& host, QWidget* owner, const QString& dialogName);
// Closes every open profile dialog (opening a project does this).
void CloseProfileDialogs(QWidget* owner);
// The project just opened or made new stays when the batch window closes (see BatchWindow).
void KeepProjectOverBatchPanels(QWidget* owner);
// Opens the batch window `database`.
void ShowBatchWindow(ProjectHost& host, QWidget* owner);
// Printed report of kind 1..4 (buckling, scantling/yield, both, scantling): the print dialog,
// one page per copy. `preview` shows a print preview instead.
void PrintReport(ProjectHost& host, QWidget* owner, int kind, bool preview = false);
// The same page written to a PDF file chosen in a save dialog.
void ExportReportPdf(ProjectHost& host, QWidget* owner, int kind);

}  // namespace kelvor
