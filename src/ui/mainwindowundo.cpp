// The main window's undo history: every change of the inputs becomes a step, wherever in the
// window or its dialogs it was made, found by comparing the inputs after each calculation.
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

#include "engine/session.h"
#include "ui/inputfields.h"
#include "ui/mainwindow.h"
#include "ui/profiledialog.h"
#include "ui/undo.h"

namespace kelvor {

namespace {

// The open profile dialogs; one closed a moment ago is only waiting to be deleted.
QList<ProfileDialog*> OpenDialogs(const QWidget* owner) {
    QList<ProfileDialog*> open;
    for (ProfileDialog* d :
         owner->findChildren<ProfileDialog*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!d->closing()) {
            open << d;
        }
    }
    return open;
}

}  // namespace

void MainWindow::BuildHistory() {
    history_ = new UndoHistory([this](const Project& inputs) { PutBack(inputs); }, this);
    // The text fields take no calculation; their step is taken when they are left.
    for (const char* name : {"iproj", "iident"}) {
        connect(fields_->Field(name), &QLineEdit::editingFinished, this, [this] {
            CopyTextFields();
            RecordStep();
        });
    }
}

bool MainWindow::BatchPanelShown() const {
    const auto* batch = findChild<QWidget*>(QStringLiteral("database"), Qt::FindDirectChildrenOnly);
    return batch != nullptr && batch->isVisible();
}

bool MainWindow::StepsHeld() const {
    if (holdSteps_ || BatchPanelShown()) {
        return true;
    }
    for (const ProfileDialog* d : OpenDialogs(this)) {
        if (d->EditUnderWay()) {
            return true;
        }
    }
    return false;
}

void MainWindow::RecordStep(const QString& what) {
    if (started_ && !StepsHeld()) {
        history_->Record(project_, what);
    }
}

void MainWindow::ResetHistory() {
    history_->Reset(project_);
}

void MainWindow::RecalculateAndRebase() {
    {
        const QScopedValueRollback<bool> hold(holdSteps_, true);
        RefreshInputFields();
        Recalculate();
    }
    // An open dialog's Cancel goes back to the project as it now stands, not across the step.
    for (ProfileDialog* d : OpenDialogs(this)) {
        d->Rebase();
    }
}

void MainWindow::PutBack(const Project& inputs) {
    PutBackInputs(project_, inputs);
    RecalculateAndRebase();
}

void MainWindow::ChangeProject(const QString& what, const std::function<void(Project&)>& change) {
    fields_->CommitEdits();
    // What was changed before is a step of its own.
    RecordStep();
    change(project_);
    ApplyProfilesAndMaterials(project_, tables_);
    RecalculateAndRebase();
    RecordStep(what);
}

void MainWindow::TakeStep(bool back) {
    // A batch panel stands in the record while the batch window is open; the project's steps
    // do not apply to it, and the project comes back whole when the window closes.
    if (BatchPanelShown()) {
        return;
    }
    fields_->CommitEdits();
    // An open dialog's edits not yet recorded become the step that undo takes back.
    RecordStep();
    if (back) {
        history_->Undo();
    } else {
        history_->Redo();
    }
}

void MainWindow::UndoCommand() {
    TakeStep(true);
}

void MainWindow::RedoCommand() {
    TakeStep(false);
}

bool MainWindow::ProjectUndoKey(QObject* watched, QEvent* event) const {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (event->type() != QEvent::ShortcutOverride || edit == nullptr || undoAction_ == nullptr) {
        return false;
    }
    // A field claims the desktop's undo keys for its own text; once the text is left there is
    // nothing of its own to take back, and the keys belong to the project.
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    return (pressed == undoAction_->shortcut() && !edit->isUndoAvailable()) ||
           (pressed == redoAction_->shortcut() && !edit->isRedoAvailable());
}

}  // namespace kelvor
