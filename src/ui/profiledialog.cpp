#include "ui/profiledialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

#include "core/calcerror.h"
#include "engine/calculate.h"
#include "core/inputlimits.h"
#include "core/numformat.h"
#include "core/numparse.h"
#include "core/project.h"
#include "core/tables.h"
#include "profiles/catalogue.h"
#include "profiles/profiles.h"
#include "qt/qtcanvas.h"
#include "report/localcheck.h"
#include "report/profilefigure.h"
#include "ui/messages.h"
#include "ui/projecthost.h"

namespace kelvor {

// A picture box: paints through the canvas, reports a left click.
class PictureBox : public QFrame {
public:
    PictureBox(const char* name, QSize size, QWidget* parent) : QFrame(parent) {
        setObjectName(QString::fromLatin1(name));
        setFixedSize(size);
        setFrameShape(QFrame::NoFrame);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        setPalette(pal);
    }

    std::function<void(Canvas&)> paint;
    std::function<void()> clicked;

protected:
    void paintEvent(QPaintEvent* e) override {
        QFrame::paintEvent(e);
        if (paint) {
            QtCanvas canvas(*this);
            paint(canvas);
        }
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && clicked) {
            clicked();
            return;
        }
        QFrame::mousePressEvent(e);
    }
};

namespace {

const QColor kEditing(255, 255, 192);
constexpr int kCaptionWidth = 70;

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The with-plate values, the local slenderness and the outline come from the run's section
// properties step; a failure at or before it leaves them belonging to other inputs.
bool WithPlateCurrent(const Project& p) {
    if (!p.StiffProfileFault.empty()) {
        return false;
    }
    if (!p.CalcFailure) {
        return true;
    }
    const auto steps = CalculationSteps();
    const auto index = [&](const std::string& routine) {
        for (std::size_t k = 0; k < steps.size(); ++k) {
            if (routine == steps[k].routine) {
                return static_cast<int>(k);
            }
        }
        return -1;
    };
    return index(p.CalcFailure->routine) > index("stiffener section properties");
}

QLabel* AddLabel(QGridLayout* grid, int row, int column, const QString& text,
                 const char* name = nullptr, int columnSpan = 1) {
    auto* label = new QLabel(text);
    if (name != nullptr) {
        label->setObjectName(QString::fromLatin1(name));
    }
    grid->addWidget(label, row, column, 1, columnSpan);
    return label;
}

}  // namespace

ProfileDialog::ProfileDialog(ProjectHost& host, const DialogFamily& family, QWidget* owner)
    : QDialog(owner), host_(host), family_(family) {
    setObjectName(QString::fromLatin1(family.name));
    setWindowTitle(QString::fromLatin1(family.caption));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    BuildWindow();
    before_ = std::make_unique<Project>(host.project());
    ShowInputs();
    ShowProperties();
    adjustSize();
    if (owner != nullptr) {
        const QRect o = owner->frameGeometry();
        move(o.x() + (o.width() - width()) / 2, o.y() + (o.height() - height()) / 2);
    }
}

ProfileDialog::~ProfileDialog() = default;

Project& ProfileDialog::project() {
    return host_.project();
}

const Project& ProfileDialog::shown() const {
    return view_ ? *view_ : host_.project();
}

void ProfileDialog::BuildWindow() {
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addWidget(BuildProfileFrame(), 0, 0);
    grid->addWidget(BuildPlateFrame(), 1, 0);
    grid->addWidget(BuildFigure(), 0, 1, 2, 1, Qt::AlignTop);
    int row = 2;
    if (family_.kind != DialogKind::Girder) {
        auto* frame = new QGroupBox(QStringLiteral("Local buckling check "));
        frame->setObjectName(QStringLiteral("Frame2"));
        auto* box = new QVBoxLayout(frame);
        localCheck_ = new PictureBox("pic2", QSize(520, 56), frame);
        localCheck_->paint = [this](Canvas& c) { PaintLocalCheck(c); };
        box->addWidget(localCheck_);
        grid->addWidget(frame, row++, 0, 1, 2);
    }
    ok_ = new QPushButton(QStringLiteral("OK"));
    ok_->setObjectName(QStringLiteral("Command1"));
    // Enter belongs to the fields' cycle; the dialog closes only by a click or the close box.
    ok_->setAutoDefault(false);
    ok_->setDefault(false);
    ok_->setMinimumWidth(90);
    connect(ok_, &QPushButton::clicked, this, &QWidget::close);
    cancel_ = new QPushButton(QStringLiteral("Cancel"));
    cancel_->setObjectName(QStringLiteral("Command2"));
    cancel_->setAutoDefault(false);
    cancel_->setMinimumWidth(90);
    // Taking no focus, a click on it leaves no field: nothing typed is taken or refused.
    cancel_->setFocusPolicy(Qt::NoFocus);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    grid->addLayout(buttons, row, 0, 1, 2);
}

