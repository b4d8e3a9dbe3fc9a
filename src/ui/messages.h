#pragma once

#include <QString>
#include <functional>

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

// Tests replace the box so that nothing modal blocks them; an empty hook restores the box.
using MessageHook = std::function<void(const QString& text, MessageIcon icon, QWidget* refocus)>;
void SetMessageHook(MessageHook hook);
using QuestionHook = std::function<SaveAnswer(const QString& text)>;
void SetQuestionHook(QuestionHook hook);

}  // namespace kelvor
