#include "ui/inputfields.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "core/inputlimits.h"
#include "core/numformat.h"
#include "core/numparse.h"
#include "core/project.h"
#include "ui/projecthost.h"

namespace kelvor {

namespace {

constexpr auto F = EnterBranch::Fixed;

const char* const kPlateNote = "(Positive on plate side; 0.10 MPa is about 10 water pressure)";
const char* const kStiffNote = "(Positive on stiffener side; 0.10 MPa is about 10 water pressure)";

// Grid columns of a frame: caption | prefix | field | prefix | field | note.
constexpr int kCaptionColumn = 0;
constexpr int kColumnsPerSlot = 2;
constexpr int kNoteColumn = 5;

// clang-format off
const MainField kFields[] = {
    {"iproj", "fr1", 0, 0, "Project name:", nullptr, nullptr, nullptr,
     nullptr, &Project::ProjectName, nullptr, nullptr,
     AfterLeave::StoreText, "iident", F, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"iident", "fr1", 1, 0, "Identification:", nullptr, nullptr, nullptr,
     nullptr, &Project::Identification, nullptr, nullptr,
     AfterLeave::StoreText, "cbofyp", F, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"ifs", "fr10", 3, 0, "Factor of Safety F.S. =", nullptr, "(yield)", nullptr,
     &Project::FS, nullptr, "#0.00", "#0.00",
     AfterLeave::Calculate, "iufa", F, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"iufa", "fr10", 4, 0, "Max Allow Utiliz. Factor =", nullptr, "(buckling)", nullptr,
     &Project::UFallow, nullptr, "#0.00", "#0.00",
     AfterLeave::Calculate, "cbofyp", F, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"ifyp", "fr11", 1, 0, nullptr, "Fyp=", nullptr, nullptr,
     &Project::Fyp, nullptr, "#00", "#000",
     AfterLeave::Calculate, "ifup", F, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"ifup", "fr11", 1, 1, nullptr, "Fup=", nullptr, nullptr,
     &Project::Fup, nullptr, "#00", "#000",
     AfterLeave::Calculate, "cbofys", F, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"ifys", "fr11", 3, 0, nullptr, "Fys=", nullptr, nullptr,
     &Project::Fys, nullptr, "#00", "#000",
     AfterLeave::Calculate, "ifus", F, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"ifus", "fr11", 3, 1, nullptr, "Fus=", nullptr, nullptr,
     &Project::Fus, nullptr, "#00", "#000",
     AfterLeave::Calculate, "ie", F, nullptr, nullptr, nullptr, nullptr, nullptr},
    {"ie", "fr11", 4, 0, "Youngs modulus E:", nullptr, nullptr, nullptr,
     &Project::E, nullptr, "0.00E+0", "0.00E+0",
     AfterLeave::Calculate, "iunit_length", EnterBranch::ByCFactorTab, "il1",
     nullptr, nullptr, nullptr, nullptr},
    {"il1", "fr21", 0, 0, "Stiffener span: ", "L1 =", nullptr, nullptr,
     &Project::L1, nullptr, "#00", "#0",
     AfterLeave::Calculate, "il2", F, nullptr, "il2", "ip1", nullptr, nullptr},
    {"il2", "fr21", 0, 1, nullptr, "L2 =", nullptr, nullptr,
     &Project::L2, nullptr, "#00", "#0",
     AfterLeave::Calculate, "iLg", F, nullptr, "iLg", "il1", nullptr, nullptr},
    {"iLg", "fr21", 1, 0, "Girder span:", "Lg =", nullptr, nullptr,
     &Project::Lg, nullptr, "#00", "#0",
     AfterLeave::Calculate, "it", F, nullptr, "it", "il2", nullptr, nullptr},
    {"it", "fr21", 2, 0, "Plate thickness:", "t =", nullptr, nullptr,
     &Project::t, nullptr, "#0.0", "#0.0",
     AfterLeave::Calculate, "is1", F, nullptr, "is1", "iLg", nullptr, nullptr},
    {"is1", "fr21", 3, 0, "Stiff spacing: ", "s1 =", nullptr, nullptr,
     &Project::s1, nullptr, "#00", "#00",
     AfterLeave::Calculate, "is2", F, nullptr, "is2", "it", nullptr, nullptr},
    {"is2", "fr21", 3, 1, nullptr, "s2 =", nullptr, nullptr,
     &Project::s2, nullptr, "#00", "#00",
     AfterLeave::Calculate, "iLgs", F, nullptr, "iLgs", "is1", nullptr, nullptr},
    {"iLgs", "fr21", 4, 0, "Girder span scantling:", "Lgs =", " Unsupported span", nullptr,
     &Project::Lgs, nullptr, "#00", "#0",
     AfterLeave::Calculate, "iLt", F, nullptr, "iLt", "is2", nullptr, nullptr},
    {"iLt", "fr21", 5, 0, "Dist betw tripp  brackets:", "Lt =", nullptr,
     " Recommended max distance 3000 mm ",
     &Project::Lt, nullptr, "#0 ", "#0",
     AfterLeave::Calculate, "isigx1", F, nullptr, "isigx1", "iLgs", nullptr, nullptr},
    {"isigx1", "fr22", 0, 0, nullptr, "SigxA =", nullptr, nullptr,
     &Project::SigxA, nullptr, "##0.0", "##0.0",
     AfterLeave::Calculate, "isigx2", F, nullptr, "isigy1", "iLt", "isigx2", "is2"},
    {"isigx2", "fr22", 0, 1, nullptr, "SigxB =", nullptr, nullptr,
     &Project::SigxB, nullptr, "##0.0", "##0.0",
     AfterLeave::Calculate, "isigy1", F, nullptr, "isigy3", "itau1", "isigy1", "isigx1"},
    {"isigy1", "fr22", 1, 0, nullptr, "SigyA =", nullptr, nullptr,
     &Project::SigyA, nullptr, "##0.0", "##0.0",
     AfterLeave::Calculate, "isigy3", F, nullptr, "itau1", "isigx1", "isigy3", "isigx2"},
    {"isigy3", "fr22", 1, 1, nullptr, "SigyC =", nullptr, nullptr,
     &Project::SigyC, nullptr, "##0.0", "##0.0",
     AfterLeave::Calculate, "itau1", F, nullptr, "ip1", "isigx2", "itau1", "isigy1"},
    {"itau1", "fr22", 2, 0, nullptr, "Tau =", nullptr, nullptr,
     &Project::Tau, nullptr, "##0.0", "##0.0",
     AfterLeave::Calculate, "ip1", F, nullptr, "ip1", "isigy1", nullptr, nullptr},
    {"ip1", "fr22", 3, 0, nullptr, "p =", "(Buckling / Yield)", kPlateNote,
     &Project::p, nullptr, "##0.000", "##0.000",
     AfterLeave::Calculate, "ips", F, nullptr, "ips", "itau1", nullptr, nullptr},
    {"ips", "fr22", 5, 0, nullptr, "ps =", "(Scantling)", kStiffNote,
     &Project::ps, nullptr, "##0.000", "##0.000",
     AfterLeave::CalculateAndRefresh, "iproj", F, nullptr, "iproj", "ip1", nullptr, nullptr},
    {"iunit_length", "cpage0", 2, 0, "Unit length  UL =", nullptr, nullptr,
     "c-factor is corrected for unit lengths below 61 m  ",
     &Project::UnitLength, nullptr, "#0", "#0",
     AfterLeave::Calculate, "il1", F, nullptr, nullptr, nullptr, nullptr, nullptr},
};

const MaterialList kMaterialLists[] = {
    {"cbofyp", "Plate/Girder:", "fr11", 0, &Project::PlateMaterialIndex, "ifyp", "ifup", "ifyp",
     "cbofys"},
    {"cbofys", "Stiffener:", "fr11", 2, &Project::StiffMaterialIndex, "ifys", "ifus", "ifys",
     "ie"},
};
// clang-format on

QLabel* AddLabel(QGridLayout* grid, QWidget* parent, const char* text, int row, int column,
                 int span = 1) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    grid->addWidget(label, row, column, 1, span);
    return label;
}

bool IsWindowFocusChange(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
           reason == Qt::MenuBarFocusReason;
}

}  // namespace

