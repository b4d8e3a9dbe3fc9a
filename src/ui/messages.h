#pragma once

#include <QString>
#include <functional>

class QUrl;
class QWidget;

namespace kelvor {

enum class MessageIcon { Exclamation, Information, Critical, None };

// Every message box of the program goes through here: one modal box with the text and icon,
// then the focus goes back to `refocus` (the field whose value was refused) when given.
void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon,
                 QWidget* refocus = nullptr);

// The question before work would be lost (New, Open, a recent file, Exit on a modified
// project): Save, Discard or Cancel.
enum class SaveAnswer { Save, Discard, Cancel };
SaveAnswer AskToSave(QWidget* parent, const QString& text);

// A yes/no question, such as before a file is replaced; the default answer is no. Tests answer it
// through the question hook below: Cancel is no, Save or Discard yes.
bool AskYesNo(QWidget* parent, const QString& text);

// "The file PATH exists already. Do you want to replace it?" (AskYesNo): true to go on.
bool AskToReplace(QWidget* parent, const QString& path);

// A file dialog: the path chosen, or an empty text when it was cancelled.
struct FileQuestion {
    QString title;
    QString path;    // where the dialog starts: a folder, or the file it proposes
    QString filter;  // "Batch files (*.kvi)"
    QString suffix;  // given to a name typed without one
    // Saving: any name may be chosen, and the caller asks itself before it replaces a file
    // (AskToReplace), so that the question can be answered by tests too.
    bool save = false;
};
QString AskForFile(QWidget* parent, const FileQuestion& question);

// Opens a document (a manual) in the desktop's program for it; false when none could be started.
bool OpenDocument(const QUrl& url);

// Tests replace the box so that nothing modal blocks them; an empty hook restores the box.
using MessageHook = std::function<void(const QString& text, MessageIcon icon, QWidget* refocus)>;
void SetMessageHook(MessageHook hook);
using QuestionHook = std::function<SaveAnswer(const QString& text)>;
void SetQuestionHook(QuestionHook hook);
using FileHook = std::function<QString(const FileQuestion& question)>;
void SetFileHook(FileHook hook);
// Stands for the desktop in OpenDocument: its answer is whether a program was started.
using DocumentHook = std::function<bool(const QUrl& url)>;
void SetDocumentHook(DocumentHook hook);

}  // namespace kelvor
