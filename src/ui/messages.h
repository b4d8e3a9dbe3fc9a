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

// Tests replace the box so that nothing modal blocks them; an empty hook restores the box.
using MessageHook = std::function<void(const QString& text, MessageIcon icon, QWidget* refocus)>;
void SetMessageHook(MessageHook hook);

}  // namespace kelvor