std::span<const MainField> MainFields() {
    return kFields;
}

const MainField* MainFieldNamed(const QString& name) {
    for (const MainField& f : kFields) {
        if (name == QLatin1String(f.name)) {
            return &f;
        }
    }
    return nullptr;
}

std::span<const MaterialList> MaterialLists() {
    return kMaterialLists;
}

FieldController::FieldController(ProjectHost& host, QWidget* window)
    : QObject(window), host_(host), window_(window) {}

QLineEdit* FieldController::CreateField(const MainField& field, QGridLayout* grid,
                                        QWidget* parent) {
    const int base = 1 + field.slot * kColumnsPerSlot;
    if (field.caption) {
        // Without a prefix the caption may reach into the prefix column.
        AddLabel(grid, parent, field.caption, field.row, kCaptionColumn, field.prefix ? 1 : 2);
    }
    if (field.prefix) {
        AddLabel(grid, parent, field.prefix, field.row, base)
            ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(field.name));
    // A disabled material field still shows the table's value; it must stay readable.
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(80, 80, 80));
    edit->setPalette(palette);
    edit->setContextMenuPolicy(Qt::PreventContextMenu);  // the right button opens "Profile"
    if (field.text) {
        grid->addWidget(edit, field.row, base + 1, 1, kNoteColumn - base);
    } else {
        // Room for the values a pattern usually gives ("-100.0", "2.06E+5", "-0.030").
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000.00")) + 10);
        edit->setAlignment(Qt::AlignRight);
        grid->addWidget(edit, field.row, base + 1);
        // What the field holds, its unit and range, from the table the checks use.
        edit->setToolTip(QString::fromStdString(LimitInWords(*LimitOf(field.value))));
    }
    if (field.note) {
        // The column after the field may already hold a control (the pressure button).
        int column = base + 2;
        while (column < kNoteColumn && grid->itemAtPosition(field.row, column)) {
            ++column;
        }
        AddLabel(grid, parent, field.note, field.row, column, kNoteColumn - column + 1);
    }
    if (field.remark) {
        // Across the whole frame, a point smaller: the remarks are long and only explain.
        QLabel* remark =
            AddLabel(grid, parent, field.remark, field.row + 1, kCaptionColumn, kNoteColumn + 1);
        QFont font = remark->font();
        font.setPointSizeF(font.pointSizeF() - 1);
        remark->setFont(font);
        remark->setWordWrap(true);
    }
    edit->installEventFilter(this);
    return edit;
}

