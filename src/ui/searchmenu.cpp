// Tools > Design search: the search window on the main window's project.
#include "ui/inputfields.h"
#include "ui/mainwindow.h"
#include "ui/searchdialog.h"

namespace kelvor {

void MainWindow::OpenSearch() {
    fields_->CommitEdits();
    // The chosen panel replaces the inputs it covers as one step that Undo takes back; the run,
    // the fields and the caption's modified mark follow as after any edit.
    ShowSearchDialog(*this, this, ProjectChanger());
}

}  // namespace kelvor
