#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>

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
    std::array<QAction*, 5> recent_{};  // [0] the separator, [1..4] the entries
    QPointer<QWidget> lastOtherWindow_;
    bool started_ = false;
};

}  // namespace kelvor