void FieldController::Watch(QWidget* widget) {
    widget->installEventFilter(this);
}

QLineEdit* FieldController::Field(const char* name) const {
    return window_->findChild<QLineEdit*>(QLatin1String(name));
}

char FieldController::DecimalSeparator() const {
    return host_.project().DecimalMode == 0 ? '.' : ',';
}

void FieldController::ShowValue(const char* name, const char* pattern) {
    QLineEdit* edit = Field(name);
    const MainField* field = MainFieldNamed(QLatin1String(name));
    if (!edit || !field || !field->value) {
        return;
    }
    // A refresh from another window must not wipe out what the user is typing.
    if (edit->hasFocus() && edit->isModified()) {
        return;
    }
    const float value = host_.project().*field->value;
    edit->setText(QString::fromStdString(Format(value, pattern, DecimalSeparator())));
}

void FieldController::RefreshTexts() {
    for (const MainField& f : kFields) {
        if (f.text) {
            if (QLineEdit* edit = Field(f.name);
                edit && !(edit->hasFocus() && edit->isModified())) {
                edit->setText(QString::fromStdString(host_.project().*f.text));
            }
        } else {
            ShowValue(f.name, f.refreshPattern);
        }
    }
}

void FieldController::Say(const QString& text, MessageIcon icon, QWidget* refocus) {
    ++quiet_;
    const bool wasActive = window_->isActiveWindow();
    ShowMessage(window_, text, icon, refocus);
    // Not every window manager gives the focus back to the window of a closed box; without it
    // the field put back would not have the keyboard. A dialog the user works in keeps it.
    if (refocus && wasActive && !window_->isActiveWindow()) {
        window_->activateWindow();
    }
    --quiet_;
}

void FieldController::CommitEdits() {
    RunPendingLeaves();
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    const MainField* field = edit ? MainFieldNamed(edit->objectName()) : nullptr;
    if (field && edit->window() == window_ && edit->isModified()) {
        Leave(edit, *field);
    }
}

void FieldController::SetEditing(QLineEdit* edit, bool editing) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, editing ? QColor::fromRgb(kEditingColour) : QColor(Qt::white));
    edit->setPalette(palette);
}

