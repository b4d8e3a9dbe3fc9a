// The menu bar of the main window and the commands that are not file commands.
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenuBar>
#include <QUrl>

#include "engine/calculate.h"
#include "files/atomicfile.h"
#include "ui/filemenu.h"
#include "ui/inputfields.h"
#include "ui/mainwindow.h"
#include "ui/profiledialog.h"
#include "ui/resultlistview.h"
#include "ui/undo.h"
#include "ui/sweepwindow.h"
#include "ui/windowlinks.h"

#ifndef KELVOR_VERSION
#define KELVOR_VERSION "unknown"
#endif

namespace kelvor {

namespace {

struct MenuEntry {
    const char* name;
    const char* caption;
    int code;  // family, girder type or report kind
};

// In the order of the family codes 0..9; the dialog of each family is named alike.
const MenuEntry kStiffenerEntries[] = {
    {"mnustiffl", "&L-table", 0},          {"mnustifflb", "L-built-up", 1},
    {"mnustifft", "&T-table", 2},          {"mnustifftb", "T-built-up", 3},
    {"mnustifff", "&Flatbar-table", 4},    {"mnustifffb", "Flatbar-built-up", 5},
    {"mnustiffhp", "&BF-table", 6},        {"mnustiffrhs", "&RHS", 7},
    {"mnustiffusp", "&Trapez-profile", 8}, {"mnustiffib", "I-built-up", 9},
};

const MenuEntry kGirderEntries[] = {
    {"mnugirdL", "L- Girder", 1},
    {"mnugirdT", "T - Girder", 3},
};

// Both print menus offer the same four reports.
const MenuEntry kFilePrintEntries[] = {
    {"mnuprbu1", "Buckling ", 1},
    {"mnuprS", "Scantling", 4},
    {"mnuprbu2", "Scantling/Yield", 2},
    {"mnuprSc1", "Buckling/Scantling/Yield", 3},
};

const MenuEntry kPrintEntries[] = {
    {"mnuprintbuckling1", "Buckling ", 1},
    {"mnuprintS", "Scantling", 4},
    {"mnuprintbuckling2", "Scantling/Yield ", 2},
    {"mnuprintScantling1", "Buckling/Scantling/Yield", 3},
};

// The report kinds of the preview and PDF menus, whose entries are named by prefix and kind
// ("mnupreview3", "mnupdf4").
struct ReportKind {
    const char* caption;
    int kind;
};
const ReportKind kReportKinds[] = {
    {"Buckling", 1}, {"Scantling", 4}, {"Scantling/Yield", 2}, {"Buckling/Scantling/Yield", 3}};

QMenu* NamedMenu(QWidget* parent, const char* name, const char* title) {
    auto* menu = new QMenu(QString::fromUtf8(title), parent);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction* NamedAction(QMenu* menu, const MenuEntry& entry) {
    QAction* action = menu->addAction(QString::fromUtf8(entry.caption));
    action->setObjectName(QLatin1String(entry.name));
    return action;
}

// One entry per report kind, each running `run` with its kind.
template <typename Run>
void AddReportKinds(QMenu* menu, const char* prefix, const char* ellipsis, Run run) {
    for (const ReportKind& k : kReportKinds) {
        QAction* action = menu->addAction(QString::fromUtf8(k.caption) + QLatin1String(ellipsis));
        action->setObjectName(QLatin1String(prefix) + QString::number(k.kind));
        QObject::connect(action, &QAction::triggered, menu, [run, k] { run(k.kind); });
    }
}

}  // namespace

void MainWindow::ExportResults() {
    const QString path =
        ChooseProjectFile(this, FileDialogKind::SaveAs, QString::fromStdString(project_.WorkFolder),
                          QStringLiteral("*.csv"));
    if (path.isEmpty()) {
        return;
    }
    if (!SaveAtomically(path.toStdString(), results_->CsvText().toStdString())) {
        Say(QStringLiteral("can't save file - ") + path, MessageIcon::Exclamation);
    }
}

void MainWindow::MarkProfilesInUse() {
    // The menus mark the families of the record, whatever a click on an entry toggled.
    for (const MenuEntry& e : kStiffenerEntries) {
        findChild<QAction*>(QLatin1String(e.name))
            ->setChecked(e.code == project_.StiffProfileType);
    }
    for (const MenuEntry& e : kGirderEntries) {
        findChild<QAction*>(QLatin1String(e.name))
            ->setChecked(e.code == project_.GirderProfileType);
    }
}

QString MainWindow::StiffenerDialog(int family) {
    static const char* const kDialogs[] = {"stiffl",  "stifflb", "stifft",   "stifftb",  "stifff",
                                           "stifffb", "stiffhp", "stiffrhs", "stiffusp", "stiffib"};
    return family >= 0 && family < 10 ? QLatin1String(kDialogs[family]) : QString();
}

QString MainWindow::GirderDialog(int girderType) {
    return girderType == 1   ? QStringLiteral("girdlg")
           : girderType == 3 ? QStringLiteral("girdtg")
                             : QString();
}

void MainWindow::BuildMenus() {
    BuildFileMenu();

    profileMenu_ = NamedMenu(this, "mnuProfile", "&Profile");
    QMenu* stiffener = NamedMenu(profileMenu_, "mnustiff", "Stiffener profile");
    for (const MenuEntry& e : kStiffenerEntries) {
        QAction* action = NamedAction(stiffener, e);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, e] { ChooseStiffener(e.code); });
    }
    profileMenu_->addMenu(stiffener);
    menuBar()->addMenu(profileMenu_);

