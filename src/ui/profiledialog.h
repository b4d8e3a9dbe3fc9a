#pragma once

// The twelve profile dialogs: one class, configured by a description of each family. The dialogs
// hold no data; every field and list writes straight into the project and recalculates it.
// OK (or the close box) accepts what was chosen; Cancel (or Escape) puts back the dialog's
// family, table row and built-up values as they were when it opened.

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
    // Shows the dialog, brought up to date with the record whether or not the window system
    // activates the window. Opening does not change the family in use: a stiffener dialog puts
    // its family in use when a row is chosen, a value taken or the dialog accepted.
    void ShowAndActivate();
    // Opened from the Profile menu: accepting the dialog puts its girder in use.
    void ChooseOnAccept();
    // Opening a project replaces every value the dialog shows: close without reading the fields
    // back into the new record.
    void CloseQuietly();
    bool closing() const { return closing_; }
    // The record was changed elsewhere as a whole (undo, redo, an applied design): show it, and
    // let Cancel go back to it rather than to what stood when the dialog opened.
    void Rebase();
    // A change of the dialog's own is being made and calculated: it is no step of its own, but
    // part of the one the dialog's acceptance makes.
    bool EditUnderWay() const { return editing_ > 0; }

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
    // A stiffener dialog's family goes in use with the first choice made in it.
    void TakeFamily();
    void PutBackOpeningState();
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
    // The record the properties and figure come from: a dialog shows its own family even while
    // another one is in use.
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
    QPushButton* cancel_ = nullptr;

    std::vector<bool> entered_;  // the field holds the focus since its last FocusIn
    std::vector<bool> pending_;  // left, its value not yet taken
    bool active_ = false;        // activation steps done since the dialog last became active
    bool busy_ = false;          // a field is being left: ignore the focus moves it causes
    bool closing_ = false;
    bool quiet_ = false;
    bool chooseOnAccept_ = false;
    int editing_ = 0;
    // The record with the dialog's family in use while another one is (the girder dialogs always
    // set their own girder up on a copy); null otherwise.
    std::unique_ptr<Project> view_;
    // What Cancel goes back to.
    std::unique_ptr<Project> before_;
};

}  // namespace kelvor
