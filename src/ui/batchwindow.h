#pragma once

// The batch window `database`: reads a batch file, shows any of its panels in the main window and
// writes the result file the user chooses (by default beside the input). The panels are shown in
// the main window's record only while this window is open: when it closes, the project that was
// open comes back as it was, so that a save afterwards never writes a batch panel into the user's
// project file.

#include <QDialog>
#include <QString>
#include <optional>

#include "core/project.h"
#include "engine/batchrun.h"

class QAction;
class QComboBox;
class QLabel;

namespace kelvor {

class ProjectHost;

class BatchWindow : public QDialog {
    Q_OBJECT
public:
    BatchWindow(ProjectHost& host, QWidget* owner);

    // "&Open Database File": the file dialog, then OpenFile. A cancelled dialog changes nothing.
    void ChooseFile();
    // Reads the file, lists its entries and loads its first panel. False when it can't be read.
    bool OpenFile(const QString& path);
    // "&Save Result to File": the file dialog for the output (proposing the .kvo beside the
    // input), the question before an existing file is replaced, then every panel run into it
    // with a progress dialog that can cancel the run (then nothing is written), and a summary
    // of the run (BatchSummaryText). False when nothing was written.
    bool SaveResults();

    const BatchTable& table() const { return table_; }
    // The main window got a project of the user's choosing (New, Open): it stays when this
    // window closes, instead of the one from before the panels were shown.
    void KeepMainProject() { saved_.reset(); }

protected:
    void hideEvent(QHideEvent* e) override;

private:
    // The output path chosen and confirmed; empty when the user drew back.
    QString ChooseOutput();
    void Choose(int index);
    void LoadPanel(int index);
    void RestoreProject();

    ProjectHost& host_;
    // The file read last, kept while the window is closed and opened again.
    BatchTable table_;
    QString input_;
    QComboBox* list_ = nullptr;
    QLabel* inputLabel_ = nullptr;
    QLabel* outputLabel_ = nullptr;
    QAction* save_ = nullptr;
    // The main window's project from before the first panel was shown in its place.
    std::optional<Project> saved_;
};

// "N panels calculated into OUTPUT." and then "None failed." or how many failed and the line
// and failure of the first.
QString BatchSummaryText(const BatchRunSummary& run, const QString& output);

}  // namespace kelvor
