#pragma once

// The file dialogs of the File menu go through here, so that tests can answer them without a
// modal dialog.

#include <QString>
#include <functional>

class QWidget;

namespace kelvor {

enum class FileDialogKind { Open, Save, SaveAs };

// The chosen path, or an empty text when the dialog was cancelled. `folder` is where the dialog
// starts (empty: its own choice), `preset` the file name it proposes. Save As asks before it
// overwrites a file; so does the first Save of a new project.
QString ChooseProjectFile(QWidget* parent, FileDialogKind kind, const QString& folder,
                          const QString& preset);

using FileDialogHook =
    std::function<QString(FileDialogKind kind, const QString& folder, const QString& preset)>;
// An empty hook restores the dialogs.
void SetFileDialogHook(FileDialogHook hook);

}  // namespace kelvor
