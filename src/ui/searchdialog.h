#pragma once

// The design search window `searchdialog`: the ranges and tables to try, the mode and limit the
// panels are judged by, a run on a worker thread with its progress and Cancel, the lightest
// passing panels in a sortable table, the mass-utilisation chart, and Apply, which puts the
// chosen panel into the project.

#include <QDialog>
#include <QThread>
#include <atomic>
#include <functional>

#include "core/project.h"
#include "core/tables.h"
#include "engine/search.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;

#include "ui/undo.h"

namespace kelvor {

class ProjectHost;
class SearchChart;


class SearchDialog : public QDialog {
    Q_OBJECT
public:
    SearchDialog(ProjectHost& host, ProjectChange apply, QWidget* owner);
    ~SearchDialog() override;

    // The space and options the controls describe.
    SearchSpace Space() const;
    SearchOptions Options() const;
    // Starts a search of the project as it stands; false when the controls describe none (the
    // message has been shown) or one is running.
    bool Run();
    void Cancel();
    bool Running() const { return worker_ != nullptr; }
    // Puts the panel of the selected row into the project.
    void ApplySelected();
    const SearchResult& result() const { return result_; }

signals:
    // The answer is in the table and the chart (also after a cancel).
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* BuildRanges();
    QWidget* BuildJudgement();
    void UpdateCount();
    void ShowProgress(std::uint64_t done, std::uint64_t total);
    void Finish(SearchResult result);
    void FillTable();
    int SelectedBest() const;  // index into result_.best, -1 when no row is chosen
    void StopWorker();

    ProjectHost& host_;
    ProjectChange apply_;
    // The project searched, as it stood at Run, and the tables: copies, so that the worker reads
    // nothing its owner could change or destroy before the worker is stopped.
    Project snapshot_;
    Tables tables_;
    SearchSpace space_;
    SearchOptions options_;
    SearchResult result_;
    std::atomic<bool> cancel_{false};
    QThread* worker_ = nullptr;

    QDoubleSpinBox* tMin_ = nullptr;
    QDoubleSpinBox* tMax_ = nullptr;
    QDoubleSpinBox* tStep_ = nullptr;
    QCheckBox* bulb_ = nullptr;
    QCheckBox* flat_ = nullptr;
    QCheckBox* angle_ = nullptr;
    QCheckBox* tee_ = nullptr;
    QCheckBox* own_ = nullptr;
    QComboBox* girders_ = nullptr;
    QCheckBox* spacing_ = nullptr;
    QDoubleSpinBox* sMin_ = nullptr;
    QDoubleSpinBox* sMax_ = nullptr;
    QDoubleSpinBox* sStep_ = nullptr;
    QCheckBox* grades_ = nullptr;
    QComboBox* mode_ = nullptr;
    QDoubleSpinBox* limit_ = nullptr;
    QSpinBox* top_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QTableWidget* table_ = nullptr;
    SearchChart* chart_ = nullptr;
    QPushButton* applyButton_ = nullptr;
};

// Shows the one search window of `owner`, made on first use.
SearchDialog* ShowSearchDialog(ProjectHost& host, QWidget* owner, const ProjectChange& apply);

}  // namespace kelvor
