#pragma once

// The window's undo history: each step holds the project's inputs before and after a change,
// copied whole, so that undo and redo put back exactly what was there (results are
// recalculated from them). Changes are found by comparing the inputs with those of the last
// step, wherever in the window they were made.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "core/project.h"

class QAction;
class QUndoStack;

namespace kelvor {

// What a dialog is handed to change the project as one undoable step named `what`
// (MainWindow::ChangeProject): `change` sets the inputs, the window does the rest.
using ProjectChange =
    std::function<void(const QString& what, const std::function<void(Project&)>& change)>;

// True when every input of the two records is the same; folders, the file name, the decimal
// setting, the print kind and the figure switch are not inputs.
bool SameInputs(const Project& a, const Project& b);
// What a change is called in the Edit menu: the first input that differs ("t", "stiffener
// profile"); empty when none does.
QString ChangedInput(const Project& before, const Project& after);
// The record with its results left out; they follow from the inputs.
Project InputSnapshot(const Project& p);
// Puts the inputs of `snapshot` into `p`, keeping what is not an input.
void PutBackInputs(Project& p, const Project& snapshot);

class UndoHistory : public QObject {
    Q_OBJECT
public:
    // `restore` receives the inputs of the state undo or redo goes to; it puts them in the
    // record, refreshes the window and recalculates without recording.
    UndoHistory(std::function<void(const Project&)> restore, QObject* parent);
    ~UndoHistory() override;

    // No steps; `p` is where the history starts (start, New, Open).
    void Reset(const Project& p);
    // A step from the inputs of the last step to those of `p`, named `what` (or after the
    // first changed input); nothing when they are the same. True when a step was added.
    bool Record(const Project& p, const QString& what = {});
    void Undo();
    void Redo();
    // The Edit menu's entries follow the history: enabled when there is a step to take, named
    // after it ("&Undo t").
    void Follow(QAction* undo, QAction* redo);

    QUndoStack& stack() { return *stack_; }

private:
    friend class ProjectStep;
    void GoTo(const Project& inputs);

    QUndoStack* stack_;
    std::function<void(const Project&)> restore_;
    std::unique_ptr<Project> base_;  // the inputs the current step left
};

}  // namespace kelvor
