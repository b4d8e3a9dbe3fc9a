#include "ui/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>
#include <QWindow>

#include "engine/calculate.h"
#include "engine/session.h"
#include "engine/batchrun.h"
#include "qt/qtenvironment.h"
#include "ui/inputfields.h"
#include "ui/panelfigureview.h"
#include "ui/resultlistview.h"

namespace kelvor {

namespace {

// The program's own windows whose closing or leaving makes the main window recalculate: the
// profile dialogs and the batch window. Message boxes, file and print dialogs are not among them.
bool IsProgramWindow(const QWidget* window) {
    static const QStringList kNames = {
        QStringLiteral("stiffl"),   QStringLiteral("stifflb"),  QStringLiteral("stifft"),
        QStringLiteral("stifftb"),  QStringLiteral("stifff"),   QStringLiteral("stifffb"),
        QStringLiteral("stiffhp"),  QStringLiteral("stiffrhs"), QStringLiteral("stiffusp"),
        QStringLiteral("stiffib"),  QStringLiteral("girdlg"),   QStringLiteral("girdtg"),
        QStringLiteral("database"),
    };
    return window && !qobject_cast<const QMessageBox*>(window) &&
           kNames.contains(window->objectName());
}

QWidget* WidgetOf(QWindow* window) {
    if (!window) {
        return nullptr;
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->windowHandle() == window) {
            return w;
        }
    }
    return nullptr;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("kelvor"));
    setWindowTitle(QStringLiteral("Kelvor"));
    fields_ = new FieldController(*this, this);
    BuildControls();
    BuildHistory();
    BuildMenus();
    ConnectRightButton();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &MainWindow::FocusWindowChanged);
}

MainWindow::~MainWindow() {
    // The window closed as it is destroyed takes the focus from a text field, whose step would
    // then be stored into a record already gone.
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        disconnect(edit, nullptr, this, nullptr);
    }
}

void MainWindow::StartUp() {
    const StartupEnvironment env = QtStartupEnvironment();
    for (const std::string& m : kelvor::StartUp(project_, tables_, env)) {
        Say(QString::fromStdString(m), MessageIcon::Exclamation);
    }
    FillMaterialLists();
    RefreshInputFields();
    SetCaption();
    ApplyFirstSize();
    RefreshRecentMenu();
    if (!RunStartupBatch(project_, tables_, project_.DataFolder, fields_->DecimalSeparator(),
                         project_.DecimalMode)) {
        Say(QStringLiteral("Error in databasefile"), MessageIcon::None);
    }
    RefreshInputFields();
    started_ = true;
    Recalculate();
    MarkSaved();
    ResetHistory();
}

void MainWindow::Say(const QString& text, MessageIcon icon, QWidget* refocus) {
    fields_->Say(text, icon, refocus);
}

void MainWindow::Recalculate() {
    try {
        Calculate(project_, tables_);
    } catch (const std::exception& e) {
        // Calculate reports arithmetic failures itself; anything else still must not leave the
        // results of other inputs on screen.
        project_.CalcFailure = StepFailure{"calculation", e.what()};
        FillResultList(project_);
    }
    for (const SpacingMessage& m : project_.SpacingMessages) {
        QWidget* field = findChild<QLineEdit*>(QString::fromStdString(m.field));
        Say(QString::fromStdString(m.text), MessageIcon::Exclamation, field);
    }
    results_->Show(project_.Result);
    ShowRunControls();
    SetCaption();
    RecordStep();
}

void MainWindow::FocusWindowChanged(QWindow* now) {
    if (!now) {
        return;  // between two windows, or another program has the focus
    }
    QWidget* widget = WidgetOf(now);
    if (widget != this) {
        lastOtherWindow_ = widget;
        return;
    }
    const bool fromProgramWindow = IsProgramWindow(lastOtherWindow_);
    lastOtherWindow_ = nullptr;
    if (started_ && fromProgramWindow) {
        // After the activation has been handled, like a click on the window.
        QTimer::singleShot(0, this, [this] { Recalculate(); });
    }
}

void MainWindow::ConnectRightButton() {
    for (QWidget* w : findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(w) || qobject_cast<QGroupBox*>(w) ||
            qobject_cast<QLineEdit*>(w) || qobject_cast<QRadioButton*>(w) ||
            qobject_cast<PanelFigureView*>(w) || qobject_cast<SketchButton*>(w)) {
            w->installEventFilter(this);
        }
    }
    results_->viewport()->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (ProjectUndoKey(watched, event)) {
        return true;  // not taken by the field: the Edit menu's shortcut runs
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        profileMenu_->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!MaySetAside()) {
        event->ignore();
        return;
    }
    QSettings(QSettings::UserScope, QStringLiteral("kelvo"))
        .setValue(QStringLiteral("Window/Geometry"), saveGeometry());
    // The dialogs are separate windows; with them open the program would not end.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isVisible() && w->parentWidget() == this) {
            w->close();
        }
    }
    event->accept();
}

}  // namespace kelvor
