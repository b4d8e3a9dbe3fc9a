// The File menu's commands: New, Open, Save, Save As and the recent files.
#include "ui/filemenu.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "engine/session.h"
#include "files/projectfile.h"
#include "files/recentfiles.h"
#include "qt/qtrecentstore.h"
#include "ui/inputfields.h"
#include "ui/mainwindow.h"
#include "ui/windowlinks.h"

namespace kelvor {

namespace {

const char* const kNewFile = "New File";

FileDialogHook& Hook() {
    static FileDialogHook hook;
    return hook;
}

// A menu reads "&" as the mark of an access key.
QString MenuText(const std::string& caption) {
    return QString::fromStdString(caption).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

void SetFileDialogHook(FileDialogHook hook) {
    Hook() = std::move(hook);
}

QString ChooseProjectFile(QWidget* parent, FileDialogKind kind, const QString& folder,
                          const QString& preset) {
    if (Hook()) {
        return Hook()(kind, folder, preset);
    }
    const bool open = kind == FileDialogKind::Open;
    QFileDialog dialog(parent, open ? QStringLiteral("Open") : QStringLiteral("Save As"), folder);
    // A preset "*.csv" asks for a table of results, "*.png", "*.svg" or "*.pdf" for a chart;
    // anything else for a project.
    static const std::pair<const char*, const char*> kKinds[] = {
        {"csv", "Results, comma-separated (*.csv)"}, {"png", "PNG image (*.png)"},
        {"svg", "SVG drawing (*.svg)"},              {"pdf", "PDF document (*.pdf)"},
        {"kelvo", "Kelvor project (*.kelvo)"}};
    const auto* files = std::begin(kKinds);
    while (files + 1 != std::end(kKinds) && preset != QLatin1String("*.") + files->first) {
        ++files;
    }
    dialog.setNameFilter(QString::fromUtf8(files->second));
    dialog.setDefaultSuffix(QString::fromUtf8(files->first));
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!preset.isEmpty() && !preset.contains(QLatin1Char('*'))) {
        dialog.selectFile(preset);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void MainWindow::SetCaption() {
    setWindowTitle(QStringLiteral("Kelvor: ") + QString::fromStdString(project_.ProjectFile) +
                   (Modified() ? QStringLiteral("*") : QString()));
}

bool MainWindow::Modified() const { return ProjectFileText(project_) != savedText_; }

void MainWindow::MarkSaved() {
    savedText_ = ProjectFileText(project_);
    SetCaption();
}

bool MainWindow::MaySetAside() {
    fields_->CommitEdits();
    CopyTextFields();
    if (!Modified()) {
        return true;
    }
    switch (AskToSave(this, QStringLiteral("The project ") +
                                QString::fromStdString(project_.ProjectFile) +
                                QStringLiteral(" has changes that are not saved. Save them?"))) {
        case SaveAnswer::Save:
            return Save();
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

void MainWindow::SetWorkFolderFrom(const QString& path) {
    project_.WorkFolder = (QFileInfo(path).absolutePath() + QLatin1Char('/')).toStdString();
}

void MainWindow::CopyTextFields() {
    project_.ProjectName = fields_->Field("iproj")->text().toStdString();
    project_.Identification = fields_->Field("iident")->text().toStdString();
}

void MainWindow::RefreshRecentMenu() {
    QtRecentStore store;
    const std::vector<std::string> captions = RecentEntries(store);
    if (captions.empty()) {
        return;
    }
    recent_[0]->setVisible(true);
    for (std::size_t i = 0; i < captions.size() && i + 1 < recent_.size(); ++i) {
        QAction* entry = recent_[i + 1];
        entry->setText(MenuText(captions[i]));
        entry->setData(QString::fromStdString(captions[i]));
        entry->setVisible(true);
    }
}

void MainWindow::NewProjectCommand() {
    if (!MaySetAside()) {
        return;
    }
    NewProject(project_);
    // The new project's stiffener is a table profile: set it up, or the old designation and
    // section would stay on screen.
    ApplyProfilesAndMaterials(project_, tables_);
    KeepProjectOverBatchPanels(this);
    RefreshInputFields();
    Recalculate();
    // The caption names the file the project belongs to: a new one has none yet.
    MarkSaved();
    ResetHistory();
}

void MainWindow::AfterOpen() {
    CloseProfileDialogs(this);
    KeepProjectOverBatchPanels(this);
    RefreshInputFields();
    Recalculate();
}

bool MainWindow::OpenFile(const QString& path) {
    const std::string file = path.toStdString();
    const bool same = file == project_.ProjectFile;
    // Read whole or not at all: on failure the project and its file name stay as they were.
    const std::string message = OpenProject(project_, tables_, file);
    if (!message.empty()) {
        Say(QString::fromStdString(message), MessageIcon::Exclamation);
        return false;
    }
    SetCaption();
    SetWorkFolderFrom(path);
    if (!same) {
        std::vector<std::string> shown;
        for (std::size_t k = 1; k < recent_.size(); ++k) {
            shown.push_back(recent_[k]->data().toString().toStdString());
        }
        QtRecentStore store;
        RememberOpenedFile(store, file, shown);
        RefreshRecentMenu();
    }
    AfterOpen();
    MarkSaved();
    ResetHistory();
    return true;
}

void MainWindow::OpenCommand() {
    if (!MaySetAside()) {
        return;
    }
    const QString path =
        ChooseProjectFile(this, FileDialogKind::Open, QString::fromStdString(project_.WorkFolder),
                          QStringLiteral("*.kelvo"));
    if (!path.isEmpty()) {
        OpenFile(path);
        return;
    }
    // A cancelled Open still brings every window in line with the record.
    ApplyProfilesAndMaterials(project_, tables_);
    AfterOpen();
}

void MainWindow::OpenRecentCommand(int k) {
    if (!MaySetAside()) {
        return;
    }
    const std::string path =
        RecentCaptionPath(recent_[static_cast<std::size_t>(k)]->data().toString().toStdString());
    const bool same = path == project_.ProjectFile;
    const std::string message = OpenProject(project_, tables_, path);
    if (!message.empty()) {
        Say(QString::fromStdString(message), MessageIcon::Exclamation);
        return;
    }
    if (!same) {
        QtRecentStore store;
        PromoteRecentFile(store, path, k);
        RefreshRecentMenu();
    }
    SetWorkFolderFrom(QString::fromStdString(path));
    AfterOpen();
    MarkSaved();
    ResetHistory();
}

bool MainWindow::Save() {
    fields_->CommitEdits();
    CopyTextFields();
    if (project_.ProjectFile != kNewFile) {
        std::string path = project_.ProjectFile;
        const FileResult written = WriteProjectFile(project_, path);
        if (!written.ok) {
            Say(QString::fromStdString(written.message), MessageIcon::Exclamation);
            return false;
        }
        MarkSaved();
        return true;
    }
    const QString chosen =
        ChooseProjectFile(this, FileDialogKind::Save, QString::fromStdString(project_.WorkFolder),
                          QStringLiteral("*.kelvo"));
    if (chosen.isEmpty()) {
        return false;
    }
    std::string path = chosen.toStdString();
    const FileResult written = WriteProjectFile(project_, path);
    if (!written.ok) {
        Say(QString::fromStdString(written.message), MessageIcon::Exclamation);
        return false;
    }
    MarkSaved();
    SetWorkFolderFrom(QString::fromStdString(path));
    QtRecentStore store;
    RememberSavedFile(store, path);
    RefreshRecentMenu();
    return true;
}

void MainWindow::SaveAsCommand() {
    fields_->CommitEdits();
    CopyTextFields();
    const QString chosen =
        ChooseProjectFile(this, FileDialogKind::SaveAs, QString::fromStdString(project_.WorkFolder),
                          QString::fromStdString(project_.ProjectFile));
    if (chosen.isEmpty()) {
        return;
    }
    const bool same = chosen.toStdString() == project_.ProjectFile;
    std::string path = chosen.toStdString();
    const FileResult written = WriteProjectFile(project_, path);
    if (!written.ok) {
        Say(QString::fromStdString(written.message), MessageIcon::Exclamation);
        return;
    }
    MarkSaved();
    SetWorkFolderFrom(QString::fromStdString(path));
    if (!same) {
        QtRecentStore store;
        RememberSavedFile(store, path);
        RefreshRecentMenu();
    }
}

}  // namespace kelvor
