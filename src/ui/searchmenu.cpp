// Tools > Design search: the search window on the main window's project.
#include "ui/inputfields.h"
#include "ui/mainwindow.h"
#include "ui/searchdialog.h"

namespace kelvor {

void MainWindow::OpenSearch() {
    fields_->CommitEdits();
    // The chosen panel replaces the inputs it covers; the run, the fields and the caption's
    // modified mark follow as after any edit.
    ShowSearchDialog(*this, this, [this](const QString&, std::function<void(Project&)> change) {
        fields_->CommitEdits();
        change(project_);
        RefreshInputFields();
        Recalculate();
    });
}

}  // namespace kelvor