    QMenu* girder = NamedMenu(this, "mnugird", "&Girder profile");
    for (const MenuEntry& e : kGirderEntries) {
        QAction* action = NamedAction(girder, e);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, e] { ChooseGirder(e.code); });
    }
    menuBar()->addMenu(girder);

    QAction* database = menuBar()->addAction(QStringLiteral("&Database"));
    database->setObjectName(QStringLiteral("mnudb"));
    connect(database, &QAction::triggered, this, [this] {
        fields_->CommitEdits();
        ShowBatchWindow(*this, this);
    });

    QMenu* edit = NamedMenu(this, "mnuedit", "&Edit");
    // The keys are set as such: a desktop theme may bind none to the standard ones (offscreen).
    undoAction_ = NamedAction(edit, {"mnuundo", "&Undo", 0});
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undoAction_, &QAction::triggered, this, &MainWindow::UndoCommand);
    redoAction_ = NamedAction(edit, {"mnuredo", "&Redo", 0});
    redoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(redoAction_, &QAction::triggered, this, &MainWindow::RedoCommand);
    history_->Follow(undoAction_, redoAction_);
    edit->addSeparator();
    QAction* copy = NamedAction(edit, {"mnucopy", "&Copy results", 0});
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, [this] {
        QApplication::clipboard()->setText(results_->SelectedText());
    });
    QAction* all = NamedAction(edit, {"mnuselectall", "Select &all results", 0});
    connect(all, &QAction::triggered, results_, &QTreeWidget::selectAll);
    menuBar()->addMenu(edit);

    QMenu* print = NamedMenu(this, "mnuprint", "P&rint");
    for (const MenuEntry& e : kPrintEntries) {
        QAction* action = NamedAction(print, e);
        // Ctrl+P prints the whole report, every block.
        if (e.code == 3) {
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
        }
        connect(action, &QAction::triggered, this, [this, e] { PrintKind(e.code); });
    }
    QMenu* preview = NamedMenu(print, "mnupreview", "Print pre&view");
    AddReportKinds(preview, "mnupreview", "", [this](int kind) { PrintKind(kind, true); });
    print->addMenu(preview);
    menuBar()->addMenu(print);

    QMenu* tools = NamedMenu(this, "mnutools", "&Tools");
    connect(NamedAction(tools, {"mnusearch", "Design &search...", 0}), &QAction::triggered, this,
            &MainWindow::OpenSearch);
    menuBar()->addMenu(tools);
    connect(AddSweepEntry(*this), &QAction::triggered, this, [this] {
        fields_->CommitEdits();
        ShowSweepWindow(*this, this);
    });

    QMenu* help = NamedMenu(this, "mnuhelp", "&Help");
    const MenuEntry manuals[] = {{"mnuTheory", "Theory Manual", 0},
                                 {"mnuDatabaseDoc", "Database File", 1}};
    for (const MenuEntry& e : manuals) {
        const char* file = e.code == 0 ? "Kelvor Theory Manual.pdf" : "Kelvor Database.pdf";
        connect(NamedAction(help, e), &QAction::triggered, this,
                [this, file] { OpenManual(file); });
    }
    help->addSeparator();
    connect(NamedAction(help, {"mnuabout", "&About Kelvor", 0}), &QAction::triggered, this,
            &MainWindow::ShowAbout);
    menuBar()->addMenu(help);
}

