#include "ui/messages.h"

#include <QMessageBox>
#include <QWidget>

namespace kelvor {

namespace {

MessageHook& Hook() {
    static MessageHook hook;
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

}  // namespace kelvor
