#pragma once

// The sweep window `sweep`: one input of the main window's panel varied over a range, each step
// calculated, the factors charted against the input with where each reaches its limit, the
// numbers in a table, and the capacity of the panel in that input. It reads the main window's
// record and never changes it.

#include <QDialog>

#include "engine/sweep.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QSpinBox;
class QTableWidget;

namespace kelvor {

class ChartView;
class ProjectHost;

class SweepWindow : public QDialog {
    Q_OBJECT
public:
    SweepWindow(ProjectHost& host, QWidget* owner);

    // The input's range proposed from the record's value, as the list sets it on a choice.
    void ProposeRange();
    // "Run": the sweep and capacity of the range and mode shown. False when the range is
    // refused (the message has been shown).
    bool Run();
    // The exports, each after its file dialog; false when cancelled or not written.
    bool ExportCsv();
    bool ExportChart(const char* ending);

    const SweepResult& Result() const { return sweep_; }

private:
    const SweepInput& Input() const;
    void FillTable();
    QString ChooseFile(const char* ending);

    ProjectHost& host_;
    QComboBox* input_ = nullptr;
    QComboBox* mode_ = nullptr;
    QLineEdit* min_ = nullptr;
    QLineEdit* max_ = nullptr;
    QSpinBox* steps_ = nullptr;
    QLabel* capacity_ = nullptr;
    ChartView* chart_ = nullptr;
    QTableWidget* table_ = nullptr;
    SweepResult sweep_;
};

// Opens (or raises) the sweep window of `owner`, run on the record as it stands.
void ShowSweepWindow(ProjectHost& host, QWidget* owner);

// "Sweep..." (`mnusweep`) added to the Tools menu (`mnutools`) of the window's menu bar, the menu
// made in front of Help when there is none yet. The caller connects it.
QAction* AddSweepEntry(QMainWindow& window);

}  // namespace kelvor
