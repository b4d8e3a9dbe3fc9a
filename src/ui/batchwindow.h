#pragma once

// The batch window `database`: reads a batch file, loads any of its panels into the main window
// and writes the result file beside the input.

#include <QDialog>
#include <QString>

#include "files/batchfile.h"

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
    // "&Save Result to File": every panel run into the .kvo beside the input, with a progress
    // dialog that can cancel the run (then nothing is written). False when nothing was written.
    bool SaveResults();

    const BatchTable& table() const { return table_; }

private:
    void Choose(int index);
    void LoadPanel(int index);

    ProjectHost& host_;
    // The file read last, kept while the window is closed and opened again.
    BatchTable table_;
    QString input_;
    QComboBox* list_ = nullptr;
    QLabel* inputLabel_ = nullptr;
    QLabel* outputLabel_ = nullptr;
    QAction* save_ = nullptr;
};

}  // namespace kelvor
