#include "ui/messages.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

namespace kelvor {

namespace {

// Where each hook is kept: the hook types differ, so each names its own.
template <typename HookType>
HookType& Kept() {
    static HookType hook;
    return hook;
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::None:
            return QMessageBox::NoIcon;
        case MessageIcon::Information:
            break;
    }
    return QMessageBox::Information;
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon, QWidget* refocus) {
    if (Kept<MessageHook>()) {
        Kept<MessageHook>()(text, icon, refocus);
    } else {
        QMessageBox box(BoxIcon(icon), QStringLiteral("Kelvor"), text, QMessageBox::Ok, parent);
        box.exec();
    }
    if (refocus) {
        refocus->setFocus();
    }
}

void SetMessageHook(MessageHook hook) {
    Kept<MessageHook>() = std::move(hook);
}

SaveAnswer AskToSave(QWidget* parent, const QString& text) {
    if (Kept<QuestionHook>()) {
        return Kept<QuestionHook>()(text);
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kelvor"), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}

void SetQuestionHook(QuestionHook hook) {
    Kept<QuestionHook>() = std::move(hook);
}

bool AskYesNo(QWidget* parent, const QString& text) {
    if (Kept<QuestionHook>()) {
        return Kept<QuestionHook>()(text) != SaveAnswer::Cancel;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kelvor"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("yesno"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool AskToReplace(QWidget* parent, const QString& path) {
    return AskYesNo(parent, QStringLiteral("The file ") + path +
                                QStringLiteral(" exists already. Do you want to replace it?"));
}

QString AskForFile(QWidget* parent, const FileQuestion& question) {
    if (Kept<FileHook>()) {
        return Kept<FileHook>()(question);
    }
    QFileDialog dialog(parent, question.title);
    dialog.setObjectName(QStringLiteral("filedialog"));
    dialog.setNameFilter(question.filter);
    dialog.setDefaultSuffix(question.suffix);
    dialog.setAcceptMode(question.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(question.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, question.save);
    if (QFileInfo(question.path).isDir()) {
        dialog.setDirectory(question.path);
    } else if (!question.path.isEmpty()) {
        dialog.selectFile(question.path);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void SetFileHook(FileHook hook) {
    Kept<FileHook>() = std::move(hook);
}

bool OpenDocument(const QUrl& url) {
    return Kept<DocumentHook>() ? Kept<DocumentHook>()(url) : QDesktopServices::openUrl(url);
}

void SetDocumentHook(DocumentHook hook) {
    Kept<DocumentHook>() = std::move(hook);
}

}  // namespace kelvor
