#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>

#include "core/project.h"
#include "core/tables.h"
#include "ui/messages.h"
#include "ui/projecthost.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QRadioButton;
class QTabWidget;
class QWindow;

namespace kelvor {

class FieldController;
class PanelFigureView;
class ResultListView;
class ResultPages;
class SketchButton;
class UndoHistory;

// The main window `kelvor`. It owns the one project record and the tables; its widgets only read
// and write the record.
class MainWindow : public QMainWindow, public ProjectHost {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    Project& project() override { return project_; }
    const Tables& tables() const override { return tables_; }

    // The start-up sequence, ending with the run of the start-up batch file and a calculation.
    // Separate from the constructor so that tests can set the message hook first.
    void StartUp();
    // `Calculate`, then its messages, the result list, the figure, the profile captions and the
    // controls that a run rewrites (material fields, c-factor page).
    void Recalculate() override;
    void RefreshInputFields() override;

    // File commands (filemenu.cpp).
    void NewProjectCommand();
    void OpenCommand();
    void SaveCommand() { Save(); }
    bool Save();  // false when nothing was saved
    void SaveAsCommand();
    void OpenRecentCommand(int k);
    // Opens a project as the Open command does, without the dialog (command line). False when the
    // file could not be read; the message has been shown.
    bool OpenFile(const QString& path);

    // The one way for a dialog to change the project as one undoable step named `what`: the
    // fields' edits are taken first, `change` sets inputs (a family, a table row or built-up
    // values, spans, thicknesses...), then the profiles and material rows are set up from them,
    // every widget is refreshed, the panel recalculated and the step recorded.
    void ChangeProject(const QString& what, const std::function<void(Project&)>& change);
    // The same, bound to this window, for a dialog to keep (ui/undo.h: ProjectChange).
    std::function<void(const QString&, const std::function<void(Project&)>&)> ProjectChanger() {
        return [this](const QString& what, const std::function<void(Project&)>& change) {
            ChangeProject(what, change);
        };
    }
    // Edit menu: back to the inputs before the last step, and forward again.
    void UndoCommand();
    void RedoCommand();

    // The window's message boxes: focus changes they cause are not taken for the user's.
    void Say(const QString& text, MessageIcon icon, QWidget* refocus = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // mainlayout.cpp
    void BuildControls();
    QWidget* BuildGeneralColumn();
    QWidget* BuildGeometryFrame();
    QWidget* BuildFigureFrame();
    QWidget* BuildAnalysisFrame(QWidget* parent);
    QWidget* BuildCFactorTabs();
    void BuildFields(QGroupBox* frame, const char* name);
    void ConnectRightButton();
    void FillMaterialLists();
    void ShowRunControls();
    void ShowCFactorControls();
    void ApplyFirstSize();

    // menus.cpp
    static QString StiffenerDialog(int family);  // empty for an unknown code
    static QString GirderDialog(int girderType);
    void BuildMenus();
    void BuildFileMenu();
    void ChooseStiffener(int family);
    void ChooseGirder(int girderType);
    // The analysis mode of the report kind shown, as printing sets it (4: the scantling report).
    void ShowReportKind(int kind);
    void PrintKind(int kind, bool preview = false);
    void ExportPdf(int kind);
    void OpenManual(const char* fileName);
    void MarkProfilesInUse();
    // "Export results...": the result list as a CSV file.
    void ExportResults();
    void ShowAbout();
    // "Design search..." (searchmenu.cpp).
    void OpenSearch();

    // filemenu.cpp
    void RefreshRecentMenu();
    void AfterOpen();
    // "Kelvor: " + the project's file, with "*" while it has changes its file does not hold.
    void SetCaption();
    bool Modified() const;
    // The project as it stands is what its file holds (after open, save, new, start).
    void MarkSaved();
    // Before the project is replaced or the program ends: on a modified project the question
    // Save / Discard / Cancel. False when the user cancelled or the save failed.
    bool MaySetAside();
    void SetWorkFolderFrom(const QString& path);

    // Activation from another window of the program recalculates; from a message box, a file
    // dialog or another program it does not.
    void FocusWindowChanged(QWindow* now);
    void CopyTextFields();

    // mainwindowundo.cpp
    void BuildHistory();
    // A step for whatever inputs changed since the last one, unless steps are held.
    void RecordStep(const QString& what = {});
    // The history starts again from the project as it stands (start, New, Open).
    void ResetHistory();
    // Undo and redo: `inputs` put in the record, every window brought in line, recalculated.
    void PutBack(const Project& inputs);
    // Every widget from the record and a calculation, recording nothing; the open profile
    // dialogs start over from the result.
    void RecalculateAndRebase();
    // While a batch panel stands in the record, a profile dialog's own edit is under way or a
    // step is being put back, nothing is recorded.
    bool StepsHeld() const;
    bool BatchPanelShown() const;
    void TakeStep(bool back);
    // ShortcutOverride of a field: the field's own undo of typing, else the project's.
    bool ProjectUndoKey(QObject* watched, QEvent* event) const;

    Project project_;
    Tables tables_;
    std::string savedText_;  // the project file's text as last opened or saved
    FieldController* fields_ = nullptr;
    ResultListView* results_ = nullptr;
    ResultPages* resultPages_ = nullptr;
    PanelFigureView* figure_ = nullptr;
    SketchButton* stiffButton_ = nullptr;
    SketchButton* girderButton_ = nullptr;
    QLabel* stiffCaption_ = nullptr;
    QLabel* girderCaption_ = nullptr;
    QTabWidget* cfactorTabs_ = nullptr;
    QCheckBox* deformation_ = nullptr;
    QMenu* profileMenu_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    UndoHistory* history_ = nullptr;
    bool holdSteps_ = false;
    std::array<QAction*, 5> recent_{};  // [0] the separator, [1..4] the entries
    QPointer<QWidget> lastOtherWindow_;
    bool started_ = false;
};

}  // namespace kelvor