QWidget* ProfileDialog::BuildProfileFrame() {
    const bool girder = family_.kind == DialogKind::Girder;
    auto* frame = new QGroupBox(girder ? QStringLiteral("Girder") : QStringLiteral("Stiffener"));
    frame->setObjectName(QString::fromLatin1(family_.frame));
    auto* grid = new QGridLayout(frame);
    // The same caption width in both frames, so that their values line up.
    grid->setColumnMinimumWidth(0, kCaptionWidth);
    grid->setColumnMinimumWidth(1, 90);
    grid->setColumnStretch(2, 1);
    int row = 0;
    if (family_.kind == DialogKind::Table) {
        list_ = new QComboBox(frame);
        list_->setObjectName(QStringLiteral("cbo"));
        const Project& p = project();
        const ProfileTable& table = family_.table == ProfileKind::L   ? host_.tables().LTable
                                    : family_.table == ProfileKind::T ? host_.tables().TTable
                                    : family_.table == ProfileKind::FlatBar
                                        ? host_.tables().FbTable
                                        : host_.tables().BfTable;
        for (const std::string& entry :
             ProfileListEntries(table, family_.table, DecimalSeparatorOf(p))) {
            list_->addItem(Q(entry));
        }
        list_->setMaxVisibleItems(20);
        connect(list_, &QComboBox::currentIndexChanged, this, &ProfileDialog::ChooseRow);
        grid->addWidget(list_, row++, 0, 1, 3);
        for (const RowValue& v : family_.rowValues) {
            AddLabel(grid, row, 0, QString::fromLatin1(v.caption));
            rowValues_.push_back(AddLabel(grid, row++, 1, QString(), v.name));
        }
    }
    for (const InputField& f : family_.fields) {
        AddLabel(grid, row, 0, QString::fromLatin1(f.caption));
        auto* field = new QLineEdit(frame);
        field->setObjectName(QString::fromLatin1(f.name));
        field->setAlignment(Qt::AlignRight);
        field->setFixedWidth(90);
        field->installEventFilter(this);
        grid->addWidget(field, row, 1);
        AddLabel(grid, row++, 2, QStringLiteral("mm"));
        fields_.push_back(field);
    }
    entered_.assign(fields_.size(), false);
    pending_.assign(fields_.size(), false);
    grid->setRowMinimumHeight(row++, 8);
    for (const PropertyLine& line : ProfileLines(family_)) {
        AddLabel(grid, row, 0, QString::fromLatin1(line.caption));
        profileValues_.push_back(AddLabel(grid, row++, 1, QString(), line.name, 2));
    }
    return frame;
}

QWidget* ProfileDialog::BuildPlateFrame() {
    const bool girder = family_.kind == DialogKind::Girder;
    auto* frame = new QGroupBox(girder ? QStringLiteral("Girder incl effective plate")
                                       : QStringLiteral("Stiffener incl effective plate"));
    frame->setObjectName(QStringLiteral("Frame4"));
    auto* grid = new QGridLayout(frame);
    grid->setColumnMinimumWidth(0, kCaptionWidth);
    int row = 0;
    for (const PropertyLine& line : PlateLines(family_, project())) {
        AddLabel(grid, row, 0, QString::fromLatin1(line.caption));
        plateValues_.push_back(AddLabel(grid, row++, 1, QString(), line.name));
    }
    grid->setColumnStretch(1, 1);
    return frame;
}

