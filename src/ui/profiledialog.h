#pragma once

// The twelve profile dialogs: one class, configured by a description of each family. The dialogs
// hold no data; every field and list writes straight into the project and recalculates it.

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "files/tableloaders.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvor {

class Canvas;
class PictureBox;
class ProjectHost;
struct Project;

enum class DialogKind { Table, BuiltUp, Girder };

// The block of properties with attached plate: the stiffener's se set (the sw set outside
// buckling-only mode for the L and T dialogs), or the girder's.
enum class PlateSet { Se, SeOrSw, Girder };

// A typed dimension. Values below `leaveLimit` are reported when the field is left, values below
// `closeLimit` when the dialog closes; both are kept and used.
struct InputField {
    const char* name;
    const char* caption;
    float Project::*value;
    const char* pattern;
    double leaveLimit;
    const char* leaveMessage;
    bool closeCheck;
    double closeLimit;
    const char* closeMessage;
};

// A dimension of the chosen table row, shown read-only.
struct RowValue {
    const char* name;
    const char* caption;
    float Project::*value;
    const char* pattern;
};

using PropertyText = std::string (*)(const Project& p, char decimalSeparator);

struct PropertyLine {
    const char* name;
    const char* caption;
    PropertyText text;
};

struct DialogFamily {
    const char* name;
    const char* caption;
    DialogKind kind;
    int code;  // StiffProfileType; GirderProfileType for the girder dialogs
    ProfileKind table = ProfileKind::L;
    int Project::*row = nullptr;
    std::vector<RowValue> rowValues = {};
    std::vector<InputField> fields = {};  // in the order Enter cycles through them
    const char* frame = "Frame3";
    PlateSet plateSet = PlateSet::Se;
    const char* izUnit = nullptr;  // no Iz line when null
    const char* breadthCaption = "se =";
    const char* topModulusCaption = "Wes =";
    bool backgroundToggles = false;  // a click on the background switches the figure too
};

const std::vector<DialogFamily>& DialogFamilies();
const DialogFamily* DialogFamilyNamed(const std::string& name);

// The profile-alone lines and the with-plate lines the family shows, for the record as it is
// (the L and T dialogs switch between se and sw with AnalysisMode).
std::vector<PropertyLine> ProfileLines(const DialogFamily& family);
std::vector<PropertyLine> PlateLines(const DialogFamily& family, const Project& p);

class ProfileDialog : public QDialog {
    Q_OBJECT
public:
    ProfileDialog(ProjectHost& host, const DialogFamily& family, QWidget* owner);
    ~ProfileDialog() override;

    const DialogFamily& family() const { return family_; }
    // Shows the dialog and makes its family the one in use at once, whether or not the window
    // system activates the window.
    void ShowAndActivate();
    // Opening a project replaces every value the dialog shows: close without reading the fields
    // back into the new record.
    void CloseQuietly();
    bool closing() const { return closing_; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void reject() override;

private:
    void BuildWindow();
    QWidget* BuildProfileFrame();
    QWidget* BuildPlateFrame();
    QWidget* BuildFigure();

    void Activate();
    void ChooseRow(int row);
    bool Leave(int field);
    void CloseCheck(int alreadyReported);
    void SetUpProfile();
    void Recompute();
    void ShowInputs();
    void ShowProperties();
    void ToggleFigure();
    void PaintFigure(Canvas& canvas);
    void PaintLocalCheck(Canvas& canvas);
    void SetBackground(QLineEdit* field, bool editing);
    int FieldIndex(const QObject* o) const;
    Project& project();
    // The record the properties and figure come from: the girder dialogs show their own family
    // even while the other girder is in use.
    const Project& shown() const;

    ProjectHost& host_;
    const DialogFamily& family_;
    QComboBox* list_ = nullptr;
    std::vector<QLineEdit*> fields_;
    std::vector<QLabel*> rowValues_;
    std::vector<QLabel*> profileValues_;
    std::vector<QLabel*> plateValues_;
    QLabel* otherGirder_ = nullptr;
    PictureBox* figure_ = nullptr;
    PictureBox* localCheck_ = nullptr;
    QLabel* figureCaption_ = nullptr;
    QPushButton* ok_ = nullptr;

    std::vector<bool> entered_;  // the field holds the focus since its last FocusIn
    std::vector<bool> pending_;  // left, its value not yet taken
    bool active_ = false;        // activation steps done since the dialog last became active
    bool busy_ = false;          // a field is being left: ignore the focus moves it causes
    bool closing_ = false;
    bool quiet_ = false;
    std::unique_ptr<Project> girderView_;
};

}  // namespace kelvor