bool FieldController::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* edit = qobject_cast<QLineEdit*>(watched);
    switch (event->type()) {
        case QEvent::FocusIn:
            if (edit) {
                SetEditing(edit, true);
                const MainField* field = MainFieldNamed(edit->objectName());
                if (field && field->value) {
                    // After the mouse press that gave the focus has placed the cursor.
                    QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
                }
            }
            break;
        case QEvent::FocusOut:
            if (edit) {
                SetEditing(edit, false);
                const auto reason = static_cast<QFocusEvent*>(event)->reason();
                if (quiet_ == 0 && !IsWindowFocusChange(reason)) {
                    pending_.append(edit);
                    QTimer::singleShot(0, this, &FieldController::LeaveWhenMouseUp);
                }
            }
            break;
        case QEvent::KeyPress:
            if (widget && Navigate(widget, static_cast<QKeyEvent*>(event)->key())) {
                return true;
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void FieldController::LeaveWhenMouseUp() {
    if (pending_.isEmpty()) {
        return;  // a command ran it first
    }
    // A box opened while a button is held down would leave that button pressed; the button's
    // own command runs the leave first when it is released (CommitEdits).
    // Nor may one leave run inside another's message box.
    if (QGuiApplication::mouseButtons() != Qt::NoButton || quiet_ > 0) {
        QTimer::singleShot(20, this, &FieldController::LeaveWhenMouseUp);
        return;
    }
    RunPendingLeaves();
}

void FieldController::RunPendingLeaves() {
    while (!pending_.isEmpty()) {
        const QPointer<QLineEdit> edit = pending_.takeFirst();
        const MainField* field = edit ? MainFieldNamed(edit->objectName()) : nullptr;
        if (field) {
            Leave(edit, *field);
        }
    }
}

void FieldController::Leave(QLineEdit* edit, const MainField& field) {
    Project& p = host_.project();
    if (field.text) {
        p.*field.text = edit->text().toStdString();
        edit->setModified(false);
        return;
    }
    ++quiet_;
    try {
        const InputLimit* limit = LimitOf(field.value);
        const auto refuse = [&](const std::string& why) {
            edit->setText(QString::fromStdString(
                Format(p.*field.value, field.leavePattern, DecimalSeparator())));
            Say(QString::fromStdString(why + "\n" + LimitInWords(*limit)),
                MessageIcon::Exclamation, edit);
        };
        float value = 0;
        // Read strictly in both settings: "abc" or "4O" is no number, not 0 or 4.
        try {
            value = ParseNumberStrict(edit->text().toStdString());
        } catch (const TypeMismatch& mismatch) {
            refuse(mismatch.what());
            --quiet_;
            return;
        }
        // The float widened exactly, as the limits are written: 0.6 typed into FS passes. A
        // value the limit refuses never reaches the record: the results stay those of valid
        // inputs, and a project saved afterwards opens again (the files obey the same limits).
        if (!limit->Admits(value)) {
            refuse(limit->message);
            --quiet_;
            return;
        }
        p.*field.value = value;
        edit->setText(
            QString::fromStdString(Format(value, field.leavePattern, DecimalSeparator())));
        host_.Recalculate();
        if (field.after == AfterLeave::CalculateAndRefresh) {
            host_.RefreshInputFields();
        }
    } catch (const std::exception&) {
        // Any other failure ends the handler silently; the result list shows what ran.
    }
    --quiet_;
}

QWidget* FieldController::EnterSuccessor(const QString& name) const {
    const Project& p = host_.project();
    for (const MaterialList& list : kMaterialLists) {
        if (name == QLatin1String(list.name)) {
            auto* combo = window_->findChild<QComboBox*>(name);
            const bool typed = combo && combo->currentIndex() == combo->count() - 1;
            return window_->findChild<QWidget*>(
                QLatin1String(typed ? list.enterTyped : list.enterElse));
        }
    }
    const MainField* field = MainFieldNamed(name);
    if (!field) {
        return nullptr;
    }
    const char* next = field->enter;
    if (field->branch == EnterBranch::ByCFactorTab && p.CFactorTab != 0) {
        next = field->enterElse;
    }
    return window_->findChild<QWidget*>(QLatin1String(next));
}

bool FieldController::Navigate(QWidget* from, int key) {
    QWidget* to = nullptr;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        to = EnterSuccessor(from->objectName());
        if (!to) {
            return false;
        }
    } else {
        const MainField* field = MainFieldNamed(from->objectName());
        if (!field) {
            return false;
        }
        const char* name = key == Qt::Key_Down    ? field->down
                           : key == Qt::Key_Up    ? field->up
                           : key == Qt::Key_Right ? field->right
                           : key == Qt::Key_Left  ? field->left
                                                  : nullptr;
        if (!name) {
            return false;
        }
        to = window_->findChild<QWidget*>(QLatin1String(name));
    }
    if (to) {
        to->setFocus(Qt::TabFocusReason);
    }
    return true;  // Enter is discarded even where the chain ends
}

}  // namespace kelvor