void MainWindow::BuildFileMenu() {
    fileMenu_ = NamedMenu(this, "mnufile", "&File");
    struct Command {
        MenuEntry entry;
        QKeySequence keys;
        void (MainWindow::*run)();
    };
    const Command commands[] = {
        {{"mnunew", "&New", 0}, QKeySequence::New, &MainWindow::NewProjectCommand},
        {{"mnuopen", "&Open", 0}, QKeySequence::Open, &MainWindow::OpenCommand},
        {{"mnusave", "&Save", 0}, QKeySequence::Save, &MainWindow::SaveCommand},
        // Some desktops bind no standard key to Save As; Ctrl+Shift+S is the usual one.
        {{"mnusaveas", "Save &As", 0}, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         &MainWindow::SaveAsCommand},
    };
    for (const Command& c : commands) {
        QAction* action = NamedAction(fileMenu_, c.entry);
        action->setShortcut(c.keys);
        connect(action, &QAction::triggered, this, c.run);
    }
    fileMenu_->addSeparator();
    QMenu* print = NamedMenu(fileMenu_, "mnuprint1", "Print");
    for (const MenuEntry& e : kFilePrintEntries) {
        connect(NamedAction(print, e), &QAction::triggered, this, [this, e] { PrintKind(e.code); });
    }
    fileMenu_->addMenu(print);
    // Export PDF asks which report, as printing does.
    QMenu* pdf = NamedMenu(fileMenu_, "mnuexportpdfkind", "Export &PDF...");
    pdf->menuAction()->setObjectName(QStringLiteral("mnuexportpdf"));
    AddReportKinds(pdf, "mnupdf", "...", [this](int kind) { ExportPdf(kind); });
    fileMenu_->addMenu(pdf);
    QAction* csv = NamedAction(fileMenu_, {"mnuexportresults", "Export &results...", 0});
    connect(csv, &QAction::triggered, this, &MainWindow::ExportResults);

    // Hidden until the recent list has an entry; never hidden again.
    for (int k = 0; k < static_cast<int>(recent_.size()); ++k) {
        QAction* action = k == 0 ? fileMenu_->addSeparator() : fileMenu_->addAction(QString());
        action->setObjectName(QStringLiteral("mnurecentfile%1").arg(k));
        action->setVisible(false);
        if (k > 0) {
            connect(action, &QAction::triggered, this, [this, k] { OpenRecentCommand(k); });
        }
        recent_[static_cast<std::size_t>(k)] = action;
    }
    fileMenu_->addSeparator();
    exitAction_ = NamedAction(fileMenu_, {"mnuexit", "&Exit", 0});
    exitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exitAction_, &QAction::triggered, this, &MainWindow::close);
    menuBar()->addMenu(fileMenu_);
}

// The family in use changes when the user chooses in the dialog or accepts it, not by opening
// it: a dialog cancelled leaves the profile as it was.
void MainWindow::ChooseStiffener(int family) {
    fields_->CommitEdits();
    ShowProfileDialog(*this, this, StiffenerDialog(family));
    MarkProfilesInUse();
}

void MainWindow::ChooseGirder(int girderType) {
    fields_->CommitEdits();
    const QString name = GirderDialog(girderType);
    ShowProfileDialog(*this, this, name);
    for (ProfileDialog* d : findChildren<ProfileDialog*>(name, Qt::FindDirectChildrenOnly)) {
        if (!d->closing()) {
            d->ChooseOnAccept();
        }
    }
    MarkProfilesInUse();
}

void MainWindow::ShowReportKind(int kind) {
    fields_->CommitEdits();
    project_.AnalysisMode = kind;
    RefreshInputFields();
    project_.PrintMode = kind;
    // The list follows the mode the options now show; the results themselves are unchanged.
    FillResultList(project_);
    results_->Show(project_.Result);
    ShowRunControls();
    RecordStep();
}

void MainWindow::PrintKind(int kind, bool preview) {
    ShowReportKind(kind);
    PrintReport(*this, this, kind, preview);
}

void MainWindow::ExportPdf(int kind) {
    ShowReportKind(kind);
    ExportReportPdf(*this, this, kind);
}

void MainWindow::OpenManual(const char* fileName) {
    const QString path = QString::fromStdString(project_.HelpFolder) + QString::fromUtf8(fileName);
    // The shell would fail without a word; say which file is missing instead.
    if (!QFileInfo::exists(path)) {
        Say(QStringLiteral("can't find file - ") + path, MessageIcon::Exclamation);
        return;
    }
    // Without a program for PDF files the desktop opens nothing, and says nothing either.
    if (!OpenDocument(QUrl::fromLocalFile(path))) {
        Say(QStringLiteral("can't open file - ") + path +
                QStringLiteral(" (no program for PDF files could be started)"),
            MessageIcon::Exclamation);
    }
}

void MainWindow::ShowAbout() {
    Say(QStringLiteral("Kelvor " KELVOR_VERSION "\n\n"
                       "Buckling, yield and scantling checks of one stiffened plate panel "
                       "of an offshore structure."),
        MessageIcon::Information);
}

}  // namespace kelvor
