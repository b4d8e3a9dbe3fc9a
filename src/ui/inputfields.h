#pragma once

// The main window's input fields: one table drives their creation, their validation when they are
// left, their refresh from the record and the keyboard navigation between them.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <span>
#include <string>

#include "ui/messages.h"

class QGridLayout;
class QLineEdit;
class QWidget;

namespace kelvor {

class ProjectHost;
struct Project;

// What the field does after a successful leave beyond `Calculate`.
enum class AfterLeave {
    Calculate,
    CalculateAndRefresh,  // ips: the scantling pressure shows up in other fields
    StoreText,            // iproj, iident: no calculation
};

// Where Enter goes when it depends on the record. ByCFactorTab (ie): `enter` on the
// watertight-bulkhead page, where the unit length is shown, else `enterElse`.
enum class EnterBranch { Fixed, ByCFactorTab };

struct MainField {
    const char* name;
    // Placement: the frame (or tab page) it stands in, its grid row and its slot in the row
    // (0 left, 1 right). The remark takes the grid row below.
    const char* frame;
    int row;
    int slot;
    const char* caption;         // before the field, at the start of the row
    const char* prefix;          // directly before the field ("Lg =")
    const char* note;            // directly after the field
    const char* remark;          // on the line below
    float Project::*value;       // numeric fields; their limits are the core's InputLimits
    std::string Project::*text;  // text fields
    const char* leavePattern;    // rewrite when the field is left
    const char* refreshPattern;  // rewrite by RefreshInputFields
    AfterLeave after;
    const char* enter;
    EnterBranch branch;
    const char* enterElse;
    const char* down;
    const char* up;
    const char* right;
    const char* left;
};

std::span<const MainField> MainFields();
const MainField* MainFieldNamed(const QString& name);

// The two material lists and the typed-material fields that only the last entry enables.
struct MaterialList {
    const char* name;
    const char* caption;
    const char* frame;
    int row;
    int Project::*index;
    const char* typedYield;
    const char* typedTensile;
    const char* enterTyped;  // Enter on the last entry
    const char* enterElse;   // Enter on any other entry
};

std::span<const MaterialList> MaterialLists();

// The light yellow of a field being edited.
inline constexpr unsigned kEditingColour = 0xFFFFC0;

// Validation and navigation of the fields. Leaving a field is handled once the focus change has
// finished and the mouse is up, so a message box never opens in the middle of Qt's focus hand-over
// or a button press; every focus change the controller causes itself (a message box, the focus put
// back) is ignored, so a refused value is reported once.
class FieldController : public QObject {
    Q_OBJECT
public:
    FieldController(ProjectHost& host, QWidget* window);

    // Creates the field's line edit (and its labels) in `grid`.
    QLineEdit* CreateField(const MainField& field, QGridLayout* grid, QWidget* parent);
    // Enter and arrow keys on a widget that is not a line edit (the material lists).
    void Watch(QWidget* widget);

    // Every field from the record, with the refresh patterns.
    void RefreshTexts();
    // One field from the record unless the user is typing in it.
    void ShowValue(const char* name, const char* pattern);

    // A message box during which focus changes are the controller's own.
    void Say(const QString& text, MessageIcon icon, QWidget* refocus);

    // Every control's command starts here, so that it sees the record the user sees: the leave
    // handling still waiting for the mouse runs now, and so does that of the focused field when
    // its text was edited (Save from the keyboard, a tab page, which takes no focus).
    void CommitEdits();

    QLineEdit* Field(const char* name) const;
    char DecimalSeparator() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Leave(QLineEdit* edit, const MainField& field);
    void LeaveWhenMouseUp();
    void RunPendingLeaves();
    bool Navigate(QWidget* from, int key);
    QWidget* EnterSuccessor(const QString& name) const;
    void SetEditing(QLineEdit* edit, bool editing);

    ProjectHost& host_;
    QWidget* window_;
    int quiet_ = 0;  // > 0 while the controller's own message or focus change is under way
    QList<QPointer<QLineEdit>> pending_;  // fields left whose handling has not run yet
};

}  // namespace kelvor