QWidget* ProfileDialog::BuildFigure() {
    auto* column = new QWidget;
    auto* box = new QVBoxLayout(column);
    box->setContentsMargins(0, 6, 0, 0);
    figure_ = new PictureBox("pic1", QSize(250, 250), column);
    figure_->paint = [this](Canvas& c) { PaintFigure(c); };
    box->addWidget(figure_);
    if (family_.kind == DialogKind::Girder) {
        otherGirder_ =
            new QLabel(QStringLiteral("This girder is not in use.\n"
                                      "Choose it in the Profile menu."));
        otherGirder_->setObjectName(QStringLiteral("othergirder"));
        otherGirder_->setStyleSheet(QStringLiteral("color: rgb(160, 0, 0)"));
        box->addWidget(otherGirder_);
    } else {
        figure_->clicked = [this] { ToggleFigure(); };
        figure_->setCursor(Qt::PointingHandCursor);
        figure_->setToolTip(
            QStringLiteral("Click to switch between the sketch and the section "
                           "to scale"));
        figureCaption_ = new QLabel(column);
        figureCaption_->setObjectName(QStringLiteral("figtoscale"));
        figureCaption_->setAlignment(Qt::AlignHCenter);
        box->addWidget(figureCaption_);
    }
    box->addStretch(1);
    return column;
}

void ProfileDialog::ShowAndActivate() {
    show();
    raise();
    activateWindow();
    if (!active_) {
        Activate();
    }
}

void ProfileDialog::Activate() {
    if (closing_) {
        return;
    }
    // Another dialog taking over the family means this one has to take it back when the user
    // returns to it, even where the window system never told it that it lost the focus.
    if (parentWidget() != nullptr) {
        for (ProfileDialog* other :
             parentWidget()->findChildren<ProfileDialog*>(QString(), Qt::FindDirectChildrenOnly)) {
            other->active_ = false;
        }
    }
    active_ = true;
    // The record may have changed in another window meanwhile.
    ShowInputs();
    ShowProperties();
}

void ProfileDialog::ChooseRow(int row) {
    if (row < 0 || family_.row == nullptr) {
        return;
    }
    const QScopedValueRollback<int> edit(editing_, editing_ + 1);
    TakeFamily();
    project().*family_.row = row;
    Recompute();
    ShowInputs();
}

void ProfileDialog::SetUpProfile() {
    Project& p = project();
    // A failed set-up is kept in the record; the run that follows reports it in the result list.
    try {
        if (family_.kind == DialogKind::Girder) {
            SetUpGirderProfile(p);
        } else {
            SetUpStiffenerProfile(p, host_.tables(), p.StiffProfileType);
        }
    } catch (const CalcError&) {
    }
}

void ProfileDialog::Recompute() {
    SetUpProfile();
    host_.Recalculate();
    ShowProperties();
}

void ProfileDialog::ShowInputs() {
    const Project& p = project();
    const char sep = DecimalSeparatorOf(p);
    if (list_ != nullptr) {
        const QSignalBlocker block(list_);
        const int row = p.*family_.row;
        list_->setCurrentIndex(row < list_->count() ? row : -1);
    }
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const InputField& f = family_.fields[i];
        fields_[i]->setText(Q(Format(p.*f.value, f.pattern, sep)));
    }
}

