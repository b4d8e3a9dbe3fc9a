#pragma once

#include <QMainWindow>

#include "core/project.h"
#include "core/tables.h"

namespace kelvor {

class ResultListView;

// The main window. It owns the one project record and the tables; its widgets only read and
// write the record.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    Project& project() { return project_; }
    const Tables& tables() const { return tables_; }

    // Runs the start-up sequence and the first calculation. Separate from the constructor so
    // that tests can set the message hook first.
    void StartUp();
    // `Calculate`, then the spacing messages and the result list.
    void Recalculate();

private:
    void ShowResults();

    Project project_;
    Tables tables_;
    ResultListView* results_ = nullptr;
};

}  // namespace kelvor
