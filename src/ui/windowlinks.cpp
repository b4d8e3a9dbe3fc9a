#include "ui/windowlinks.h"

#include <QWidget>

#include "ui/batchwindow.h"
#include "ui/profiledialog.h"

namespace kelvor {

namespace {

// The open dialog of that name; one closed a moment ago is only waiting to be deleted.
ProfileDialog* OpenProfileDialog(QWidget* owner, const QString& name) {
    for (ProfileDialog* d : owner->findChildren<ProfileDialog*>(name, Qt::FindDirectChildrenOnly)) {
        if (!d->closing()) {
            return d;
        }
    }
    return nullptr;
}

}  // namespace

void ShowProfileDialog(ProjectHost& host, QWidget* owner, const QString& dialogName) {
    const DialogFamily* family = DialogFamilyNamed(dialogName.toStdString());
    if (family == nullptr || owner == nullptr) {
        return;
    }
    ProfileDialog* dialog = OpenProfileDialog(owner, dialogName);
    if (dialog == nullptr) {
        dialog = new ProfileDialog(host, *family, owner);
    }
    dialog->ShowAndActivate();
}

void CloseProfileDialogs(QWidget* owner) {
    if (owner == nullptr) {
        return;
    }
    for (ProfileDialog* d :
         owner->findChildren<ProfileDialog*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!d->closing()) {
            d->CloseQuietly();
        }
    }
}

void KeepProjectOverBatchPanels(QWidget* owner) {
    if (owner == nullptr) {
        return;
    }
    const QString name = QStringLiteral("database");
    for (BatchWindow* w : owner->findChildren<BatchWindow*>(name, Qt::FindDirectChildrenOnly)) {
        w->KeepMainProject();
    }
}

void ShowBatchWindow(ProjectHost& host, QWidget* owner) {
    if (owner == nullptr) {
        return;
    }
    auto* window =
        owner->findChild<BatchWindow*>(QStringLiteral("database"), Qt::FindDirectChildrenOnly);
    if (window == nullptr) {
        window = new BatchWindow(host, owner);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace kelvor