void ProfileDialog::ShowProperties() {
    const Project& p = project();
    const char sep = DecimalSeparatorOf(p);
    bool profileOk = p.StiffProfileFault.empty();
    bool plateOk = WithPlateCurrent(p);
    view_.reset();
    if (family_.kind == DialogKind::Girder) {
        view_ = std::make_unique<Project>(p);
        view_->GirderProfileType = family_.code;
        try {
            SetUpGirderProfile(*view_);
            profileOk = plateOk = true;
        } catch (const CalcError&) {
            profileOk = plateOk = false;
        }
        otherGirder_->setVisible(p.GirderProfileType != family_.code && !chooseOnAccept_);
    } else if (p.StiffProfileType != family_.code) {
        // Not chosen yet: the family is set up and run on a copy, which the user sees as if it
        // were in use.
        view_ = std::make_unique<Project>(p);
        view_->StiffProfileType = family_.code;
        try {
            SetUpStiffenerProfile(*view_, host_.tables(), family_.code);
        } catch (const CalcError&) {
        }
        try {
            Calculate(*view_, host_.tables());
        } catch (const std::exception&) {
        }
        profileOk = view_->StiffProfileFault.empty();
        plateOk = WithPlateCurrent(*view_);
    }
    const Project& s = shown();
    for (std::size_t i = 0; i < rowValues_.size(); ++i) {
        const RowValue& v = family_.rowValues[i];
        rowValues_[i]->setText(profileOk ? Q(Format(s.*v.value, v.pattern, sep) + " mm")
                                         : QString());
    }
    const std::vector<PropertyLine> profile = ProfileLines(family_);
    for (std::size_t i = 0; i < profileValues_.size(); ++i) {
        profileValues_[i]->setText(profileOk ? Q(profile[i].text(s, sep)) : QString());
    }
    const std::vector<PropertyLine> plate = PlateLines(family_, s);
    for (std::size_t i = 0; i < plateValues_.size(); ++i) {
        plateValues_[i]->setText(plateOk ? Q(plate[i].text(s, sep)) : QString());
    }
    if (figureCaption_ != nullptr) {
        figureCaption_->setText(p.FigureToScale != 0 ? QStringLiteral("Figure not to scale")
                                                     : QStringLiteral("Figure to scale"));
    }
    figure_->update();
    if (localCheck_ != nullptr) {
        localCheck_->update();
    }
}

void ProfileDialog::ToggleFigure() {
    Project& p = project();
    p.FigureToScale = p.FigureToScale != 0 ? 0 : 1;
    ShowProperties();
}

void ProfileDialog::PaintFigure(Canvas& c) {
    const Project& p = shown();
    c.ScaleTo(0, 75, 100, 0);
    if (family_.kind == DialogKind::Girder) {
        c.Clear();
        DrawGirderFigure(c, p);
        return;
    }
    if (p.FigureToScale == 0 && !WithPlateCurrent(p)) {
        c.Clear();
        return;
    }
    DrawProfileFigure(c, p);
}

void ProfileDialog::PaintLocalCheck(Canvas& c) {
    const Project& p = shown();
    const auto note = [&c](const char* text) {
        c.ScaleTo(0, 0, 60, 4);
        c.Clear();
        c.SetForeColour(RgbOf(96, 96, 96));
        c.MoveTo(0.5, 0.4);
        c.Print(text);
    };
    if (!WithPlateCurrent(p)) {
        note("Not calculated: the result list says why.");
    } else if (p.WebCheckText == " " && p.FlangeCheckText == " ") {
        note("No local buckling check for this section.");
    } else {
        double y = 0.4;
        ShowLocalBucklingCheck(c, p, y, 0.5, 0);
    }
}

void ProfileDialog::SetBackground(QLineEdit* field, bool editing) {
    QPalette pal = field->palette();
    pal.setColor(QPalette::Base, editing ? kEditing : QColor(Qt::white));
    field->setPalette(pal);
}

int ProfileDialog::FieldIndex(const QObject* o) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i] == o) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool ProfileDialog::Leave(int i) {
    const QScopedValueRollback<bool> guard(busy_, true);
    const QScopedValueRollback<int> edit(editing_, editing_ + 1);
    const InputField& f = family_.fields[i];
    QLineEdit* field = fields_[i];
    Project& p = project();
    // Refused text or values never reach the record: a dimension under its limit would
    // calculate a section that cannot exist, and a project saved with it could not be opened
    // again. The field shows the last valid value.
    const auto refuse = [&](const std::string& why) {
        field->setText(Q(Format(p.*f.value, f.pattern, DecimalSeparatorOf(p))));
        ShowMessage(this, Q(why + "\n" + LimitInWords(*LimitOf(f.value))),
                    MessageIcon::Exclamation, closing_ ? nullptr : field);
        return false;
    };
    float value = 0;
    try {
        value = ParseNumberStrict(field->text().toStdString());
    } catch (const TypeMismatch& mismatch) {
        return refuse(mismatch.what());
    }
    if (!(value >= f.leaveLimit)) {
        return refuse(f.leaveMessage);
    }
    TakeFamily();
    p.*f.value = value;
    field->setText(Q(Format(value, f.pattern, DecimalSeparatorOf(p))));
    // Sent back to a refused value, the field is still being edited.
    SetBackground(field, focusWidget() == field && !closing_);
    Recompute();
    return true;
}

