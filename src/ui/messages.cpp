#include "ui/messages.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

namespace kelvor {

namespace {

MessageHook& Hook() {
    static MessageHook hook;
    return hook;
}

QuestionHook& Question() {
    static QuestionHook hook;
    return hook;
}

FileHook& Files() {
    static FileHook hook;
    return hook;
}

DocumentHook& Documents() {
    static DocumentHook hook;
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
    if (Hook()) {
        Hook()(text, icon, refocus);
    } else {
        QMessageBox box(BoxIcon(icon), QStringLiteral("Kelvor"), text, QMessageBox::Ok, parent);
        box.exec();
    }
    if (refocus) {
        refocus->setFocus();
    }
}

void SetMessageHook(MessageHook hook) { Hook() = std::move(hook); }

SaveAnswer AskToSave(QWidget* parent, const QString& text) {
    if (Question()) {
        return Question()(text);
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

void SetQuestionHook(QuestionHook hook) { Question() = std::move(hook); }

bool AskYesNo(QWidget* parent, const QString& text) {
    if (Question()) {
        return Question()(text) != SaveAnswer::Cancel;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kelvor"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString AskForFile(QWidget* parent, const FileQuestion& question) {
    if (Files()) {
        return Files()(question);
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

void SetFileHook(FileHook hook) { Files() = std::move(hook); }

bool OpenDocument(const QUrl& url) {
    return Documents() ? Documents()(url) : QDesktopServices::openUrl(url);
}

void SetDocumentHook(DocumentHook hook) { Documents() = std::move(hook); }

}  // namespace kelvor