void ProfileDialog::CloseCheck(int alreadyReported) {
    Project& p = project();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const InputField& f = family_.fields[i];
        if (!f.closeCheck) {
            continue;
        }
        float value = 0;
        try {
            value = ParseNumberStrict(fields_[i]->text().toStdString());
        } catch (const TypeMismatch& mismatch) {
            if (static_cast<int>(i) != alreadyReported) {
                ShowMessage(this, Q(mismatch.what() + ("\n" + LimitInWords(*LimitOf(f.value)))),
                            MessageIcon::Exclamation);
            }
            continue;
        }
        p.*f.value = value;
        fields_[i]->setText(Q(Format(value, f.pattern, DecimalSeparatorOf(p))));
        if (value < f.closeLimit) {
            ShowMessage(this, QString::fromLatin1(f.closeMessage), MessageIcon::Exclamation);
        }
    }
}

bool ProfileDialog::eventFilter(QObject* watched, QEvent* e) {
    const int i = FieldIndex(watched);
    if (i < 0) {
        return QDialog::eventFilter(watched, e);
    }
    QLineEdit* field = fields_[i];
    if (e->type() == QEvent::FocusIn && !closing_) {
        entered_[i] = true;
        SetBackground(field, true);
        QTimer::singleShot(0, field, &QLineEdit::selectAll);
    } else if (e->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
        // A message box or menu taking the focus for a moment is not the user leaving the
        // field; nor is the focus coming back after a refused value.
        const bool passing =
            reason == Qt::PopupFocusReason ||
            (reason == Qt::ActiveWindowFocusReason && QApplication::activeModalWidget() != nullptr);
        if (entered_[i] && !busy_ && !closing_ && !passing) {
            entered_[i] = false;
            pending_[i] = true;
            // After the line edit has done its own focus-out handling, which would otherwise
            // hide the cursor of a field the message sent the focus back to.
            QTimer::singleShot(0, this, [this, i] {
                if (pending_[i] && !closing_) {
                    pending_[i] = false;
                    Leave(i);
                }
            });
        }
    } else if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            fields_[(i + 1) % fields_.size()]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

bool ProfileDialog::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && !active_ && !closing_) {
        active_ = true;
        // Out of the activation itself: the run may show a message box.
        QTimer::singleShot(0, this, &ProfileDialog::Activate);
    } else if (e->type() == QEvent::WindowDeactivate &&
               QApplication::activeModalWidget() == nullptr) {
        active_ = false;
    }
    return QDialog::event(e);
}

void ProfileDialog::mousePressEvent(QMouseEvent* e) {
    if (family_.backgroundToggles && e->button() == Qt::LeftButton) {
        ToggleFigure();
        return;
    }
    QDialog::mousePressEvent(e);
}

void ProfileDialog::CloseQuietly() {
    quiet_ = true;
    close();
}

void ProfileDialog::closeEvent(QCloseEvent* e) {
    if (!closing_ && !quiet_) {
        // The field being edited is left first, as if the focus had moved to "OK".
        const int edited = FieldIndex(focusWidget());
        if (edited >= 0 && entered_[edited]) {
            pending_[edited] = true;
        }
        closing_ = true;
        int mismatch = -1;
        for (std::size_t i = 0; i < pending_.size(); ++i) {
            if (pending_[i]) {
                pending_[i] = false;
                if (!Leave(static_cast<int>(i))) {
                    mismatch = static_cast<int>(i);
                }
            }
        }
        CloseCheck(mismatch);
        TakeFamily();
        if (chooseOnAccept_ && family_.kind == DialogKind::Girder) {
            project().GirderProfileType = family_.code;
        }
        SetUpProfile();
        host_.Recalculate();
    }
    closing_ = true;
    e->accept();
}

}  // namespace kelvor
